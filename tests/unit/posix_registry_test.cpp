// The registry of the emulation: the REGEDIT4 file it lives in, and the
// return codes, sizes and rights of the Reg* functions as Windows has them.
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/registry/registry_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

// A file exactly as the emulation writes it: every key, sorted, CRLF.
const char kCanonical[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.txt]\r\n"
    "@=\"txtfile\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\r\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
    "@=\"default text\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Blob\"=hex:01,02,ff\r\n"
    "\"Path\"=hex(2):25,77,69,6e,64,69,72,25,5c,69,6e,66,00\r\n"
    "\"Multi\"=hex(7):61,00,62,00,00\r\n"
    "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"Strange\"=hex(12345):de,ad\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
    "  16,17,18,19,1a,1b,1c,1d\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\alpha]\r\n"
    "\"x\"=\"1\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Beta]\r\n"
    "\r\n";

const char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

class PosixRegistryTest : public TempMachineTest {
 protected:
  void Load(const std::string& text) {
    WriteHostFile("registry.reg", text);
    Reload();
  }
  void Reload() {
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(Host("registry.reg"), &why)) << why;
  }
  std::string File() const { return ReadHostFile("registry.reg"); }

  HKEY Open(HKEY root, const char* path, REGSAM access = KEY_READ) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(root, path, 0, access, &key), ERROR_SUCCESS) << path;
    return key;
  }
  // Type and bytes of a value read with a roomy buffer ("" type 99 when absent).
  std::string Value(HKEY key, const char* name, DWORD* type = nullptr) {
    BYTE buffer[512];
    DWORD size = sizeof buffer, t = 99;
    if (RegQueryValueExA(key, name, nullptr, &t, buffer, &size) != ERROR_SUCCESS) size = 0;
    if (type) *type = t;
    return std::string(reinterpret_cast<char*>(buffer), size);
  }
  LONG SetString(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), strlen(text) + 1);
  }
  bool HasTempFiles() const {
    bool found = false;
    DIR* dir = opendir(root().c_str());
    while (dirent* e = readdir(dir))
      if (strncmp(e->d_name, "registry.reg.", 13) == 0) found = true;
    closedir(dir);
    return found;
  }
};

// ---- the file ----

