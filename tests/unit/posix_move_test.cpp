// MoveFileExA of the emulation against what Windows (and Wine) do: one row
// per case, each on a fresh folder of files.
#include <sys/stat.h>

#include <string>

#include "tests/unit/temp_machine.h"
#include "platform/posix/win32_api_posix.h"

namespace {

struct MoveRow {
  const char* from;  // names below C:\M (or a full path)
  const char* to;
  DWORD flags;
  BOOL result;
  DWORD error;        // last error (0 after success)
  const char* after;  // host name below drive_c/M that must hold "new", or nullptr
  const char* gone;   // host name below drive_c/M that must not exist, or nullptr
};

constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING;

class PosixMoveTest : public TempMachineTest {
 protected:
  // The folder of every row: the file to move ("new"), an installed one
  // ("old"), a read-only, a hidden and a differently cased one, a folder.
  void MakeFolder() {
    (void)system(("chmod -R u+w '" + Host("drive_c/M") + "' 2>/dev/null; rm -rf '" + Host("drive_c/M") + "'").c_str());
    WriteHostFile("drive_c/M/src.txt", "new");
    WriteHostFile("drive_c/M/old.txt", "old");
    WriteHostFile("drive_c/M/ro.txt", "old");
    WriteHostFile("drive_c/M/hid.txt", "old");
    WriteHostFile("drive_c/M/CASE.TXT", "old");
    WriteHostFile("drive_c/M/Sub/inner.txt", "old");
    ASSERT_TRUE(SetFileAttributesA("C:\\M\\ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA("C:\\M\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
  }
  bool Exists(const std::string& name) {
    struct stat st;
    return lstat(Host("drive_c/M/" + name).c_str(), &st) == 0;
  }
  static std::string Win(const char* name) {
    std::string text = name;
    return text.find(':') != std::string::npos ? text : "C:\\M\\" + text;
  }
};

TEST_F(PosixMoveTest, MovesAndRefusesAsWindowsDoes) {
  const MoveRow rows[] = {
      {"src.txt", "Sub\\moved.txt", 0, TRUE, 0, "Sub/moved.txt", "src.txt"},
      {"src.txt", "Sub", kReplace, FALSE, ERROR_ACCESS_DENIED, "src.txt", nullptr},
      {"src.txt", "Sub", 0, FALSE, ERROR_ALREADY_EXISTS, "src.txt", nullptr},
      // Renaming ignores the hidden attribute that CopyFileA would not write over.
      {"src.txt", "hid.txt", kReplace, TRUE, 0, "hid.txt", "src.txt"},
      // The name takes the call's spelling, also over a file of another case.
      {"src.txt", "case.txt", kReplace, TRUE, 0, "case.txt", "CASE.TXT"},
      {"src.txt", "SRC.TXT", 0, TRUE, 0, "SRC.TXT", "src.txt"},
      {"SRC.TXT", "src.txt", 0, TRUE, 0, "src.txt", nullptr},
      {"nodir\\src.txt", "moved.txt", kReplace, FALSE, ERROR_PATH_NOT_FOUND, nullptr, "moved.txt"},
      {"src.txt", "wild?.txt", kReplace, FALSE, ERROR_INVALID_NAME, "src.txt", nullptr},
      {"src.txt", "D:\\moved.txt", kReplace, FALSE, ERROR_NOT_SAME_DEVICE, "src.txt", nullptr},
      {"src.txt", "moved.txt", 0x4 /* MOVEFILE_DELAY_UNTIL_REBOOT */, FALSE, ERROR_INVALID_PARAMETER, "src.txt", nullptr},
      {"Sub", "Folder", 0, TRUE, 0, "Folder/inner.txt", "Sub"},
      {"Sub", "old.txt", kReplace, FALSE, ERROR_ACCESS_DENIED, nullptr, nullptr},
  };
  mkdir(Host("drive_d").c_str(), 0777);
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const MoveRow& row = rows[i];
    MakeFolder();
    if (row.to && std::string(row.to) == "Folder") WriteHostFile("drive_c/M/Sub/inner.txt", "new");
    SetLastError(99);
    BOOL result = MoveFileExA(Win(row.from).c_str(), Win(row.to).c_str(), row.flags);
    EXPECT_EQ(result, row.result) << "row " << i;
    EXPECT_EQ(GetLastError(), row.error) << "row " << i;
    if (row.after) {
      EXPECT_EQ(ReadHostFile(std::string("drive_c/M/") + row.after), "new") << "row " << i;
    }
    if (row.gone) {
      EXPECT_FALSE(Exists(row.gone)) << "row " << i;
    }
    if (!row.result) {
      EXPECT_EQ(ReadHostFile("drive_c/M/old.txt"), "old") << "row " << i;
    }
  }
}


TEST_F(PosixMoveTest, TheDosAttributesTravelWithTheFile) {
  MakeFolder();
  ASSERT_TRUE(SetFileAttributesA("C:\\M\\src.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(MoveFileExA("C:\\M\\src.txt", "C:\\M\\old.txt", kReplace));
  EXPECT_EQ(GetFileAttributesA("C:\\M\\old.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(GetFileAttributesA("C:\\M\\src.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(PosixMoveTest, OpenFilesStayWhereTheyAre) {
  MakeFolder();
  // Any open of the target forbids replacing it, sharing or not.
  HANDLE target = CreateFileA("C:\\M\\old.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(target, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(MoveFileExA("C:\\M\\src.txt", "C:\\M\\old.txt", kReplace));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(target);
  // A source open without shared deletion cannot be renamed.
  HANDLE source = CreateFileA("C:\\M\\src.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(source, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(MoveFileExA("C:\\M\\src.txt", "C:\\M\\old.txt", kReplace));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(source);
  EXPECT_TRUE(MoveFileExA("C:\\M\\src.txt", "C:\\M\\old.txt", kReplace));
  EXPECT_EQ(ReadHostFile("drive_c/M/old.txt"), "new");
}

TEST_F(PosixMoveTest, NamesLookedUpAfterAMoveAreTheNewOnes) {
  MakeFolder();
  // Fill the kept listing of the folder, then move within it.
  EXPECT_EQ(GetFileAttributesA("C:\\M\\NOSUCH.TXT"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(MoveFileExA("C:\\M\\src.txt", "C:\\M\\Renamed.txt", 0));
  EXPECT_EQ(GetFileAttributesA("C:\\M\\SRC.TXT"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA("C:\\M\\RENAMED.TXT"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(CopyFileA("C:\\M\\old.txt", "C:\\M\\SRC.txt", TRUE));
  EXPECT_TRUE(Exists("SRC.txt"));
}

}  // namespace
