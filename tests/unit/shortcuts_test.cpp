// Start-menu shortcuts: link sections line by line (fields, the rundll
// form, created and replaced lines, the first failure ending the section),
// the program's Start-menu folder with its fallback below Programs, and
// every link read back with lnkinfo.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "actions/create_links.h"
#include "actions/programs_menu_dir.h"
#include "actions/start_menu_links.h"
#include "fileinfo/file_info.h"
#include "platform/platform.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/ui/ui_posix.h"
#include "tests/unit/lnkinfo_check.h"
#include "tests/unit/log_test_support.h"

namespace {

const char* const Inf = "C:\\src\\APP.INF";
const char* const InstalledInf = "C:\\WINDOWS\\INF\\APP.INF";
const char* const Programs =
    "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";

struct ExpectedLink {
  std::string target;
  std::string arguments;
  std::string workingDir;
  std::string icon;
  int iconIndex = 0;
};

class ShortcutsTest : public LogStateTest {
 protected:
  void SetUp() override {
    LogStateTest::SetUp();
    WriteHostFile("drive_c/Program Files/App/app.exe", "MZ");
    WriteHostFile("drive_c/Menu/App/keep.txt", "");
    SetEnvironmentVariableA("MyProgramPath", "C:\\Program Files\\App");
    SetEnvironmentVariableA("MyStartMenu", nullptr);
    SetEnvironmentVariableA("MenuPath", nullptr);
  }

  void TearDown() override {
    ExpectEveryLinkChecked();
    LogFile.Close();
    LogStateTest::TearDown();
  }

  // The control file with a [SetMnuLNK] section of these lines ("key=value").
  void WriteInf(const std::string& lines, const std::string& more = "") {
    WriteHostFile("drive_c/src/APP.INF",
                  "[Version]\r\nFormKw=TALVEN\r\n[SetMnuLNK]\r\n" + lines + more);
  }

  std::string HostOf(const std::string& winPath) const {
    std::string host;
    EXPECT_TRUE(posix::WinToHost(winPath.c_str(), &host)) << winPath;
    return host;
  }

  bool Exists(const std::string& winPath) const {
    return std::filesystem::exists(HostOf(winPath));
  }

  // The link exists and lnkinfo reads the expected fields from it.
  void ExpectLink(const std::string& winPath, const ExpectedLink& expected) {
    std::string host = HostOf(winPath);
    ASSERT_TRUE(std::filesystem::exists(host)) << winPath;
    checked_.insert(std::filesystem::canonical(host).string());
    if (!LnkInfoAvailable()) {
      std::printf("lnkinfo not installed (liblnk-utils): %s not read back\n", winPath.c_str());
      return;
    }
    LnkInfoFields fields = RunLnkInfo(host);
    ASSERT_TRUE(fields.ok) << fields.output;
    EXPECT_EQ(fields["Local path"], expected.target) << winPath;
    EXPECT_EQ(fields["Command line arguments"], expected.arguments) << winPath;
    EXPECT_EQ(fields["Working directory"], expected.workingDir) << winPath;
    EXPECT_EQ(fields["Icon location"], expected.icon) << winPath;
    EXPECT_EQ(fields["Icon index"], std::to_string(expected.iconIndex)) << winPath;
  }

  // No link that a test wrote goes unread.
  void ExpectEveryLinkChecked() {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root())) {
      std::string ext = entry.path().extension().string();
      if (ext != ".LNK" && ext != ".lnk") continue;
      EXPECT_TRUE(checked_.count(std::filesystem::canonical(entry.path()).string()))
          << "link not read back: " << entry.path();
    }
  }

  void OpenTestLog() {
    ASSERT_TRUE(LogFile.Create("C:\\test.log"));
    LogFileOpen = true;
  }
  std::string ReadTestLog() {
    LogFile.Close();
    return ReadHostFile("drive_c/test.log");
  }
  static std::string Variable(const char* name) {
    char value[600];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
  }
  static std::string ShortPath(const char* path) {
    char value[300];
    DWORD length = GetShortPathNameA(path, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string();
  }
  static std::string LastWriteText(const char* path) {
    FILETIME time;
    Str text;
    FileDateStr(path, FileTimeLastWrite, time, text);
    return text.c_str();
  }
  static int Links(const char* folder, const char* section = "SetMnuLNK") {
    return CreateLinks(section, folder, Inf);
  }

  std::set<std::string> checked_;
};

