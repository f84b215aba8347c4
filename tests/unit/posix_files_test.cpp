// Files through the emulated API: copy, delete, folders, open handles,
// attributes and file times.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

class PosixFilesTest : public TempMachineTest {
 protected:
  void SetFileMtime(const std::string& relative, time_t seconds, long nanoseconds) {
    struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, Host(relative).c_str(), times, 0), 0);
  }
  FILETIME LastWrite(const char* win) {
    FILETIME ft = {0, 0};
    HANDLE file = CreateFileA(win, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << win;
    EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &ft));
    CloseHandle(file);
    return ft;
  }
};

// A host time finer than Windows' 100 ns ticks survives a copy as ticks.
TEST_F(PosixFilesTest, CopyKeepsTheHostTimeOfTheSource) {
  WriteHostFile("drive_c/src/App.exe", "program bytes");
  SetFileMtime("drive_c/src/App.exe", 1049983532, 123456789);
  mkdir(Host("drive_c/dst").c_str(), 0777);
  ASSERT_TRUE(CopyFileA("C:\\SRC\\APP.EXE", "C:\\Dst\\app.exe", FALSE));
  FILETIME source = LastWrite("C:\\src\\App.exe");
  FILETIME target = LastWrite("C:\\dst\\app.exe");
  EXPECT_EQ(posix::FileTimeValue(source), posix::FileTimeValue(target));
}

TEST_F(PosixFilesTest, CopyOverAnotherCaseReplacesTheExistingFile) {
  WriteHostFile("drive_c/new.txt", "new");
  WriteHostFile("drive_c/dst/README.TXT", "old");
  ASSERT_TRUE(CopyFileA("C:\\new.txt", "C:\\dst\\readme.txt", FALSE));
  EXPECT_EQ(ReadHostFile("drive_c/dst/README.TXT"), "new");
  struct stat st;
  EXPECT_NE(stat(Host("drive_c/dst/readme.txt").c_str(), &st), 0);
}

