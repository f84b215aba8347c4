// The emulated version functions on the PE test files the build makes from
// tests/data/pe/*.rc (and on their damaged variants), and on blocks built
// in memory.
#include <dirent.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/version/version_posix.h"
#include "temp_machine.h"
#include "version.h"

namespace {

std::string TestPeDir() { return std::string(SETUP_BINARY_DIR) + "/test-pe"; }

class PosixVersionTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    DIR* d = opendir(TestPeDir().c_str());
    if (!d) GTEST_SKIP() << "no PE test files (windres missing?)";
    closedir(d);
  }

  static std::string Win(const std::string& name) { return posix::HostToWin(TestPeDir() + "/" + name); }

  // The whole block as GetFileVersionInfoA fills a buffer of the size
  // GetFileVersionInfoSizeA asks for.
  std::vector<uint8_t> Block(const std::string& name) {
    DWORD handle = 77;
    DWORD size = GetFileVersionInfoSizeA(Win(name).c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    if (!size) return {};
    std::vector<uint8_t> block(size, 0xCD);
    EXPECT_TRUE(GetFileVersionInfoA(Win(name).c_str(), 0, size, block.data()));
    return block;
  }

  static uint16_t Length(const std::vector<uint8_t>& b) { return b[0] | (b[1] << 8); }

  static const VS_FIXEDFILEINFO* Fixed(std::vector<uint8_t>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || length != sizeof(VS_FIXEDFILEINFO))
      return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(value);
  }

  static std::string Text(std::vector<uint8_t>& block, const char* path, UINT* length = nullptr) {
    void* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.data(), path, &value, &len)) return "<none>";
    if (length) *length = len;
    return static_cast<const char*>(value);
  }

  static std::vector<std::string> Files(const char* prefix) {
    std::vector<std::string> names;
    DIR* d = opendir(TestPeDir().c_str());
    while (dirent* e = d ? readdir(d) : nullptr)
      if (std::strncmp(e->d_name, prefix, std::strlen(prefix)) == 0) names.push_back(e->d_name);
    if (d) closedir(d);
    return names;
  }
};

TEST_F(PosixVersionTest, SizeIsTwiceTheResourceAndFourAndMarksTheSpareHalf) {
  std::vector<uint8_t> b = Block("v2700_pe32.dll");
  ASSERT_FALSE(b.empty());
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(b.size(), 2u * Length(b) + 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[Length(b)]), 4), "FE2X");
  // Beyond the marker the spare half is left as the caller had it.
  EXPECT_EQ(b[Length(b) + 4], 0xCD);
}

TEST_F(PosixVersionTest, Pe32AndPe32PlusGiveTheSameBlock) {
  for (const char* name : {"v2700", "v1234", "v10", "v0056", "notrans", "german", "twolang"}) {
    std::vector<uint8_t> a = Block(std::string(name) + "_pe32.dll");
    std::vector<uint8_t> b = Block(std::string(name) + "_pe64.dll");
    ASSERT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, b) << name;
  }
}

