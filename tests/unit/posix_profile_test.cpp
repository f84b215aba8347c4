// The profile (INI) functions of the emulation: return values, buffer
// contents and file layout as Windows produces them.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "tests/unit/temp_machine.h"

namespace {

const char kIni[] = "C:\\test.ini";
const char kIniHost[] = "drive_c/test.ini";

class PosixProfileTest : public TempMachineTest {
 protected:
  void Given(const std::string& content) const { WriteHostFile(kIniHost, content); }
  std::string File() const { return ReadHostFile(kIniHost); }

  // The value as read with a roomy buffer.
  std::string Read(const char* section, const char* key, const char* def = "-") const {
    char buffer[256];
    DWORD n = GetPrivateProfileStringA(section, key, def, buffer, sizeof buffer, kIni);
    return std::string(buffer, n);
  }
  // The raw bytes of a list, including every NUL the call stored.
  std::string List(const char* section, DWORD size, DWORD* returned) const {
    char buffer[256];
    memset(buffer, '#', sizeof buffer);
    *returned = GetPrivateProfileStringA(section, nullptr, "", buffer, size, kIni);
    return std::string(buffer, size);
  }
  BOOL Write(const char* section, const char* key, const char* value) const {
    return WritePrivateProfileStringA(section, key, value, kIni);
  }
};

const char kTable[] = "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\nx=y\r\n";

TEST_F(PosixProfileTest, SectionListWholeCutAndExactFit) {
  Given(kTable);
  DWORD n = 0;
  EXPECT_EQ(List(nullptr, 16, &n), std::string("section1\0secti\0\0", 16));
  EXPECT_EQ(n, 14u);
  EXPECT_EQ(List(nullptr, 20, &n).substr(0, 19), std::string("section1\0section2\0\0", 19));
  EXPECT_EQ(n, 18u);
  // Fitting only with its final NUL counts as cut for the section list.
  EXPECT_EQ(List(nullptr, 19, &n), std::string("section1\0section2\0\0", 19));
  EXPECT_EQ(n, 17u);
}

TEST_F(PosixProfileTest, DuplicatesListedButFirstOneFound) {
  Given("[s]\r\nk=1\r\nk=2\r\n[t]\r\n[S]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(Read("s", "k"), "1");
  EXPECT_EQ(Read("s", "j"), "-");  // a repeated section block is not looked at
  DWORD n = 0;
  EXPECT_EQ(List("s", 32, &n).substr(0, 5), std::string("k\0k\0\0", 5));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(List(nullptr, 32, &n).substr(0, 7), std::string("s\0t\0S\0\0", 7));
  EXPECT_EQ(n, 6u);
}

TEST_F(PosixProfileTest, LineBreaksAndOddHeaders) {
  Given("[s]\rk=v\rj=w\n[open\r\nx=1\r\n[a]b]junk\r\ny=2");
  EXPECT_EQ(Read("s", "j"), "w");
  EXPECT_EQ(Read("open", "x"), "1");  // a header without ']' still counts (Windows)
  EXPECT_EQ(Read("a", "y"), "2");     // the name ends at the first ']'
}

TEST_F(PosixProfileTest, DeletingASectionKeepsItsComments) {
  Given("[a]\r\n;c\r\nk=v\r\n\r\n[b]\r\nx=1\r\n");
  EXPECT_TRUE(Write("A", nullptr, nullptr));
  EXPECT_EQ(File(), ";c\r\n\r\n[b]\r\nx=1\r\n");
}

TEST_F(PosixProfileTest, RefusedWrites) {
  Given("[s]\r\nk=v\r\n");
  chmod(Host(kIniHost).c_str(), 0444);
  SetLastError(0);
  EXPECT_FALSE(Write("s", "k", "w"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_EQ(File(), "[s]\r\nk=v\r\n");

  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\no such dir\\x.ini"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", ""));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", "C:\\other.ini"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, kIni));  // flush
  struct stat st;
  EXPECT_NE(stat(Host("drive_c/other.ini").c_str(), &st), 0);
}

// A name with a character no file name may hold is refused with 123 before
// anything is made; a read of it gives the default.
TEST_F(PosixProfileTest, NamesWithForbiddenCharactersAreRefused) {
  const char* const names[] = {"C:\\a|b.ini", "C:\\a?b.ini", "C:\\a*b.ini", "C:\\a<b.ini",
                               "C:\\a>b.ini", "C:\\a\"b.ini", "C:\\a:b.ini", "C:\\d|r\\x.ini",
                               "a|b.ini",     "C:\\a\tb.ini"};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", names[i])) << "row " << i;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME) << "row " << i;
    char buffer[8];
    SetLastError(0);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "def", buffer, sizeof buffer, names[i]), 3u)
        << "row " << i;
    EXPECT_STREQ(buffer, "def") << "row " << i;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME) << "row " << i;
    struct stat st;
    if (names[i][0] == 'C') {
      EXPECT_NE(stat(Host(std::string("drive_c/") + (names[i] + 3)).c_str(), &st), 0) << "row " << i;
    }
  }
}