TEST_F(PosixRegistryTest, CanonicalFileIsWrittenBackByteForByte) {
  Load(kCanonical);
  EXPECT_EQ(posix::WriteRegFile(posix::TheRegistry()), kCanonical);
  // A change rewrites the file; setting a value to what it holds changes nothing in it.
  HKEY key = Open(HKEY_CURRENT_USER, "Software\\alpha", KEY_SET_VALUE);
  EXPECT_EQ(SetString(key, "x", "1"), ERROR_SUCCESS);
  EXPECT_EQ(File(), kCanonical);
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, ValuesReadFromTheFileHaveTheirTypesAndBytes) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  DWORD type;
  EXPECT_EQ(Value(key, "ProgramFilesDir", &type), std::string("C:\\Program Files\0", 17));
  EXPECT_EQ(type, (DWORD)REG_SZ);
  EXPECT_EQ(Value(key, "Quoted"), std::string("say \"hi\"\0", 9));
  EXPECT_EQ(Value(key, "Count", &type), std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(type, (DWORD)REG_DWORD);
  EXPECT_EQ(Value(key, "Blob", &type), "\x01\x02\xff");
  EXPECT_EQ(type, (DWORD)REG_BINARY);
  EXPECT_EQ(Value(key, "Path", &type), std::string("%windir%\\inf\0", 13));
  EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
  EXPECT_EQ(Value(key, "Multi", &type), std::string("a\0b\0\0", 5));
  EXPECT_EQ(type, (DWORD)REG_MULTI_SZ);
  EXPECT_EQ(Value(key, "Long").size(), 30u);
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, UnknownTypesKeepTypeAndBytes) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  DWORD type;
  EXPECT_EQ(Value(key, "Strange", &type), "\xde\xad");
  EXPECT_EQ(type, 0x12345u);
  EXPECT_EQ(Value(key, "None", &type), "");
  EXPECT_EQ(type, (DWORD)REG_NONE);
  EXPECT_EQ(Value(key, "Quad", &type), std::string("\x01\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(type, (DWORD)REG_QWORD);
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, ReadsHandWrittenFilesAsRegeditDoes) {
  Load("REGEDIT4\n"
       "; a comment\n"
       "[HKEY_CURRENT_USER\\A\\\\B\\]\n"
       "  \"spaced\" = \"v\"   ; trailing comment\n"
       "\"esc\"=\"back\\\\slash \\q\"\n"
       "\"cont\"=hex:01,02,\\\n"
       "    03,\\\n"
       "  04\n"
       "\"d\"=dword:FF\n"
       "\"bad\"=dword:123456789\n"
       "\"exp\"=hex(2):61,62\n"
       "\"junk\"=\"unterminated\n"
       "[HKEY_NOWHERE\\X]\n"
       "\"lost\"=\"1\"\n");
  HKEY key = Open(HKEY_CURRENT_USER, "A\\B");
  EXPECT_EQ(Value(key, "spaced"), std::string("v\0", 2));
  EXPECT_EQ(Value(key, "esc"), std::string("back\\slash \\q\0", 14));
  EXPECT_EQ(Value(key, "cont"), "\x01\x02\x03\x04");
  EXPECT_EQ(Value(key, "d"), std::string("\xff\0\0\0", 4));
  DWORD type;
  EXPECT_EQ(Value(key, "bad", &type), "");
  EXPECT_EQ(type, 99u);
  // The importer adds the terminator an expandable string lacks.
  EXPECT_EQ(Value(key, "exp"), std::string("ab\0", 3));
  EXPECT_EQ(Value(key, "junk", &type), "");
  EXPECT_EQ(type, 99u);
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, DeletionLinesRemoveTreesAndValues) {
  Load(std::string(kCanonical) +
       "[-HKEY_CURRENT_USER\\Software]\r\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
       "\"Count\"=-\r\n");
  HKEY key;
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\alpha", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
  key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  DWORD size = 7;
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Value(key, "Blob"), "\x01\x02\xff");
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, UnicodeExportIsReadAsAnsi) {
  std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Caf\xe9]\r\n"
      "\"s\"=\"\xe9t\xe9\"\r\n"
      "\"e\"=hex(2):25,00,41,00,25,00,00,00\r\n";
  std::string utf16 = "\xff\xfe";
  for (char c : text) utf16 += std::string(1, c) + '\0';
  Load(utf16);
  HKEY key = Open(HKEY_CURRENT_USER, "CAF\xc9");
  EXPECT_EQ(Value(key, "s"), std::string("\xe9t\xe9\0", 4));
  EXPECT_EQ(Value(key, "e"), std::string("%A%\0", 4));
  RegCloseKey(key);
  // What we write back is REGEDIT4.
  EXPECT_EQ(posix::WriteRegFile(posix::TheRegistry()),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Caf\xe9]\r\n\"s\"=\"\xe9t\xe9\"\r\n"
            "\"e\"=hex(2):25,41,25,00\r\n\r\n");
}

TEST_F(PosixRegistryTest, MissingFileIsAnEmptyRegistryAndAForeignFileIsRefused) {
  unlink(Host("registry.reg").c_str());
  Reload();
  HKEY key;
  EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &key), ERROR_FILE_NOT_FOUND);
  WriteHostFile("registry.reg", "[HKEY_CURRENT_USER\\x]\r\n");
  std::string why;
  EXPECT_FALSE(posix::LoadRegistry(Host("registry.reg"), &why));
  EXPECT_NE(why.find("registry.reg"), std::string::npos) << why;
  // A file the registry could not read is never written over.
  EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "y", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(File(), "[HKEY_CURRENT_USER\\x]\r\n");
}

// ---- names ----

