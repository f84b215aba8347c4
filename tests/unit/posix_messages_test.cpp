// FormatMessageA: the system texts and the line width.
#include <string>

#include "platform/posix/win32_api_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

std::string System(DWORD code, DWORD width) {
  char buffer[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | width, nullptr,
                                code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
  EXPECT_EQ(length, std::string(buffer).size());
  return buffer;
}

std::string Wrapped(const char* text, DWORD width) {
  char buffer[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | width, text, 0, 0, buffer, sizeof buffer, nullptr);
  EXPECT_EQ(length, std::string(buffer).size());
  return buffer;
}

TEST(FormatMessageTest, SystemTextsAsWindowsHasThem) {
  EXPECT_EQ(System(2, 0), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(System(3, 0), "The system cannot find the path specified.\r\n");
  EXPECT_EQ(System(5, 0), "Access is denied.\r\n");
  EXPECT_EQ(System(80, 0), "The file exists.\r\n");
  EXPECT_EQ(System(183, 0), "Cannot create a file when that file already exists.\r\n");
}

TEST(FormatMessageTest, WidthMaskTurnsLineEndsIntoBlanks) {
  EXPECT_EQ(System(2, FORMAT_MESSAGE_MAX_WIDTH_MASK), "The system cannot find the file specified. ");
  EXPECT_EQ(System(32, FORMAT_MESSAGE_MAX_WIDTH_MASK),
            "The process cannot access the file because it is being used by another process. ");
}

TEST(FormatMessageTest, WidthSeventyBreaksBeforeTheLineIsFull) {
  EXPECT_EQ(System(2, 70), "The system cannot find the file specified. ");
  EXPECT_EQ(System(32, 70),
            "The process cannot access the file because it is being used by\r\nanother process. ");
}

TEST(FormatMessageTest, WrappingRulesOfWindows) {
  EXPECT_EQ(Wrapped("short long line", 11), "short long\r\nline");
  EXPECT_EQ(Wrapped("short long line", 10), "short\r\nlong line");
  EXPECT_EQ(Wrapped("short long    line", 12), "short long\r\n  line");
  EXPECT_EQ(Wrapped("short long    wordlongerthanaline", 16), "short long\r\nwordlongerthanal\r\nine");
  EXPECT_EQ(Wrapped("   shortlong line", 11), "\r\nshortlong\r\nline");
  EXPECT_EQ(Wrapped("shortlon%n", 8), "shortlon\r\n\r\n");
  EXPECT_EQ(Wrapped("short%nlong line", 8), "short\r\nlong\r\nline");
  EXPECT_EQ(Wrapped("l1               ", 5), "l1\r\n\r\n\r\n  ");
  EXPECT_EQ(Wrapped("short long\tline", 11), "short\r\nlong\tline");
  EXPECT_EQ(Wrapped("a\r\r\nb", 0), "a\r\n\r\nb");
}

TEST(FormatMessageTest, AllocatedBufferAndFailures) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, 5, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(length, 19u);
  EXPECT_STREQ(text, "Access is denied.\r\n");
  EXPECT_EQ(LocalFree(text), nullptr);

  char small[8];
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 5, 0, small, sizeof small, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0x2FFFFu, 0, small, sizeof small, nullptr), 0u);
  EXPECT_EQ(GetLastError(), 317u);
}

}  // namespace
