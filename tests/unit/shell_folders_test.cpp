// [Strings] resolved against the shell folders of the user and the machine
// key, in the three passes of a run.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/registry_test_support.h"
#include "values/select_install_dir.h"
#include "values/shell_folders.h"

namespace {

const char kUserShellFolders[] =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders]\r\n";
const char kShellFolders[] =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n";
const char kMachineKey[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n";

const char kInf[] = "C:\\pkg\\APP.INF";
const char kTarget[] = "C:\\WINDOWS\\INF\\APP.INF";

const char kQueryBox[] =
    " in HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
    " and HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ShellFoldersTest : public RegistryPhaseTest {
 protected:
  void SetUp() override {
    RegistryPhaseTest::SetUp();
    InstallDirSelected = false;
    WriteRegistry(std::string(kUserShellFolders) +
                  "\"Programs\"=" + ExpandSz("%USERPROFILE%\\Start\\Unexpanded") + "\r\n"
                  "\"Personal\"=" + ExpandSz("%USERPROFILE%\\Docs") + "\r\n"
                  "\"ProgramFiles\"=\"C:\\\\UserProgramFiles\"\r\n"
                  "\r\n" + kShellFolders +
                  "\"Programs\"=\"C:\\\\users\\\\user\\\\Start\\\\Programs\"\r\n"
                  "\"Nothing\"=\"\"\r\n"
                  "\r\n" + kMachineKey +
                  "\"ProgramFilesDir\"=\"D:\\\\Apps\"\r\n"
                  "\"ProgramFilesPath\"=\"D:\\\\Path\"\r\n"
                  "\"CommonFilesDir\"=\"D:\\\\Apps\\\\Common\"\r\n"
                  "\"Programs\"=\"machine value\"\r\n"
                  "\"Raw\"=" + ExpandSz("%windir%\\Raw") + "\r\n");
  }
  void WriteStrings(const std::string& entries) {
    WriteHostFile("drive_c/pkg/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\n" + entries);
  }
  static std::string Written(const char* name) { return IniValue(kTarget, "Strings", name); }
};

const char kTypicalStrings[] =
    "Programs=C:\\from the control file\r\n"
    "CommonFilesDir=ignored\r\n"
    "ProgramFiles=C:\\ignored\r\n"
    "Personal=\r\n"
    "Own=%windir%\\Own\r\n"
    "Nothing=from the control file\r\n";

TEST_F(ShellFoldersTest, ModeOneSetsTheResolvedValuesAsVariablesOnly) {
  WriteStrings(kTypicalStrings);
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  // The actual user folder wins over the unexpanded one, the machine key and the file.
  EXPECT_EQ(Env("Programs"), "C:\\users\\user\\Start\\Programs");
  EXPECT_EQ(Env("CommonFilesDir"), "D:\\Apps\\Common");
  EXPECT_EQ(Env("ProgramFiles"), "D:\\Apps");
  // REG_EXPAND_SZ of the unexpanded user folders is expanded.
  EXPECT_EQ(Env("Personal"), "C:\\users\\user\\Docs");
  // Unknown to the registry: the control file's value, expanded.
  EXPECT_EQ(Env("Own"), "C:\\WINDOWS\\Own");
  // Known with an empty value: the control file's value is not used, nothing is set.
  EXPECT_EQ(Env("Nothing"), "<unset>");
  EXPECT_EQ(MessageBuffer.c_str(), std::string());
  EXPECT_EQ(ErrorLevel, 0);
  EXPECT_EQ(ReadHostFile("drive_c/WINDOWS/INF/APP.INF"), "");
}