TEST_F(PosixRegistryTest, KeyAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, "software\\MICROSOFT\\windows\\currentversion",
                  KEY_QUERY_VALUE | KEY_SET_VALUE);
  EXPECT_EQ(Value(key, "programfilesdir"), std::string("C:\\Program Files\0", 17));
  EXPECT_EQ(SetString(key, "PROGRAMFILESDIR", "D:\\Apps"), ERROR_SUCCESS);
  RegCloseKey(key);
  HKEY created;
  EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "SOFTWARE\\ALPHA\\New", &created), ERROR_SUCCESS);
  RegCloseKey(created);
  std::string file = File();
  EXPECT_NE(file.find("\"ProgramFilesDir\"=\"D:\\\\Apps\"\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\alpha\\New]\r\n"), std::string::npos) << file;
  EXPECT_EQ(file.find("ALPHA"), std::string::npos) << file;
}

TEST_F(PosixRegistryTest, SubkeysAreWrittenInWindowsOrder) {
  Load("REGEDIT4\r\n");
  for (const char* name : {"b", "C", "a", "Ab"}) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, name, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  EXPECT_EQ(File(),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\r\n[HKEY_CURRENT_USER\\Ab]\r\n\r\n"
            "[HKEY_CURRENT_USER\\b]\r\n\r\n[HKEY_CURRENT_USER\\C]\r\n\r\n");
}

// ---- RegQueryValueExA ----

TEST_F(PosixRegistryTest, QueryReportsAbsentValuesWithoutTouchingTheSize) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  BYTE buffer[8] = {'#'};
  DWORD size = sizeof buffer, type = 77;
  EXPECT_EQ(RegQueryValueExA(key, "Nope", nullptr, &type, buffer, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(type, 77u);
  EXPECT_EQ(buffer[0], '#');
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, QueryWithoutBufferGivesTheSizeWithTheNul) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  DWORD size = 0, type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 17u);
  EXPECT_EQ(type, (DWORD)REG_SZ);
  EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, QueryIntoATooSmallBufferGives234AndTheSize) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  char buffer[17];
  memset(buffer, '#', sizeof buffer);
  DWORD size = 16, type = 0;  // one short: the NUL does not fit
  EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, (BYTE*)buffer, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 17u);
  EXPECT_EQ(type, (DWORD)REG_SZ);
  EXPECT_EQ(std::string(buffer, 17), std::string(17, '#'));
  size = 17;
  EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, (BYTE*)buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 17u);
  EXPECT_STREQ(buffer, "C:\\Program Files");
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, NullAndEmptyNamesAddressTheDefaultValue) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  EXPECT_EQ(Value(key, nullptr), std::string("default text\0", 13));
  EXPECT_EQ(Value(key, ""), std::string("default text\0", 13));
  RegCloseKey(key);
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, nullptr), "");  // the root has none
  HKEY txt = Open(HKEY_CLASSES_ROOT, ".TXT");
  EXPECT_EQ(Value(txt, ""), std::string("txtfile\0", 8));
  RegCloseKey(txt);
}

TEST_F(PosixRegistryTest, QueryRefusesBadArguments) {
  Load(kCanonical);
  HKEY key = Open(HKEY_LOCAL_MACHINE, kWindowsKey);
  BYTE buffer[4];
  DWORD reserved = 0, size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Count", &reserved, nullptr, buffer, &size), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, buffer, &size), ERROR_INVALID_HANDLE);
}

// ---- RegSetValueExA ----