TEST_F(PosixFilesTest, CopyRefusesMissingFoldersTheSameFileAndNull) {
  WriteHostFile("drive_c/a.txt", "a");
  WriteHostFile("drive_c/b.txt", "b");
  EXPECT_FALSE(CopyFileA("C:\\nodir\\missing.txt", "C:\\c.txt", FALSE));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(CopyFileA("C:\\a.txt", "C:\\A.TXT", FALSE));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(CopyFileA(nullptr, "C:\\c.txt", FALSE));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PosixFilesTest, CopyOntoAFileSucceedsOnceItsHandleIsClosed) {
  WriteHostFile("drive_c/a.txt", "a");
  WriteHostFile("drive_c/log.txt", "log");
  HANDLE log = CreateFileA("C:\\log.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(log, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CopyFileA("C:\\a.txt", "C:\\log.txt", FALSE));
  EXPECT_TRUE(CloseHandle(log));
  EXPECT_TRUE(CopyFileA("C:\\a.txt", "C:\\log.txt", FALSE));
}

TEST_F(PosixFilesTest, CreateDirectoryIgnoresCaseAndATrailingSeparator) {
  EXPECT_TRUE(CreateDirectoryA("C:\\New", nullptr));
  EXPECT_FALSE(CreateDirectoryA("C:\\NEW\\", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryA("Q:\\a", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(CreateDirectoryA("c:\\new\\Sub", nullptr));
  EXPECT_EQ(GetFileAttributesA("C:\\New\\sub"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(PosixFilesTest, CreationDispositions) {
  HANDLE file = CreateFileA("C:\\f.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 0u);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "hello world", 11, &written, nullptr));
  EXPECT_EQ(written, 11u);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  file = CreateFileA("C:\\F.TXT", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(file, &high), 11u);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(SetFilePointer(file, -5, nullptr, FILE_END), 6u);
  char buffer[16] = "";
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), "world");
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), 131u);
  // A second open that the first one does not share is refused.
  EXPECT_EQ(CreateFileA("C:\\f.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(file);

  file = CreateFileA("C:\\f.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileSize(file, nullptr), 0u);
  EXPECT_FALSE(ReadFile(file, buffer, 1, &read, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(file);

  EXPECT_EQ(CreateFileA("C:\\*.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

// Opening an existing file to read takes one open of its exact spelling;
// what is not a plain file there goes the usual way, with the usual answer.
TEST_F(PosixFilesTest, OpeningToReadAnswersAsTheUsualLookWould) {
  WriteHostFile("drive_c/r/Plain.txt", "0123456789");
  mkdir(Host("drive_c/r/Folder").c_str(), 0777);
  ASSERT_EQ(symlink(Host("drive_c/r/Plain.txt").c_str(), Host("drive_c/r/link.txt").c_str()), 0);
  struct Row {
    const char* path;
    DWORD share;
    bool opens;
    DWORD error;
  } rows[] = {
      {"C:\\r\\Plain.txt", FILE_SHARE_READ, true, ERROR_SUCCESS},
      {"C:\\R\\PLAIN.TXT", FILE_SHARE_READ, true, ERROR_SUCCESS},
      {"C:\\r\\link.txt", FILE_SHARE_READ, true, ERROR_SUCCESS},
      {"C:\\r\\Folder", FILE_SHARE_READ, false, ERROR_ACCESS_DENIED},
      {"C:\\r\\missing.txt", FILE_SHARE_READ, false, ERROR_FILE_NOT_FOUND},
      {"C:\\r\\nothere\\x.txt", FILE_SHARE_READ, false, ERROR_PATH_NOT_FOUND},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SetLastError(0xdead);
    HANDLE file = CreateFileA(rows[i].path, GENERIC_READ, rows[i].share, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(file != INVALID_HANDLE_VALUE, rows[i].opens) << "row " << i;
    EXPECT_EQ(GetLastError(), rows[i].error) << "row " << i;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  // A file held for writing without sharing refuses the reader, and stays held.
  HANDLE writer = CreateFileA("C:\\r\\Plain.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA("C:\\r\\Plain.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                        nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(writer);
  // The reader sees the end of the file in the read that reaches it.
  HANDLE reader = CreateFileA("C:\\r\\plain.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  char buffer[64];
  DWORD got = 99;
  EXPECT_TRUE(ReadFile(reader, buffer, 4, &got, nullptr));
  EXPECT_EQ(got, 4u);
  EXPECT_TRUE(ReadFile(reader, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "456789");
  EXPECT_TRUE(ReadFile(reader, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(got, 0u);
  CloseHandle(reader);
}

TEST_F(PosixFilesTest, TheCreatorOfAReadOnlyFileMayStillWrite) {
  HANDLE file = CreateFileA("C:\\ro.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteFile(file, "x", 1, nullptr, nullptr));  // the creating handle may still write
  CloseHandle(file);
  EXPECT_EQ(CreateFileA("C:\\ro.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(PosixFilesTest, SetFileTimeChangesLastWrite) {
  WriteHostFile("drive_c/t.txt", "t");
  HANDLE file = CreateFileA("C:\\t.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME when = posix::FileTimeFromUnix(1000000000, 500);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &when));
  FILETIME back;
  EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &back));
  EXPECT_EQ(posix::FileTimeValue(when), posix::FileTimeValue(back));
  CloseHandle(file);
  struct stat st;
  stat(Host("drive_c/t.txt").c_str(), &st);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
}

TEST(FileTimeTest, UnixAndWindowsTimesConvertBothWays) {
  FILETIME epoch = posix::FileTimeFromUnix(0, 0);
  EXPECT_EQ(posix::FileTimeValue(epoch), 116444736000000000ULL);
  int64_t seconds;
  long nanoseconds;
  posix::UnixFromFileTime(posix::FileTimeFromUnix(1700000000, 123456700), &seconds, &nanoseconds);
  EXPECT_EQ(seconds, 1700000000);
  EXPECT_EQ(nanoseconds, 123456700);
}

TEST(FileTimeTest, DosDateTimeCutsOddSecondsAndKeepsUtc) {
  // 2003-03-21 14:05:33 UTC
  FILETIME ft = posix::FileTimeFromUnix(1048255533, 900000000);
  WORD date = 0, time = 0;
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &date, &time));
  EXPECT_EQ(date, ((2003 - 1980) << 9) | (3 << 5) | 21);
  EXPECT_EQ(time, (14 << 11) | (5 << 5) | (32 / 2));
  ft = posix::FileTimeFromUnix(315532800, 0);  // 1980-01-01 00:00:00
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &date, &time));
  EXPECT_EQ(date, (1 << 5) | 1);
  EXPECT_EQ(time, 0);
}

TEST(FileTimeTest, DosDateTimeRange) {
  FILETIME zero = {0, 0};
  WORD date = 0xAAAA, time = 0xAAAA;
  SetLastError(0);
  EXPECT_FALSE(FileTimeToDosDateTime(&zero, &date, &time));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  FILETIME late = posix::FileTimeFromUnix(4354819200LL, 0);  // 2108-01-01
  EXPECT_FALSE(FileTimeToDosDateTime(&late, &date, &time));
  FILETIME last = posix::FileTimeFromUnix(4354819199LL, 0);  // 2107-12-31 23:59:59
  EXPECT_TRUE(FileTimeToDosDateTime(&last, &date, &time));
  EXPECT_EQ(date, (127 << 9) | (12 << 5) | 31);
  EXPECT_FALSE(FileTimeToDosDateTime(&last, nullptr, &time));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}


}  // namespace