TEST_F(PosixProfileTest, BareFileNameMeansTheWindowsDirectory) {
  WriteHostFile("drive_c/WINDOWS/placeholder", "");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", "prof.ini"));
  EXPECT_EQ(ReadHostFile("drive_c/WINDOWS/prof.ini"), "[s]\r\nk=v\r\n");
  char buffer[8];
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, "prof.ini"), 1u);
  EXPECT_STREQ(buffer, "v");
}

TEST_F(PosixProfileTest, SeesAnOutsideChangeOfTheSameSize) {
  Given("[s]\r\nk=aaaa\r\n");
  EXPECT_EQ(Read("s", "k"), "aaaa");
  Given("[s]\r\nk=bbbb\r\n");
  struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
  ASSERT_EQ(utimensat(AT_FDCWD, Host(kIniHost).c_str(), times, 0), 0);
  EXPECT_EQ(Read("s", "k"), "bbbb");
  EXPECT_TRUE(Write("s", "k", "cccc"));
  EXPECT_EQ(Read("s", "k"), "cccc");

  // Rewritten within the same clock tick and given back its old time: only
  // the content tells, and a file this fresh is read again to compare it.
  struct stat st;
  ASSERT_EQ(stat(Host(kIniHost).c_str(), &st), 0);
  EXPECT_EQ(Read("s", "k"), "cccc");
  Given("[s]\r\nk=dddd\r\n");
  struct timespec old[2] = {{0, UTIME_OMIT}, st.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, Host(kIniHost).c_str(), old, 0), 0);
  EXPECT_EQ(Read("s", "k"), "dddd");
}

TEST_F(PosixProfileTest, ReplacingKeepsModeAttributesAndLinks) {
  Given("[s]\r\nk=v\r\n");
  std::string path = Host(kIniHost);
  chmod(path.c_str(), 0640);
  bool hasXattr = setxattr(path.c_str(), "user.DOSATTRIB", "0x2", 3, 0) == 0;
  ASSERT_EQ(link(path.c_str(), Host("drive_c/linked.ini").c_str()), 0);
  ASSERT_EQ(symlink(path.c_str(), Host("drive_c/sym.ini").c_str()), 0);

  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "w", "C:\\sym.ini"));
  struct stat st;
  ASSERT_EQ(lstat(Host("drive_c/sym.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadHostFile("drive_c/linked.ini"), "[s]\r\nk=w\r\n");

  ASSERT_EQ(unlink(Host("drive_c/linked.ini").c_str()), 0);
  EXPECT_TRUE(Write("s", "k", "x"));  // now replaced by a new file
  EXPECT_EQ(File(), "[s]\r\nk=x\r\n");
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (hasXattr) {
    char value[8] = {};
    EXPECT_EQ(getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value), 3);
    EXPECT_STREQ(value, "0x2");
  }
}

}  // namespace