// ---- one line, its fields ----

TEST_F(ShortcutsTest, TwoFieldsMakeALinkWithoutArgumentsWorkingFolderOrIcon) {
  WriteInf("1=MyApp,%MyProgramPath%\\app.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), "C:\\Menu\\App\\MyApp.LNK\tcreated\r\n");
  ExpectLink("C:\\Menu\\App\\MyApp.LNK", {"C:\\Program Files\\App\\app.exe", "", "", "", 0});
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(ShortcutsTest, ASecondRunLogsTheDateOfTheReplacedLink) {
  WriteInf("1=MyApp,%MyProgramPath%\\app.exe\r\n");
  ASSERT_EQ(Links("C:\\Menu\\App\\"), 0);
  std::string date = LastWriteText("C:\\Menu\\App\\MyApp.LNK");
  ASSERT_FALSE(date.empty());
  MessageBuffer.clear();
  EXPECT_EQ(Links("C:\\Menu\\App\\"), 0);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), "C:\\Menu\\App\\MyApp.LNK\t" + date + " replaced\r\n");
  ExpectLink("C:\\Menu\\App\\MyApp.LNK", {"C:\\Program Files\\App\\app.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, AllFiveFieldsWithBlanksInFrontAndQuotedFields) {
  WriteInf("1=Full,  \"C:\\Program Files\\App\\app.exe\",  -a \"b c\", C:\\Program Files\\App\\app.exe, 7\r\n"
           "2=Quoted,C:\\x.exe,\"-q, with comma\",\"C:\\i.dll\",-3\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  ExpectLink("C:\\Menu\\App\\Full.LNK", {"C:\\Program Files\\App\\app.exe", "-a \"b c\"", "",
                                         "C:\\Program Files\\App\\app.exe", 7});
  ExpectLink("C:\\Menu\\App\\Quoted.LNK", {"C:\\x.exe", "-q, with comma", "", "C:\\i.dll", -3});
}

TEST_F(ShortcutsTest, AnEmptyIconIndexIsZero) {
  WriteInf("1=A,C:\\x.exe,,C:\\i.dll,\r\n2=B,C:\\x.exe,,C:\\i.dll\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  ExpectLink("C:\\Menu\\App\\A.LNK", {"C:\\x.exe", "", "", "C:\\i.dll", 0});
  ExpectLink("C:\\Menu\\App\\B.LNK", {"C:\\x.exe", "", "", "C:\\i.dll", 0});
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(ShortcutsTest, AnIconIndexThatIsNoNumberIsZeroWithAWarning) {
  WriteInf("1=A,C:\\x.exe,,C:\\i.dll,x1\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            "Warning: icon index x1 of C:\\Menu\\App\\A.LNK is not a number, 0 used\r\n"
            "C:\\Menu\\App\\A.LNK\tcreated\r\n");
  EXPECT_EQ(ErrorLevel, 1);
  ExpectLink("C:\\Menu\\App\\A.LNK", {"C:\\x.exe", "", "", "C:\\i.dll", 0});
}

TEST_F(ShortcutsTest, AnEmptyValueIsPassedOver) {
  WriteInf("1=\r\n2=B,C:\\x.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), "C:\\Menu\\App\\B.LNK\tcreated\r\n");
  ExpectLink("C:\\Menu\\App\\B.LNK", {"C:\\x.exe", "", "", "", 0});
}

// ---- the rundll form ----

TEST_F(ShortcutsTest, RundllStartsInTheFolderOfItsInfWithTheBareName) {
  SetEnvironmentVariableA("rundll", "rundll32");
  SetCurrentDirectoryA("C:\\Program Files\\App");
  WriteInf("1=Uninstall,%rundll%,C:\\Program Files\\App\\x.inf\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  // The target is resolved as the shell resolves it: against the current
  // directory, since no file "rundll32" exists.
  ExpectLink("C:\\Menu\\App\\Uninstall.LNK",
             {"C:\\Program Files\\App\\rundll32", "x.inf", "C:\\Program Files\\App\\", "", 0});
}

TEST_F(ShortcutsTest, RundllWithABlankInTheFileNameGetsTheShortForm) {
  WriteHostFile("drive_c/Program Files/App/my setup.inf", "[Version]\r\n");
  SetCurrentDirectoryA("C:\\");
  WriteInf("1=Uninstall,RUNDLL setupx.dll,C:\\Program Files\\App\\my setup.inf\r\n");
  std::string shortForm = ShortPath("C:\\Program Files\\App\\my setup.inf");
  ASSERT_EQ(shortForm, "C:\\PROGRA~1\\App\\MYSETU~1.INF");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  ExpectLink("C:\\Menu\\App\\Uninstall.LNK",
             {"C:\\RUNDLL setupx.dll", shortForm, "C:\\Program Files\\App\\", "", 0});
}

TEST_F(ShortcutsTest, RundllKeepsTheLongTextWhenThereIsNoShortForm) {
  SetCurrentDirectoryA("C:\\");
  WriteInf("1=Uninstall,rundll32,C:\\Program Files\\App\\gone away.inf\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  ExpectLink("C:\\Menu\\App\\Uninstall.LNK",
             {"C:\\rundll32", "C:\\Program Files\\App\\gone away.inf", "C:\\Program Files\\App\\", "", 0});
}

TEST_F(ShortcutsTest, QuotedArgumentsOrTargetNeverTakeTheRundllForm) {
  SetCurrentDirectoryA("C:\\");
  WriteInf("1=A,rundll32,\"C:\\Program Files\\App\\x.inf\"\r\n"
           "2=B,\"rundll32\",C:\\Program Files\\App\\x.inf\r\n"
           "3=C,rundll32,C:\\App\\x.inf\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 0);
  ExpectLink("C:\\Menu\\App\\A.LNK", {"C:\\rundll32", "C:\\Program Files\\App\\x.inf", "", "", 0});
  ExpectLink("C:\\Menu\\App\\B.LNK", {"C:\\rundll32", "C:\\Program Files\\App\\x.inf", "", "", 0});
  // No blank in the arguments: no rundll form either.
  ExpectLink("C:\\Menu\\App\\C.LNK", {"C:\\rundll32", "C:\\App\\x.inf", "", "", 0});
}

// ---- where links go ----

TEST_F(ShortcutsTest, ANameWithAFolderPartGoesThereAndNoFolderIsCreated) {
  WriteHostFile("drive_c/Other/keep.txt", "");
  WriteInf("1=C:\\Other\\Tool,C:\\x.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\NotYet"), 0);
  EXPECT_FALSE(Exists("C:\\Menu\\NotYet"));
  EXPECT_EQ(std::string(MessageBuffer.c_str()), "C:\\Other\\Tool.LNK\tcreated\r\n");
  ExpectLink("C:\\Other\\Tool.LNK", {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, AMissingDefaultFolderIsCreatedWithoutALogLine) {
  WriteInf("1=A,C:\\x.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\New\\Deep"), 0);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), "C:\\Menu\\New\\Deep\\A.LNK\tcreated\r\n");
  ExpectLink("C:\\Menu\\New\\Deep\\A.LNK", {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, WithoutADefaultFolderLinksGoIntoProgramsAndTheLogSaysSo) {
  WriteInf("", "[Uninst]\r\n1=Remove App,C:\\x.exe\r\n");
  EXPECT_EQ(Links("", "Uninst"), 0);
  std::string link = std::string(Programs) + "\\Remove App.LNK";
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            std::string("No Start Menu folder for Remove App, using ") + Programs + "\r\n" + link +
                "\tcreated\r\n");
  ExpectLink(link, {"C:\\x.exe", "", "", "", 0});
}

// ---- failures ----

TEST_F(ShortcutsTest, AFailingSecondLinkOfThreeEndsTheSection) {
  WriteInf("1=First,C:\\x.exe\r\n2=C:\\NoSuch\\Second,C:\\x.exe\r\n3=Third,C:\\x.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 1);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            "C:\\Menu\\App\\First.LNK\tcreated\r\n"
            "Error: can't create Link\r\n"
            "MessageBox: Error: can't create Link C:\\NoSuch\\Second.LNK\r\n");
  EXPECT_FALSE(Exists("C:\\Menu\\App\\Third.LNK"));
  EXPECT_EQ(ErrorLevel, 0);  // the caller adds the result
  ExpectLink("C:\\Menu\\App\\First.LNK", {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, ALinkPathBeyond259CharactersFailsWithoutOverrun) {
  std::string name(250, 'n');
  WriteInf("1=" + name + ",C:\\x.exe\r\n2=Next,C:\\x.exe\r\n");
  EXPECT_EQ(Links("C:\\Menu\\App"), 1);
  std::string path = "C:\\Menu\\App\\" + name + ".LNK";
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            "Error: the link path is longer than 259 characters: " + path + "\r\n" +
                "Error: can't create Link\r\nMessageBox: Error: can't create Link " + path + "\r\n");
  EXPECT_FALSE(Exists("C:\\Menu\\App\\Next.LNK"));
}

TEST_F(ShortcutsTest, AnUncreatableDefaultFolderCountsAndTheLinkIsStillTried) {
  WriteInf("1=A,C:\\x.exe\r\n");
  EXPECT_EQ(Links("Q:\\Menu"), 2);
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            "MessageBox: Error to create the Q:\\Menu directory\r\n"
            "Error to create the Q:\\Menu directory\r\n"
            "Error: can't create Link\r\nMessageBox: Error: can't create Link Q:\\Menu\\A.LNK\r\n");
}

// ---- the program's Start-menu folder ----

TEST_F(ShortcutsTest, StartMenuFolderCreatedWithItsLinesAndPublished) {
  OpenTestLog();
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  SetEnvironmentVariableA("MyStartMenu", "C:\\Start\\My App");
  WriteInf("1=App,%MyProgramPath%\\app.exe\r\n");
  CreateStartMenuLinks(InstalledInf, Inf, false);
  EXPECT_EQ(ReadTestLog(),
            "C:\\Start\t created\r\nC:\\Start\\My App\t created\r\n\r\n"
            "C:\\Start\\My App\\App.LNK\tcreated\r\n\r\n");
  EXPECT_EQ(Variable("MyStartMenu"), "C:\\Start\\My App");
  char value[300];
  GetPrivateProfileStringA("Strings", "MyStartMenu", "", value, sizeof value, InstalledInf);
  EXPECT_STREQ(value, "C:\\Start\\My App");
  EXPECT_EQ(ErrorLevel, 0);
  ExpectLink("C:\\Start\\My App\\App.LNK", {"C:\\Program Files\\App\\app.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, AnExistingStartMenuFolderLogsAnEmptyLine) {
  OpenTestLog();
  SetEnvironmentVariableA("MyStartMenu", "C:\\Menu\\App");
  WriteInf("1=App,C:\\x.exe\r\n2=C:\\NoSuch\\B,C:\\x.exe\r\n");
  ErrorLevel = 5;
  CreateStartMenuLinks(InstalledInf, Inf, false);
  EXPECT_EQ(ReadTestLog(), "\r\nC:\\Menu\\App\\App.LNK\tcreated\r\nError: can't create Link\r\n"
                           "MessageBox: Error: can't create Link C:\\NoSuch\\B.LNK\r\n\r\n");
  EXPECT_EQ(ErrorLevel, 6);
  ExpectLink("C:\\Menu\\App\\App.LNK", {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, AnUncreatableStartMenuFolderFallsBackBelowPrograms) {
  OpenTestLog();
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF",
                "[Version]\r\nFormKw=TALVEN\r\n[DestinationDirs]\r\nLnkName=App Menu\r\n");
  SetEnvironmentVariableA("MyStartMenu", "Q:\\Menu");
  WriteInf("1=App,C:\\x.exe\r\n");
  CreateStartMenuLinks(InstalledInf, Inf, false);
  std::string menu = std::string(Programs) + "\\App Menu";
  EXPECT_EQ(ReadTestLog(), "MessageBox: Error to create the Q:\\Menu directory\r\n"
                           "Error to create the Q:\\Menu directory\r\n\r\n\r\n" +
                               menu + "\\App.LNK\tcreated\r\n\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(Variable("MenuPath"), menu);
  EXPECT_EQ(Variable("MyStartMenu"), menu);
  char value[300];
  GetPrivateProfileStringA("Strings", "MenuPath", "", value, sizeof value, InstalledInf);
  EXPECT_EQ(std::string(value), menu);
  GetPrivateProfileStringA("Strings", "MyStartMenu", "", value, sizeof value, InstalledInf);
  EXPECT_EQ(std::string(value), menu);
  ExpectLink(menu + "\\App.LNK", {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, WithSetupxTheStartMenuFolderIsPublishedInItsShortForm) {
  OpenTestLog();
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  WriteHostFile("drive_c/Start Menu Long/My Application/keep.txt", "");
  std::string shortForm = ShortPath("C:\\Start Menu Long\\My Application");
  ASSERT_EQ(shortForm.substr(0, 10), "C:\\STARTM~");
  ASSERT_EQ(shortForm.find(' '), std::string::npos);
  SetEnvironmentVariableA("MyStartMenu", "C:\\Start Menu Long\\My Application");
  WriteInf("");
  CreateStartMenuLinks(InstalledInf, Inf, true);
  EXPECT_EQ(Variable("MyStartMenu"), shortForm);
  char value[300];
  GetPrivateProfileStringA("Strings", "MyStartMenu", "", value, sizeof value, InstalledInf);
  EXPECT_EQ(std::string(value), shortForm);
  EXPECT_EQ(ReadTestLog(), "\r\n");
}

TEST_F(ShortcutsTest, WithoutMyStartMenuNothingIsPublishedAndLinksStillComeAbout) {
  OpenTestLog();
  WriteHostFile("drive_c/Other/keep.txt", "");
  WriteInf("1=C:\\Other\\Tool,C:\\x.exe\r\n2=Plain,C:\\x.exe\r\n");
  CreateStartMenuLinks(InstalledInf, Inf, false);
  EXPECT_EQ(Variable("MyStartMenu"), "");
  EXPECT_FALSE(Exists(InstalledInf));
  std::string plain = std::string(Programs) + "\\Plain.LNK";
  EXPECT_EQ(ReadTestLog(), std::string("C:\\Other\\Tool.LNK\tcreated\r\n") +
                               "No Start Menu folder for Plain, using " + Programs + "\r\n" +
                               plain + "\tcreated\r\n\r\n");
  ExpectLink("C:\\Other\\Tool.LNK", {"C:\\x.exe", "", "", "", 0});
  ExpectLink(plain, {"C:\\x.exe", "", "", "", 0});
}

TEST_F(ShortcutsTest, NeitherFolderEndsTheRun) {
  OpenTestLog();
  HKEY key;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                        &key),
            ERROR_SUCCESS);
  const char* nowhere = "Q:\\Programs";
  RegSetValueExA(key, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(nowhere), 12);
  RegCloseKey(key);
  SetEnvironmentVariableA("MyStartMenu", "Q:\\Menu");
  WriteInf("1=App,C:\\x.exe\r\n");
  // A run without a user ends with the failure code 3 (unless answers
  // cancelled it, which other tests may have left behind).
  RunOptions.CancelledByAnswers = false;
  EXPECT_EXIT(CreateStartMenuLinks(InstalledInf, Inf, false), ::testing::ExitedWithCode(3), "");
  std::string log = ReadHostFile("drive_c/test.log");
  EXPECT_NE(log.find("Error: can't find or create Start Menue Program directory Q:\\Programs\\\r\n"),
            std::string::npos)
      << log;
}

// ---- the fallback folder itself ----

TEST_F(ShortcutsTest, ProgramsMenuDirIsProgramsAndLnkName) {
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[DestinationDirs]\r\nLnkName=Tools\\App\r\n");
  char buffer[ProgramsFolderSize] = "C:\\Before";
  EXPECT_EQ(FindProgramsMenuDir(false, buffer, sizeof buffer, InstalledInf), 0);
  EXPECT_EQ(std::string(buffer), std::string(Programs) + "\\Tools\\App");
  // A LnkName that does not fit is cut to the buffer.
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[DestinationDirs]\r\nLnkName=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(FindProgramsMenuDir(true, buffer, sizeof buffer, InstalledInf), 0);
  EXPECT_EQ(std::string(buffer).size(), 260u);
  EXPECT_EQ(std::string(buffer).substr(0, strlen(Programs) + 2), std::string(Programs) + "\\x");
}

TEST(LnkInfo, IsInstalledToReadLinksBack) {
  if (!LnkInfoAvailable()) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed: links are not read back";
  SUCCEED();
}

}  // namespace
