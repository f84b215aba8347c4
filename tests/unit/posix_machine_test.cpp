// Opening machines: the default machine's folders, files, environment and
// registry, and the user's locale formats read from that registry.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/posix/machine/machine_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

bool IsHostDir(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsHostFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A string value of the registry, "<error N>" when the query fails.
std::string QueryString(HKEY root, const char* subKey, const char* name, DWORD* type) {
  HKEY key;
  LONG status = RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key);
  if (status != ERROR_SUCCESS) return "<error " + std::to_string(status) + ">";
  char data[520];
  DWORD size = sizeof data;
  status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "<error " + std::to_string(status) + ">";
  return std::string(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size);
}

class PosixMachineTest : public TempMachineTest {
 protected:
  void RequireRegistry() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_QUERY_VALUE, &key) ==
        ERROR_INVALID_FUNCTION)
      GTEST_SKIP() << "the registry functions are not emulated yet";
    RegCloseKey(key);
  }
};

TEST_F(PosixMachineTest, DefaultMachineHasTheSystemFoldersAndPrograms) {
  for (const char* dir : {"drive_c/WINDOWS/INF", "drive_c/WINDOWS/system32", "drive_c/WINDOWS/Fonts",
                          "drive_c/Program Files", "drive_c/users/user/Temp",
                          "drive_c/users/user/Desktop",
                          "drive_c/users/user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs",
                          "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"})
    EXPECT_TRUE(IsHostDir(Host(dir))) << dir;
  for (const char* file : {"drive_c/WINDOWS/notepad.exe", "drive_c/WINDOWS/system32/notepad.exe",
                           "drive_c/WINDOWS/system32/rundll32.exe",
                           "drive_c/WINDOWS/system32/setupapi.dll"})
    EXPECT_TRUE(IsHostFile(Host(file))) << file;
  EXPECT_EQ(ReadHostFile("environment"), posix::DefaultEnvironmentText());
}

TEST_F(PosixMachineTest, DefaultRegistryTextIsRegedit4WithCrLf) {
  std::string text = ReadHostFile("registry.reg");
  ASSERT_EQ(text, posix::DefaultRegistryText());
  EXPECT_EQ(text.compare(0, 12, "REGEDIT4\r\n\r\n"), 0);
  EXPECT_EQ(text.find("\n\n"), std::string::npos);  // every line ends in CR LF
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
                      "\"CommonFilesDir\"=\"C:\\\\Program Files\\\\Common Files\"\r\n"
                      "\"DevicePath\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,69,6e,66,00\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"),
            std::string::npos);
}

TEST_F(PosixMachineTest, DefaultRegistryAnswersTheInstallersQueries) {
  RequireRegistry();
  const char* currentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  DWORD type = 0;
  EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, currentVersion, "ProgramFilesDir", &type),
            "C:\\Program Files");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, currentVersion, "DevicePath", &type), "%SystemRoot%\\inf");
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  // The Setup key exists, but without SetupScratchDir.
  EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup",
                        "SetupScratchDir", &type),
            "<error 2>");

  const char* userFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  const char* folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, userFolders, "Programs", &type),
            "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, folders, "Programs", &type),
            "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, folders, "Desktop", &type), "C:\\users\\user\\Desktop");
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, folders, "Fonts", &type), "C:\\WINDOWS\\Fonts");
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate", &type),
            "M/d/yyyy");
}

TEST_F(PosixMachineTest, ReopeningKeepsTheMachinesChanges) {
  WriteHostFile("environment", "windir=D:\\OTHER\n");
  std::string why;
  ASSERT_TRUE(posix::OpenMachine(root(), &why)) << why;
  EXPECT_STREQ(posix::FindVariable("windir"), "D:\\OTHER");
  EXPECT_EQ(posix::FindVariable("TEMP"), nullptr);
}

TEST_F(PosixMachineTest, MissingDirectoryBecomesADefaultMachine) {
  std::string dir = Host("nested/new machine");
  std::string why;
  ASSERT_TRUE(posix::OpenMachine(dir, &why)) << why;
  EXPECT_EQ(posix::MachineRoot(), dir);
  EXPECT_TRUE(IsHostFile(dir + "/drive_c/WINDOWS/notepad.exe"));
  EXPECT_STREQ(posix::FindVariable("windir"), "C:\\WINDOWS");
}

TEST_F(PosixMachineTest, RefusesDirectoriesThatAreNoMachine) {
  WriteHostFile("not a machine/notes.txt", "x");
  std::string why;
  EXPECT_FALSE(posix::OpenMachine(Host("not a machine"), &why));
  EXPECT_NE(why.find("no drive_c"), std::string::npos) << why;
  EXPECT_FALSE(IsHostDir(Host("not a machine/drive_c")));  // nothing was added

  WriteHostFile("plain file", "x");
  EXPECT_FALSE(posix::OpenMachine(Host("plain file"), &why));
  EXPECT_NE(why.find("not a directory"), std::string::npos) << why;
  ASSERT_TRUE(posix::OpenMachine(root(), &why)) << why;  // leave the test's machine open
}

TEST_F(PosixMachineTest, LocaleFormatsWithWin32Sizes) {
  char text[32];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, text, sizeof text), 9);
  EXPECT_STREQ(text, "M/d/yyyy");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, text, sizeof text), 11);
  EXPECT_STREQ(text, "h:mm:ss tt");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, text, sizeof text), 3);
  EXPECT_STREQ(text, "AM");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, text, sizeof text), 3);
  EXPECT_STREQ(text, "PM");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 9);

  memset(text, 'X', sizeof text);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, text, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(text, 4), "M/dX");  // what fits, no NUL (as Wine)

  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, text, sizeof text), 0);
  EXPECT_EQ(GetLastError(), 1004u);  // ERROR_INVALID_FLAGS
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, text, -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(PosixMachineTest, LocaleFormatsFollowTheUsersSettings) {
  RequireRegistry();
  char before[32];
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, before, sizeof before), 0);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const char german[] = "dd.MM.yyyy";
  ASSERT_EQ(RegSetValueExA(key, "sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE*>(german),
                           sizeof german),
            ERROR_SUCCESS);
  RegCloseKey(key);
  char text[32];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, text, sizeof text), 11);
  EXPECT_STREQ(text, "dd.MM.yyyy");
  // LOCALE_NOUSEROVERRIDE asks for the locale's own format.
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE | 0x80000000u, text, sizeof text), 9);
  EXPECT_STREQ(text, "M/d/yyyy");
  // A second change is seen at once, although the value was read before.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const char iso[] = "yyyy-MM-dd";
  ASSERT_EQ(RegSetValueExA(key, "sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE*>(iso), sizeof iso),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, text, sizeof text), 11);
  EXPECT_STREQ(text, "yyyy-MM-dd");
}

TEST_F(PosixMachineTest, LocalTimeIsTheHostsClock) {
  SYSTEMTIME local;
  GetLocalTime(&local);
  time_t now = time(nullptr);
  struct tm tm;
  localtime_r(&now, &tm);
  EXPECT_EQ(local.wYear, tm.tm_year + 1900);
  EXPECT_GE(local.wMonth, 1);
  EXPECT_LE(local.wMonth, 12);
  EXPECT_LT(local.wMilliseconds, 1000);
  EXPECT_LT(local.wDayOfWeek, 7);
}

}  // namespace