TEST_F(PosixVersionTest, ProductAndFileVersions) {
  struct Case { const char* file; DWORD ms, ls, fileMs, fileLs; };
  const Case cases[] = {
      {"v2700_pe32.dll", 0x00020007, 0x00000000, 0x00020007, 0x00000000},
      {"v1234_pe64.dll", 0x00010002, 0x00030004, 0x00090008, 0x00070006},
      {"v10_pe32.dll", 0x000A007B, 0xB26E0009, 0x000A007B, 0xB26E0009},
      {"v0056_pe64.dll", 0x00000000, 0x00050006, 0x00000000, 0x00050006},
      {"twolang_pe32.dll", 0x00040000, 0x00000000, 0x00040000, 0x00000000},  // the English one
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = Block(c.file);
    ASSERT_FALSE(b.empty()) << c.file;
    const VS_FIXEDFILEINFO* f = Fixed(b);
    ASSERT_NE(f, nullptr) << c.file;
    EXPECT_EQ(f->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(f->dwProductVersionMS, c.ms) << c.file;
    EXPECT_EQ(f->dwProductVersionLS, c.ls) << c.file;
    EXPECT_EQ(f->dwFileVersionMS, c.fileMs) << c.file;
    EXPECT_EQ(f->dwFileVersionLS, c.fileLs) << c.file;
  }
}

TEST_F(PosixVersionTest, RootPathForms) {
  std::vector<uint8_t> b = Block("v2700_pe32.dll");
  ASSERT_FALSE(b.empty());
  void* root = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\", &root, &length));
  EXPECT_EQ(root, b.data() + 40);  // after the 16-character key, aligned
  for (const char* path : {"", "\\\\", static_cast<const char*>(nullptr)}) {
    void* value = nullptr;
    length = 0;
    EXPECT_TRUE(VerQueryValueA(b.data(), path, &value, &length));
    EXPECT_EQ(value, root);
    EXPECT_EQ(length, 52u);
  }
}

TEST_F(PosixVersionTest, IntermediateNodesGiveLengthZero) {
  std::vector<uint8_t> b = Block("v2700_pe32.dll");
  for (const char* path : {"\\StringFileInfo", "StringFileInfo", "\\\\StringFileInfo",
                           "\\StringFileInfo\\\\", "\\StringFileInfo\\040904e4", "\\VarFileInfo"}) {
    void* value = nullptr;
    UINT length = 99;
    EXPECT_TRUE(VerQueryValueA(b.data(), path, &value, &length)) << path;
    EXPECT_EQ(length, 0u) << path;
    EXPECT_NE(value, nullptr) << path;
  }
}

TEST_F(PosixVersionTest, StringsAreAnsiCopiesInTheSpareHalf) {
  std::vector<uint8_t> b = Block("v2700_pe32.dll");
  UINT length = 0;
  EXPECT_EQ(Text(b, "\\StringFileInfo\\040904E4\\CompanyName", &length), "Talven Test");
  EXPECT_EQ(length, 12u);  // the NUL counted
  void* value = nullptr;
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\StringFileInfo\\040904E4\\ProductVersion", &value, &length));
  EXPECT_GE(static_cast<uint8_t*>(value), b.data() + Length(b) + 4);
  EXPECT_LT(static_cast<uint8_t*>(value) + length, b.data() + b.size());
  // Keys without regard to case; repeated backslashes ignored; asked again
  // the same answer.
  EXPECT_EQ(Text(b, "\\\\stringfileinfo\\\\040904e4\\\\productversion"), "2.7.0.0");
  EXPECT_EQ(Text(b, "\\StringFileInfo\\040904E4\\ProductVersion"), "2.7.0.0");
  std::vector<uint8_t> v = Block("v10_pe64.dll");
  EXPECT_EQ(Text(v, "\\StringFileInfo\\040904E4\\LegalCopyright"), "Copyright (C) 2026 Big Numbers Ltd");
  EXPECT_EQ(Text(v, "\\StringFileInfo\\040904E4\\OriginalFilename"), "v10.dll");
}

// The files without a version are rows of tests/contract/version_tables.cpp;
// a null name cannot be one there (Windows would fault).
TEST_F(PosixVersionTest, NullNameIsAnInvalidParameter) {
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(PosixVersionTest, SixteenBitNeFile) {
  std::vector<uint8_t> b = Block("ne_v7102.exe");
  ASSERT_FALSE(b.empty());
  const VS_FIXEDFILEINFO* f = Fixed(b);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->dwProductVersionMS, 0x00070001u);
  EXPECT_EQ(f->dwProductVersionLS, 0x00000002u);
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\StringFileInfo\\040904E4\\CompanyName", &value, &length));
  EXPECT_STREQ(static_cast<char*>(value), "Sixteen Bit Co");
  EXPECT_EQ(length, 15u);
  EXPECT_LT(static_cast<uint8_t*>(value), b.data() + Length(b));  // the ANSI text in place
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\VarFileInfo\\Translation", &value, &length));
  EXPECT_EQ(std::memcmp(value, "\x09\x04\xE4\x04", 4), 0);
}

TEST_F(PosixVersionTest, EveryHostileFileHasNoVersion) {
  std::vector<std::string> names = Files("hostile_");
  EXPECT_GE(names.size(), 20u);
  for (const std::string& name : names) {
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeA(Win(name).c_str(), nullptr), 0u) << name;
    EXPECT_NE(GetLastError(), 0u) << name;
    char buffer[256];
    EXPECT_FALSE(GetFileVersionInfoA(Win(name).c_str(), 0, sizeof buffer, buffer)) << name;
  }
}

TEST_F(PosixVersionTest, ChildOverrunningItsParentEndsTheSearch) {
  std::vector<uint8_t> b = Block("damaged_child_overrun.dll");
  ASSERT_FALSE(b.empty());
  EXPECT_NE(Fixed(b), nullptr);
  EXPECT_EQ(Text(b, "\\StringFileInfo\\040904E4\\CompanyName"), "<none>");
  EXPECT_EQ(Text(b, "\\VarFileInfo\\Translation"), "<none>");
}

