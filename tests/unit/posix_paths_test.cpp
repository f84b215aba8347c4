// Windows paths over the machine directory: normalisation, drive mapping,
// case-insensitive lookup, the current directory, the system folders and
// the search path.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include <string>

#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

class PosixPathsTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  }
  std::string HostOf(const char* win) {
    std::string host;
    EXPECT_TRUE(posix::WinToHost(win, &host)) << win;
    return host;
  }
};

TEST_F(PosixPathsTest, FullPathNormalisesSeparatorsDotsAndDriveCase) {
  EXPECT_EQ(posix::FullWinPath("c:/a//b/./c/../d\\"), "C:\\a\\b\\d");
  EXPECT_EQ(posix::FullWinPath("C:\\..\\.."), "C:\\");
  EXPECT_EQ(posix::FullWinPath("C:\\dir\\name. "), "C:\\dir\\name");
  // Names that only look like "." and "..", next to the real ones.
  EXPECT_EQ(posix::FullWinPath("C:\\a\\.hidden\\..x\\...\\b"), "C:\\a\\.hidden\\..x\\...\\b");
  EXPECT_EQ(posix::FullWinPath("C:\\a\\.\\b"), "C:\\a\\b");
  EXPECT_EQ(posix::FullWinPath("C:\\a\\..\\b"), "C:\\b");
  EXPECT_EQ(posix::FullWinPath("C:\\a\\b\\.."), "C:\\a");
  EXPECT_EQ(posix::FullWinPath("C:\\a\\..."), "C:\\a");
  EXPECT_EQ(posix::FullWinPath("C:\\a\\\\b"), "C:\\a\\b");
  ASSERT_TRUE(CreateDirectoryA("C:\\work", nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA("c:\\work"));
  EXPECT_EQ(posix::FullWinPath("sub\\f.txt"), "C:\\work\\sub\\f.txt");
  EXPECT_EQ(posix::FullWinPath("\\top"), "C:\\top");
  EXPECT_EQ(posix::FullWinPath("C:rel"), "C:\\work\\rel");
  EXPECT_EQ(posix::FullWinPath("D:rel"), "D:\\rel");
}

TEST_F(PosixPathsTest, ExistingComponentsAreFoundWithoutRegardToCase) {
  WriteHostFile("drive_c/Program Files/App/ReadMe.TXT", "x");
  EXPECT_EQ(HostOf("C:\\PROGRAM FILES\\app\\readme.txt"), Host("drive_c/Program Files/App/ReadMe.TXT"));
  // Missing parts are kept as written below the last existing one.
  EXPECT_EQ(HostOf("c:\\program files\\NEW\\File.Dat"), Host("drive_c/Program Files/NEW/File.Dat"));
}

TEST_F(PosixPathsTest, ExactSpellingWinsOverAnotherCase) {
  WriteHostFile("drive_c/a.txt", "lower");
  WriteHostFile("drive_c/A.TXT", "upper");
  EXPECT_EQ(HostOf("C:\\A.TXT"), Host("drive_c/A.TXT"));
  EXPECT_EQ(HostOf("C:\\a.txt"), Host("drive_c/a.txt"));
}

// The kept names of a folder follow our own changes without a new listing;
// a later change by another process (the folder's time moves past ours)
// still makes the folder be read again.
TEST_F(PosixPathsTest, NamesAddedByAnotherProcessAfterOurOwnChangeAreFound) {
  ASSERT_TRUE(CreateDirectoryA("C:\\dir", nullptr));
  WriteHostFile("drive_c/dir/Old.txt", "x");
  EXPECT_EQ(GetFileAttributesA("C:\\dir\\missing.txt"), INVALID_FILE_ATTRIBUTES);  // the listing is kept
  HANDLE own = CreateFileA("C:\\dir\\own.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(own, INVALID_HANDLE_VALUE);
  CloseHandle(own);
  WriteHostFile("drive_c/dir/Other.TXT", "y");
  struct timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 10, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, Host("drive_c/dir").c_str(), later, 0), 0);
  EXPECT_EQ(HostOf("C:\\dir\\other.txt"), Host("drive_c/dir/Other.TXT"));
  EXPECT_NE(GetFileAttributesA("C:\\dir\\OTHER.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(HostOf("C:\\DIR\\OWN.TXT"), Host("drive_c/dir/own.txt"));
}

// Our own change alone: the next look finds the new name in another case.
TEST_F(PosixPathsTest, OurOwnNewNameIsFoundInAnotherCaseRightAway) {
  ASSERT_TRUE(CreateDirectoryA("C:\\dir", nullptr));
  EXPECT_EQ(GetFileAttributesA("C:\\dir\\missing.txt"), INVALID_FILE_ATTRIBUTES);
  HANDLE own = CreateFileA("C:\\dir\\Own.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(own, INVALID_HANDLE_VALUE);
  CloseHandle(own);
  ASSERT_TRUE(MoveFileExA("C:\\dir\\Own.txt", "C:\\dir\\Moved.txt", 0));
  EXPECT_EQ(HostOf("C:\\DIR\\MOVED.TXT"), Host("drive_c/dir/Moved.txt"));
  EXPECT_EQ(GetFileAttributesA("C:\\dir\\OWN.TXT"), INVALID_FILE_ATTRIBUTES);
}

// A folder filled with new files answers lookups from its kept names once
// names have been missing there in a row. Those answers must stay those of
// a look at the name itself.
TEST_F(PosixPathsTest, AFolderBeingFilledStillFindsWhatOthersPutThere) {
  ASSERT_TRUE(CreateDirectoryA("C:\\fill", nullptr));
  for (const char* name : {"C:\\fill\\a1.dat", "C:\\fill\\a2.dat", "C:\\fill\\a3.dat"}) {
    EXPECT_EQ(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << name;
  }
  HANDLE own = CreateFileA("C:\\fill\\a1.dat", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(own, INVALID_HANDLE_VALUE);
  CloseHandle(own);
  EXPECT_EQ(GetFileAttributesA("C:\\fill\\a4.dat"), INVALID_FILE_ATTRIBUTES);
  // Another process, later than our own change: exactly spelt and in another case.
  WriteHostFile("drive_c/fill/b1.dat", "x");
  WriteHostFile("drive_c/fill/B2.DAT", "y");
  struct timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 10, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, Host("drive_c/fill").c_str(), later, 0), 0);
  EXPECT_NE(GetFileAttributesA("C:\\fill\\b1.dat"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(HostOf("C:\\fill\\b2.dat"), Host("drive_c/fill/B2.DAT"));
  // Our own new names in another case, and a name that is still missing.
  EXPECT_EQ(HostOf("C:\\FILL\\A1.DAT"), Host("drive_c/fill/a1.dat"));
  EXPECT_EQ(GetFileAttributesA("C:\\fill\\a5.dat"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\fill\\a6.dat"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(CreateFileA("C:\\fill\\B1.DAT", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

// The folder being filled is held open, so that its status needs no walk of
// its path; what its path leads to must still win: at once when the held
// folder was removed, after a moment when it was moved away. The new folder
// takes the old one's time, so that only its being another folder tells.
TEST_F(PosixPathsTest, AFolderInPlaceOfTheHeldOneIsTheOneLookedIn) {
  struct Row {
    const char* folder;
    const char* host;
    bool removed;  // else moved away
  } rows[] = {{"C:\\removed", "drive_c/removed", true}, {"C:\\moved", "drive_c/moved", false}};
  struct timespec past[2] = {{0, UTIME_OMIT}, {time(nullptr) - 100, 0}};
  for (const Row& row : rows) {
    std::string folder = row.folder, host = Host(row.host);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    // Older than a clock tick, its listing is trusted for missing names.
    ASSERT_EQ(utimensat(AT_FDCWD, host.c_str(), past, 0), 0);
    for (const char* name : {"\\a1.dat", "\\a2.dat", "\\a3.dat", "\\a4.dat"})
      EXPECT_EQ(GetFileAttributesA((folder + name).c_str()), INVALID_FILE_ATTRIBUTES) << folder << name;
    if (row.removed) ASSERT_EQ(rmdir(host.c_str()), 0);
    else ASSERT_EQ(rename(host.c_str(), (host + "-away").c_str()), 0);
    ASSERT_EQ(mkdir(host.c_str(), 0777), 0);
    int fd = open((host + "/NEW.DAT").c_str(), O_WRONLY | O_CREAT, 0666);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_EQ(utimensat(AT_FDCWD, host.c_str(), past, 0), 0);
    if (!row.removed) usleep(3000);
    EXPECT_EQ(HostOf((folder + "\\new.dat").c_str()), host + "/NEW.DAT") << folder;
    EXPECT_EQ(GetFileAttributesA((folder + "\\a5.dat").c_str()), INVALID_FILE_ATTRIBUTES) << folder;
  }
}

TEST_F(PosixPathsTest, DriveZIsTheHostRootAndUnknownDrivesFail) {
  EXPECT_EQ(HostOf("Z:\\"), "/");
  EXPECT_EQ(HostOf("z:\\tmp"), "/tmp");
  EXPECT_EQ(posix::HostToWin("/usr/lib"), "Z:\\usr\\lib");
  EXPECT_EQ(posix::HostToWin(Host("drive_c/Windows")), "C:\\Windows");
  EXPECT_EQ(posix::HostToWin(Host("drive_c")), "C:\\");
  std::string host;
  SetLastError(0);
  EXPECT_FALSE(posix::WinToHost("Q:\\x", &host));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("Q:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PosixPathsTest, FurtherDrivesExistWhenTheirFolderDoes) {
  mkdir(Host("drive_x").c_str(), 0777);
  WriteHostFile("drive_x/Data/f.bin", "1");
  EXPECT_EQ(HostOf("x:\\data\\F.BIN"), Host("drive_x/Data/f.bin"));
  EXPECT_EQ(posix::HostToWin(Host("drive_x/Data")), "X:\\Data");
}

TEST_F(PosixPathsTest, NamesTravelInTheAnsiCodePage) {
  ASSERT_TRUE(CreateDirectoryA("C:\\B\xFCro", nullptr));  // "Büro" in code page 1252
  struct stat st;
  EXPECT_EQ(stat(Host("drive_c/B\xC3\xBCro").c_str(), &st), 0);
  EXPECT_EQ(posix::HostToWin(Host("drive_c/B\xC3\xBCro")), "C:\\B\xFCro");
}

TEST_F(PosixPathsTest, CurrentDirectoryFollowsSetCurrentDirectory) {
  WriteHostFile("drive_c/Inst/Sub/f.txt", "x");
  ASSERT_TRUE(SetCurrentDirectoryA("c:\\inst\\"));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 7u);
  EXPECT_STREQ(buffer, "C:\\inst");
  EXPECT_EQ(GetCurrentDirectoryA(7, buffer), 8u);  // too small: the size needed with the NUL
  EXPECT_NE(GetFileAttributesA("Sub\\F.TXT"), INVALID_FILE_ATTRIBUTES);

  EXPECT_FALSE(SetCurrentDirectoryA("C:\\inst\\missing"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("C:\\nowhere\\missing"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("C:\\inst\\sub\\f.txt"));
  EXPECT_EQ(GetLastError(), 267u);
  GetCurrentDirectoryA(sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "C:\\inst");
}

TEST_F(PosixPathsTest, SystemFoldersComeFromWindir) {
  SetEnvironmentVariableA("windir", "C:\\WINNT");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 8u);
  EXPECT_STREQ(buffer, "C:\\WINNT");
  EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 17u);
  EXPECT_STREQ(buffer, "C:\\WINNT\\system32");
  EXPECT_EQ(GetSystemDirectoryA(buffer, 17), 18u);
}

class PosixSearchPathTest : public PosixPathsTest {
 protected:
  void SetUp() override {
    PosixPathsTest::SetUp();
    SetEnvironmentVariableA("windir", "C:\\WINDOWS");
    SetEnvironmentVariableA("PATH", "C:\\Tools;C:\\More");
    posix::SetProgramIdentity(Host("drive_c/Medium/setup"), "setup");
    mkdir(Host("drive_c/Work").c_str(), 0777);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Work"));
  }
  std::string Search(const char* name, const char* extension = nullptr) {
    char buffer[MAX_PATH] = "";
    char* filePart = nullptr;
    DWORD length = SearchPathA(nullptr, name, extension, sizeof buffer, buffer, &filePart);
    if (length == 0) return "<" + std::to_string(GetLastError()) + ">";
    EXPECT_EQ(length, std::string(buffer).size());
    EXPECT_EQ(std::string(filePart), std::string(buffer).substr(std::string(buffer).rfind('\\') + 1));
    return buffer;
  }
};

TEST_F(PosixSearchPathTest, ProgramFolderThenCurrentThenSystemThenWindowsThenPath) {
  WriteHostFile("drive_c/More/tool.exe", "");
  EXPECT_EQ(Search("tool.exe"), "C:\\More\\tool.exe");
  WriteHostFile("drive_c/Tools/tool.exe", "");
  EXPECT_EQ(Search("tool.exe"), "C:\\Tools\\tool.exe");
  WriteHostFile("drive_c/WINDOWS/tool.exe", "");
  EXPECT_EQ(Search("tool.exe"), "C:\\WINDOWS\\tool.exe");
  WriteHostFile("drive_c/WINDOWS/system32/tool.exe", "");
  EXPECT_EQ(Search("tool.exe"), "C:\\WINDOWS\\system32\\tool.exe");
  WriteHostFile("drive_c/Work/tool.exe", "");
  EXPECT_EQ(Search("tool.exe"), "C:\\Work\\tool.exe");
  WriteHostFile("drive_c/Medium/tool.exe", "");
  EXPECT_EQ(Search("TOOL.EXE"), "C:\\Medium\\TOOL.EXE");
}

TEST_F(PosixSearchPathTest, ExtensionOnlyForNamesWithoutOne) {
  WriteHostFile("drive_c/WINDOWS/system32/rundll32.exe", "");
  EXPECT_EQ(Search("rundll32", ".exe"), "C:\\WINDOWS\\system32\\rundll32.exe");
  EXPECT_EQ(Search("rundll32.x", ".exe"), "<2>");
  EXPECT_EQ(Search("missing.dll"), "<2>");
  EXPECT_EQ(Search(""), "<87>");
}

TEST_F(PosixSearchPathTest, ANameWithItsOwnPathIgnoresTheSearchPath) {
  WriteHostFile("drive_c/Tools/t.exe", "");
  WriteHostFile("drive_c/Work/sub/t.exe", "");
  EXPECT_EQ(Search(".\\t.exe"), "<2>");
  EXPECT_EQ(Search("..\\Tools\\t.exe"), "C:\\Tools\\t.exe");
  EXPECT_EQ(Search("sub\\t.exe"), "C:\\Work\\sub\\t.exe");
  char small[8];
  EXPECT_EQ(SearchPathA(nullptr, "C:\\Tools\\t.exe", nullptr, sizeof small, small, nullptr), 15u);
}

}  // namespace