TEST_F(PosixRegistryTest, DwordAndExpandableStringsAreStoredAndWritten) {
  Load("REGEDIT4\r\n");
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "T", &key), ERROR_SUCCESS);
  DWORD number = 0x12345678;
  EXPECT_EQ(RegSetValueExA(key, "n", 0, REG_DWORD, (const BYTE*)&number, 4), ERROR_SUCCESS);
  const char path[] = "%SystemRoot%\\x";
  EXPECT_EQ(RegSetValueExA(key, "p", 0, REG_EXPAND_SZ, (const BYTE*)path, sizeof path), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, nullptr, "line1\r\nline2"), ERROR_SUCCESS);
  DWORD type;
  EXPECT_EQ(Value(key, "n", &type), "\x78\x56\x34\x12");
  EXPECT_EQ(type, (DWORD)REG_DWORD);
  EXPECT_EQ(Value(key, "p", &type), std::string(path, sizeof path));
  EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
  RegCloseKey(key);
  // A string with a line break cannot be quoted on one line: it goes as hex(1).
  EXPECT_EQ(File(),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\T]\r\n\"n\"=dword:12345678\r\n"
            "\"p\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,00\r\n"
            "@=hex(1):6c,69,6e,65,31,0d,0a,6c,69,6e,65,32,00\r\n\r\n");
  Reload();
  key = Open(HKEY_CURRENT_USER, "T");
  EXPECT_EQ(Value(key, ""), std::string("line1\r\nline2\0", 13));
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, SetRefusesANullBufferWithASize) {
  Load("REGEDIT4\r\n");
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "T", &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, "c", 0, REG_SZ, nullptr, 1), 998);
  RegCloseKey(key);
}

// ---- keys and handles ----

TEST_F(PosixRegistryTest, CreateMakesEveryMissingLevel) {
  Load(kCanonical);
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Vendor\\App\\1.0", &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, "Dir", "C:\\App"), ERROR_SUCCESS);
  RegCloseKey(key);
  std::string file = File();
  EXPECT_NE(file.find("\r\n[HKEY_CURRENT_USER\\Software\\Vendor]\r\n\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Vendor\\App]\r\n\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Vendor\\App\\1.0]\r\n\"Dir\"=\"C:\\\\App\"\r\n"),
            std::string::npos)
      << file;
  Reload();
  HKEY again = Open(HKEY_CURRENT_USER, "Software\\Vendor\\App\\1.0");
  EXPECT_EQ(Value(again, "Dir"), std::string("C:\\App\0", 7));
  RegCloseKey(again);
  // An existing key is opened, not created again.
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "software\\vendor", &key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(File(), file);
}

TEST_F(PosixRegistryTest, OpenFollowsWindowsForPathsAndHandles) {
  Load(kCanonical);
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Missing", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, nullptr, &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "", &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "\\Software", &key), ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "\\Software", &key), ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\alpha\\\\", &key), ERROR_SUCCESS);
  EXPECT_EQ(Value(key, "x"), std::string("1\0", 2));
  HKEY child;
  EXPECT_EQ(RegOpenKeyExA(key, "", 0, KEY_READ, &child), ERROR_SUCCESS);
  EXPECT_NE(child, key);
  EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyA(key, "x", &child), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(PosixRegistryTest, HandlesRightsAreHonoured) {
  Load(kCanonical);
  HKEY queryOnly = Open(HKEY_CURRENT_USER, "Software\\alpha", KEY_QUERY_VALUE);
  EXPECT_EQ(SetString(queryOnly, "x", "2"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Value(queryOnly, "x"), std::string("1\0", 2));
  RegCloseKey(queryOnly);
  HKEY setOnly = Open(HKEY_CURRENT_USER, "Software\\alpha", KEY_SET_VALUE);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(setOnly, "x", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetString(setOnly, "x", "2"), ERROR_SUCCESS);
  RegCloseKey(setOnly);
  EXPECT_EQ(File().find("\"x\"=\"1\""), std::string::npos);
}

TEST_F(PosixRegistryTest, UserWithoutAdministratorRightsCannotChangeTheMachineKeys) {
  WriteHostFile("non-admin", "");
  Load(kCanonical);
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NewVendor", &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWindowsKey, 0, KEY_SET_VALUE, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWindowsKey, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetString(HKEY_LOCAL_MACHINE, "x", "1"), ERROR_ACCESS_DENIED);
  // Existing keys open, and read, but writes through them fail.
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kWindowsKey, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, "ProgramFilesDir", "X"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Value(key, "ProgramFilesDir"), std::string("C:\\Program Files\0", 17));
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kWindowsKey, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, "ProgramFilesDir", "X"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  // The user's own keys stay writable.
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Mine", &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, "v", "1"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(File().find("NewVendor"), std::string::npos);
}