TEST_F(ShellFoldersTest, ModeTwoWritesTheTargetOnlyAndLogsTheSummary) {
  WriteStrings(kTypicalStrings);
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  EXPECT_EQ(Written("Programs"), "C:\\users\\user\\Start\\Programs");
  EXPECT_EQ(Written("CommonFilesDir"), "D:\\Apps\\Common");
  EXPECT_EQ(Written("ProgramFiles"), "D:\\Apps");
  EXPECT_EQ(Written("Personal"), "C:\\users\\user\\Docs");
  EXPECT_EQ(Written("Own"), "C:\\WINDOWS\\Own");
  EXPECT_EQ(Written("Nothing"), "<absent>");
  EXPECT_EQ(Env("Programs"), "<unset>");
  EXPECT_EQ(Env("Own"), "<unset>");
  EXPECT_STREQ(MessageBuffer.c_str(), "INF-File changed to actual Paths\r\n");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(ShellFoldersTest, ModeThreeDoesBoth) {
  WriteStrings(kTypicalStrings);
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_EQ(Written("Personal"), "C:\\users\\user\\Docs");
  EXPECT_EQ(Env("Personal"), "C:\\users\\user\\Docs");
  EXPECT_EQ(Written("Own"), "C:\\WINDOWS\\Own");
  EXPECT_EQ(Env("Own"), "C:\\WINDOWS\\Own");
  EXPECT_STREQ(MessageBuffer.c_str(), "INF-File changed to actual Paths\r\n");
}

TEST_F(ShellFoldersTest, MachineKeyValueIsUsedAsItIsStoredUnlessItIsExpandSz) {
  WriteStrings("Raw=x\r\n");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  EXPECT_EQ(Env("Raw"), "C:\\WINDOWS\\Raw");
}

TEST_F(ShellFoldersTest, ProgramFilesFallsBackToProgramFilesPathAndNeverToTheUserKeys) {
  WriteRegistry(std::string(kUserShellFolders) + "\"ProgramFiles\"=\"C:\\\\User\"\r\n\r\n" +
                kShellFolders + "\"ProgramFiles\"=\"C:\\\\User\"\r\n\r\n" + kMachineKey +
                "\"ProgramFilesPath\"=" + ExpandSz("%SystemDrive%\\Path") + "\r\n");
  WriteStrings("programfiles=C:\\Own\r\n");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  EXPECT_EQ(Env("ProgramFiles"), "C:\\Path");

  WriteRegistry(std::string(kUserShellFolders) + "\"ProgramFiles\"=\"C:\\\\User\"\r\n\r\n" +
                kShellFolders + "\"ProgramFiles\"=\"C:\\\\User\"\r\n");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  EXPECT_EQ(Env("ProgramFiles"), "C:\\Own");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(ShellFoldersTest, UnknownNameWithoutValueStopsThePassWithBoxAndLine) {
  WriteStrings("Programs=x\r\nMissing=\r\nOwn=later\r\n");
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            std::string("failed to read \"Missing\" from Registry!\r\n"
                        "MessageBox: Error at RegQueryValue Missing") +
                kQueryBox + "\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  // Names before it are done, names behind it are not.
  EXPECT_EQ(Env("Programs"), "C:\\users\\user\\Start\\Programs");
  EXPECT_EQ(Env("Own"), "<unset>");
  EXPECT_EQ(Written("Own"), "<absent>");
}

TEST_F(ShellFoldersTest, EveryPassThatReachesAnUnknownNameFailsAgain) {
  WriteStrings("Missing=\r\n");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  std::string once = std::string("failed to read \"Missing\" from Registry!\r\n"
                                 "MessageBox: Error at RegQueryValue Missing") +
                     kQueryBox + "\r\n";
  EXPECT_EQ(std::string(MessageBuffer.c_str()), once + once + once);
  EXPECT_EQ(ErrorLevel, 103);
}

TEST_F(ShellFoldersTest, MissingUserFoldersKeyEndsTheCallBeforeAnyName) {
  WriteRegistry(std::string(kUserShellFolders) + "\"Programs\"=\"C:\\\\P\"\r\n");
  WriteStrings("Own=x\r\n");
  ErrorLevel = 120;
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Error at RegOpenKey\r\n"
               "failed to read \"User Shell Folder\" or \"Shell Folder\" from Registry!\r\n");
  EXPECT_EQ(ErrorLevel, 121);
  EXPECT_EQ(Env("Own"), "<unset>");
  EXPECT_EQ(Written("Own"), "<absent>");
}

TEST_F(ShellFoldersTest, EmptyOrMissingStringsSectionStillLogsTheSummaryUnderFlagTwo) {
  WriteHostFile("drive_c/pkg/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  EXPECT_STREQ(MessageBuffer.c_str(), "INF-File changed to actual Paths\r\n");
}

TEST_F(ShellFoldersTest, ReservedNamesAreNeverLookedUp) {
  WriteRegistry(std::string(kUserShellFolders) + "\"rundll\"=\"registry\"\r\n\r\n" + kShellFolders +
                "\"SETUPX\"=\"registry\"\r\n\r\n" + kMachineKey + "\"InfPath\"=\"registry\"\r\n");
  WriteStrings("Rundll=%windir%\\own\r\nsetupx=\r\nInfPath=\r\nMyStartMenu=\r\n");
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_EQ(Env("rundll"), "C:\\WINDOWS\\own");
  EXPECT_EQ(Written("rundll"), "C:\\WINDOWS\\own");
  // Empty reserved names are skipped silently: no lookup, no error.
  EXPECT_EQ(Env("setupx"), "<unset>");
  EXPECT_EQ(Written("InfPath"), "<absent>");
  EXPECT_EQ(ErrorLevel, 0);
  EXPECT_STREQ(MessageBuffer.c_str(), "INF-File changed to actual Paths\r\n");
}

TEST_F(ShellFoldersTest, ModeOneKeepsReservedNamesThatAreAlreadySet) {
  WriteStrings("MyProgramPath=%SystemDrive%\\Proposed\r\nrundll=from file\r\nsetupx=from file\r\n");
  SetEnvironmentVariableA("MyProgramPath", "D:\\Chosen");
  InstallDirSelected = true;
  SetEnvironmentVariableA("rundll", "run value");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  EXPECT_EQ(Env("MyProgramPath"), "D:\\Chosen");
  EXPECT_EQ(Env("rundll"), "run value");
  EXPECT_EQ(Env("setupx"), "from file");
}

// A MyProgramPath that the run inherited, with no directory selection of
// its own, gives way to the control file's in every pass; an empty or
// missing control-file value leaves it alone.
TEST_F(ShellFoldersTest, AnInheritedInstallationDirectoryGivesWayToTheControlFile) {
  const struct {
    const char* strings;
    const char* expected;
  } rows[] = {
      {"MyProgramPath=%SystemDrive%\\Own\r\n", "C:\\Own"},
      {"MyProgramPath=\r\n", "C:\\Elsewhere"},
      {"Other=x\r\n", "C:\\Elsewhere"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    WriteStrings(rows[i].strings);
    SetEnvironmentVariableA("MyProgramPath", "C:\\Elsewhere");
    for (int mode = 1; mode <= 3; ++mode) {
      ResolveStrings(mode, kInf, mode == 1 ? nullptr : kTarget);
      EXPECT_EQ(Env("MyProgramPath"), rows[i].expected) << "row " << i << ", mode " << mode;
    }
  }
}

TEST_F(ShellFoldersTest, TheChosenInstallationDirectorySurvivesTheLaterPasses) {
  WriteStrings("MyProgramPath=%SystemDrive%\\Proposed\r\nrundll=from file\r\n");
  SetEnvironmentVariableA("MyProgramPath", "D:\\Chosen");
  InstallDirSelected = true;
  SetEnvironmentVariableA("rundll", "rundll32");
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  EXPECT_EQ(Written("MyProgramPath"), "D:\\Chosen");
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_EQ(Env("MyProgramPath"), "D:\\Chosen");
  EXPECT_EQ(Written("MyProgramPath"), "D:\\Chosen");
  // The other reserved names take the control file's value in these passes.
  EXPECT_EQ(Env("rundll"), "from file");
  EXPECT_EQ(Written("rundll"), "from file");
  // Without a chosen directory the proposal is used.
  SetEnvironmentVariableA("MyProgramPath", nullptr);
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  EXPECT_EQ(Env("MyProgramPath"), "C:\\Proposed");
}

// A value that refers to its own name is expanded by the first pass that
// sets it, against what the name held before (an inherited value, or none);
// the later passes keep that value instead of growing it by one level each,
// while values that refer to other names are expanded again in every pass.
TEST_F(ShellFoldersTest, AValueThatRefersToItselfKeepsTheValueOfItsFirstPass) {
  WriteStrings("Data=C:\\Data\\%data%\r\nSearch=%Search%;C:\\Tools\r\n"
               "MyStartMenu=%MyStartMenu%\\Menu\r\nLater=%Reg%\\x\r\n");
  SetEnvironmentVariableA("Search", "C:\\Bin");
  ResolveStrings(ResolveSetVariables, kInf, nullptr);
  SetEnvironmentVariableA("Reg", "C:\\FromRegRead");
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  const struct {
    const char* name;
    const char* value;
  } rows[] = {{"Data", "C:\\Data\\%data%"},
              {"Search", "C:\\Bin;C:\\Tools"},
              {"MyStartMenu", "%MyStartMenu%\\Menu"},
              {"Later", "C:\\FromRegRead\\x"}};
  int row = 0;
  for (const auto& r : rows) {
    EXPECT_EQ(Env(r.name), r.value) << "row " << row;
    EXPECT_EQ(Written(r.name), r.value) << "row " << row;
    ++row;
  }
}

TEST_F(ShellFoldersTest, ResolvedValuesAreCutTo260Characters) {
  std::string longValue(300, 'x');
  WriteRegistry(std::string(kUserShellFolders) + "\r\n" + kShellFolders + "\"Long\"=\"C:\\\\" +
                longValue + "\"\r\n");
  WriteStrings("Long=y\r\nOwn=C:\\" + longValue + "\r\n");
  ResolveStrings(ResolveSetAndWrite, kInf, kTarget);
  std::string cut = "C:\\" + longValue.substr(0, 257);
  EXPECT_EQ(Env("Long"), cut);
  EXPECT_EQ(Written("Long"), cut);
  EXPECT_EQ(Env("Own"), cut);
  // A kept installation directory is cut the same way.
  SetEnvironmentVariableA("MyProgramPath", ("C:\\" + longValue).c_str());
  InstallDirSelected = true;
  WriteStrings("MyProgramPath=C:\\Proposed\r\n");
  ResolveStrings(ResolveWriteTargetFile, kInf, kTarget);
  EXPECT_EQ(Written("MyProgramPath"), cut);
}

}  // namespace