// A 32-bit node built by hand: key, value, children, as the compiler lays it out.
std::string Node(const std::u16string& key, uint16_t type, const std::string& value, uint16_t valueLength,
                 const std::string& children = "") {
  std::string n(6, '\0');
  for (char16_t c : key + u'\0') n += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  n.resize((n.size() + 3) & ~size_t(3));
  n += value;
  if (!children.empty()) n.resize((n.size() + 3) & ~size_t(3));
  n += children;
  n[0] = static_cast<char>(n.size() & 0xFF);
  n[1] = static_cast<char>(n.size() >> 8);
  n[2] = static_cast<char>(valueLength);
  n[4] = static_cast<char>(type);
  return n;
}

// The block with room for its spare half, as a caller allocates it.
std::vector<uint8_t> WithSpare(const std::string& block) {
  std::vector<uint8_t> b(block.begin(), block.end());
  b.resize(2 * block.size() + 4, 0);
  return b;
}

TEST(PosixVersionBlockTest, DamagedNodesEndTheWalk) {
  std::string fixed(52, '\0');
  // A child with wLength 0 must not stop the walk in place.
  std::string zero = Node(u"VS_VERSION_INFO", 0, fixed, 52, std::string(8, '\0'));
  std::vector<uint8_t> b = WithSpare(zero);
  void* value = nullptr;
  UINT length = 0;
  EXPECT_FALSE(VerQueryValueA(b.data(), "\\X", &value, &length));
  // A key without a terminator inside its node.
  std::string unterminated = Node(u"VS_VERSION_INFO", 0, fixed, 52, std::string("\x0A\0\0\0\0\0A\0B\0", 10));
  b = WithSpare(unterminated);
  EXPECT_FALSE(VerQueryValueA(b.data(), "\\AB", &value, &length));
  // A text value longer than its node: the copy stops at the node's end.
  std::string longValue = Node(u"S", 1, std::string("h\0i\0", 4), 500);
  b = WithSpare(Node(u"VS_VERSION_INFO", 0, fixed, 52, longValue));
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\S", &value, &length));
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(std::string(static_cast<char*>(value), 3), std::string("hi\0", 3));
  // A text value without its NUL still comes back terminated.
  b = WithSpare(Node(u"VS_VERSION_INFO", 0, fixed, 52, Node(u"T", 1, std::string("o\0k\0", 4), 2)));
  ASSERT_TRUE(VerQueryValueA(b.data(), "\\t", &value, &length));
  EXPECT_EQ(length, 2u);
  EXPECT_STREQ(static_cast<char*>(value), "ok");
}

TEST_F(PosixVersionTest, OwnProgramReadsTheNumbersOfTheWindowsResource) {
  posix::SetProgramIdentity(root() + "/drive_c/setup", "setup");
  std::string own = posix::ProgramWinPath();
  DWORD size = GetFileVersionInfoSizeA(own.c_str(), nullptr);
  ASSERT_EQ(size, 2 * posix::OwnVersionResource().size() + 4);
  std::vector<uint8_t> b(size);
  ASSERT_TRUE(GetFileVersionInfoA(own.c_str(), 0, size, b.data()));
  const VS_FIXEDFILEINFO* f = Fixed(b);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->dwProductVersionMS, static_cast<DWORD>(SETUP_VERSION_MAJOR << 16 | SETUP_VERSION_MINOR));
  EXPECT_EQ(f->dwProductVersionLS, static_cast<DWORD>(SETUP_VERSION_RELEASE << 16 | SETUP_VERSION_BUILD));
  EXPECT_EQ(Text(b, "\\StringFileInfo\\040904E4\\CompanyName"), SETUP_COMPANY_NAME);
  EXPECT_EQ(Text(b, "\\StringFileInfo\\040904E4\\ProductVersion"), SETUP_VERSION_TEXT);
  // Byte for byte the block windres makes of the Windows build's script.
  std::vector<uint8_t> windows = Block("setup_pe32.dll");
  ASSERT_FALSE(windows.empty());
  const std::string& mine = posix::OwnVersionResource();
  ASSERT_EQ(Length(windows), mine.size());
  EXPECT_EQ(std::string(windows.begin(), windows.begin() + mine.size()), mine);
}

}  // namespace
