// A new file copied from the handle its version check kept, starting with the
// bytes that check read: every size around the copy's room arrives whole.
#include <gtest/gtest.h>

#include <string>

#include "actions/put_in_place.h"
#include "fileinfo/file_info.h"
#include "tests/unit/temp_machine.h"

namespace {

class PutFromKeptHandleTest : public TempMachineTest {
 protected:
  // Copies C:\new.bin, of `size` bytes, to C:\target.bin as an installation
  // does, and returns whether that succeeded.
  bool CopyOfSize(size_t size) {
    std::string content(size, '\0');
    for (size_t i = 0; i < size; ++i) content[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    WriteHostFile("drive_c/new.bin", content);
    expected_ = content;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\new.bin", &found);
    EXPECT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    FileHead head = CopyHeadRoom();
    HANDLE kept = INVALID_HANDLE_VALUE;
    Str text;
    ReadVersionInfo("C:\\new.bin", text, &kept, &head);
    EXPECT_NE(kept, INVALID_HANDLE_VALUE);
    bool put = PutFileInPlace("C:\\new.bin", kept, head, found, "C:\\target.bin");
    CloseHandle(kept);
    return put;
  }
  std::string expected_;
};

TEST_F(PutFromKeptHandleTest, EverySizeAroundTheRoomArrivesWhole) {
  const DWORD room = CopyHeadRoom().room;
  for (size_t size : {size_t{0}, size_t{1}, size_t{2000}, size_t{room - 1}, size_t{room}, size_t{room + 1},
                      size_t{2 * room}, size_t{3 * room + 17}}) {
    ASSERT_TRUE(CopyOfSize(size)) << "size " << size;
    EXPECT_TRUE(ReadHostFile("drive_c/target.bin") == expected_) << "size " << size;
    WIN32_FIND_DATAA left;
    EXPECT_EQ(FindFirstFileA("C:\\~STP*.TMP", &left), INVALID_HANDLE_VALUE) << "size " << size;
  }
}

}  // namespace