TEST_F(PosixRegistryTest, ReloadingInvalidatesOpenHandles) {
  Load(kCanonical);
  HKEY key = Open(HKEY_CURRENT_USER, "Software\\alpha");
  Reload();
  EXPECT_EQ(Value(key, "x"), "");
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

// ---- writing the file safely ----

// The file is replaced only by a complete new version: when the new one
// cannot be written, the old file stays and the change is undone.
TEST_F(PosixRegistryTest, FailedWriteInAReadOnlyDirectoryKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  Load(kCanonical);
  HKEY key = Open(HKEY_CURRENT_USER, "Software\\alpha", KEY_SET_VALUE | KEY_QUERY_VALUE);
  chmod(root().c_str(), 0555);
  EXPECT_EQ(SetString(key, "x", "changed"), ERROR_CANTWRITE);
  EXPECT_EQ(SetString(key, "new", "v"), ERROR_CANTWRITE);
  HKEY sub = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegCreateKeyA(key, "Sub\\Deeper", &sub), ERROR_CANTWRITE);
  chmod(root().c_str(), 0755);
  EXPECT_EQ(File(), kCanonical);
  EXPECT_EQ(Value(key, "x"), std::string("1\0", 2));
  EXPECT_EQ(Value(key, "new"), "");
  EXPECT_EQ(RegOpenKeyA(key, "Sub", &sub), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(HasTempFiles());
  RegCloseKey(key);
}

TEST_F(PosixRegistryTest, FailedWriteOfAFileTooLargeKeepsTheOldFile) {
  Load(kCanonical);
  HKEY key = Open(HKEY_CURRENT_USER, "Software\\alpha", KEY_SET_VALUE | KEY_QUERY_VALUE);
  // A file size limit fails the write even for root, as a full disk would.
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit tiny = old;
  tiny.rlim_cur = 64;
  void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &tiny);
  LONG setResult = SetString(key, "x", "changed");
  HKEY sub = reinterpret_cast<HKEY>(0x1234);
  LONG createResult = RegCreateKeyA(key, "Sub", &sub);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(setResult, ERROR_CANTWRITE);
  EXPECT_EQ(createResult, ERROR_CANTWRITE);
  EXPECT_EQ(sub, reinterpret_cast<HKEY>(0x1234));
  EXPECT_EQ(File(), kCanonical);
  EXPECT_EQ(Value(key, "x"), std::string("1\0", 2));
  EXPECT_EQ(RegOpenKeyA(key, "Sub", &sub), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(HasTempFiles());
  RegCloseKey(key);
}

// A writer killed between making its new file and renaming it leaves the
// file; the next load removes such files only, whatever their content, and
// keeps the registry and every other file of the machine.
TEST_F(PosixRegistryTest, LoadRemovesTheNewFilesOfKilledWriters) {
  WriteHostFile("registry.reg", kCanonical);
  WriteHostFile("registry.reg.a1B2c3", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\half");
  WriteHostFile("registry.reg.Zz9900", "");
  const char* const kept[] = {"registry.reg.bak", "registry.reg.a1B2c3d", "registry.reg.a1-2c3",
                              "registry.regXa1B2c3", "other.reg.a1B2c3"};
  for (const char* name : kept) WriteHostFile(name, "keep");
  Reload();
  EXPECT_NE(access(Host("registry.reg.a1B2c3").c_str(), F_OK), 0);
  EXPECT_NE(access(Host("registry.reg.Zz9900").c_str(), F_OK), 0);
  for (const char* name : kept) EXPECT_EQ(ReadHostFile(name), "keep") << name;
  EXPECT_EQ(File(), kCanonical);
  HKEY key = Open(HKEY_CURRENT_USER, "Software\\alpha");
  EXPECT_EQ(Value(key, "x"), std::string("1\0", 2));
  RegCloseKey(key);
}

}  // namespace
