// The dialog procedure driven through the terminal dialogs of the native
// build, and dialogs answered without being shown.
#include <gtest/gtest.h>

#include <stdio.h>

#include <fstream>

#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/response_file.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "dialogs/dialog_proc.h"
#include "dialogs/folder_browser.h"
#include "tests/unit/temp_machine.h"

namespace {
class DialogTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    DlgRec.Always = DlgRec.Backup = false;
    DlgRec.PathBuf = path_;
    DlgRec.PathBufSize = sizeof path_;
    DlgRec.FolderSuffix = "";
    ErrorLevel = 0;
    RunOptions = TRunOptions();
    ClearAnswers();
  }
  // What the user types at the terminal during the dialog.
  void Type(const std::string& keys) {
    std::string file = Host("keys.txt");
    std::ofstream(file) << keys;
    ASSERT_NE(freopen(file.c_str(), "r", stdin), nullptr);
  }
  INT_PTR Show(const char* name) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), name, nullptr, DialogProc, 0);
  }
  char path_[261] = "C:\\Programs\\Tool";
};
}  // namespace

TEST_F(DialogTest, PathSelReadsTheEditedPathBackOnOk) {
  Type("e\nD:\\Apps\\Other\n1\n");
  EXPECT_EQ(Show("PathSel"), 1);
  EXPECT_STREQ(path_, "D:\\Apps\\Other");
  EXPECT_EQ(DlgRec.Result, 1);
}

TEST_F(DialogTest, CancelAndEscapeEndWithTwoAndKeepThePath) {
  Type("e\nD:\\x\n2\n");
  EXPECT_EQ(Show("PATHSEL"), 2);
  EXPECT_STREQ(path_, "C:\\Programs\\Tool");
  Type("");  // end of input stands for Escape
  EXPECT_EQ(Show("pathsel"), 2);
  EXPECT_EQ(DlgRec.Result, 2);
}

TEST_F(DialogTest, BrowsedFolderGetsTheFolderSuffixUnlessItHasIt) {
  DlgRec.FolderSuffix = "Tool";
  Type(".\nD:\\Apps\n1\n");
  EXPECT_EQ(Show("PathSel"), 1);
  EXPECT_STREQ(path_, "D:\\Apps\\Tool");
  Type(".\nD:\\Tools\n1\n");
  EXPECT_EQ(Show("PathSel"), 1);
  EXPECT_STREQ(path_, "D:\\Tools");  // "Tool" occurs in it already
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(DialogTest, CancelledBrowserChangesNothing) {
  ErrorLevel = 3;
  Type(".\n-\n1\n");
  EXPECT_EQ(Show("PathSel"), 1);
  EXPECT_STREQ(path_, "C:\\Programs\\Tool");
  EXPECT_EQ(ErrorLevel, 3);
}

// OK in the browser without a choice (an empty line keeps its selection):
// it started at the nearest existing folder of the path, and the dialog
// gives back the proposed directory.
TEST_F(DialogTest, BrowserStartsAtTheNearestExistingFolder) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Programs", nullptr));
  const struct {
    const char* typed;
    const char* suffix;
    const char* result;
  } rows[] = {
      {"C:\\Programs\\Tool", "Tool", "C:\\Programs\\Tool"},      // parent exists
      {"C:\\Deep\\Er\\Tool", "Tool", "C:\\Deep\\Er\\Tool"},  // only C:\ exists
      {"C:\\Programs", "Tool", "C:\\Programs\\Tool"},            // exists: suffix rule
      {"C:\\Programs\\", "Programs", "C:\\Programs\\"},         // kept as typed
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CopyToBuffer(path_, sizeof path_, rows[row].typed);
    DlgRec.FolderSuffix = rows[row].suffix;
    Type(".\n\n1\n");
    EXPECT_EQ(Show("PathSel"), 1) << "row " << row;
    EXPECT_STREQ(path_, rows[row].result) << "row " << row;
  }
}

TEST_F(DialogTest, NearestExistingFolder) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Programs", nullptr));
  ASSERT_TRUE(CreateDirectoryA("C:\\Programs\\Old App", nullptr));
  const struct {
    const char* path;
    const char* nearest;
  } rows[] = {
      {"C:\\Programs\\Old App", "C:\\Programs\\Old App"},
      {"C:\\Programs\\Old App\\\\", "C:\\Programs\\Old App"},
      {"C:\\Programs\\New\\App", "C:\\Programs"},
      {"c:\\programs\\new", "c:\\programs"},
      {"C:\\Missing", "C:\\"},
      {"C:\\", "C:\\"},
      {"Q:\\Nowhere\\App", ""},  // a drive that does not exist
      {"relative\\App", ""},
      {"\\\\server\\share\\App", ""},
      {"", ""},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    char path[261];
    CopyToBuffer(path, sizeof path, rows[row].path);
    NearestExistingFolder(path);
    EXPECT_STREQ(path, rows[row].nearest) << "row " << row;
  }
}

TEST_F(DialogTest, CheckBoxesKeepTheirStateAndEnableThePath) {
  Type("a\nb\ne\nC:\\Backup\n4\n");
  EXPECT_EQ(Show("MsgBoxSOC"), 4);
  EXPECT_TRUE(DlgRec.Always);
  EXPECT_TRUE(DlgRec.Backup);
  EXPECT_STREQ(path_, "C:\\Backup");  // read back for the backup folder
  // Reopened: both boxes as left; unticking "with Backup to" disables the path.
  Type("b\ne\n1\n");
  EXPECT_EQ(Show("MsgBoxSOC"), 1);
  EXPECT_TRUE(DlgRec.Always);
  EXPECT_FALSE(DlgRec.Backup);
}

// "Overwrite" is no default button: Enter in the prompt skips the copy.
TEST_F(DialogTest, EnterInTheSkipOrOverwritePromptSkips) {
  Type("\n");
  EXPECT_EQ(Show("MsgBoxSOC"), 1);
  EXPECT_EQ(DlgRec.Result, 1);
}

TEST_F(DialogTest, DialogWithoutPathLeavesPathBufUntouched) {
  Type("1\n");
  EXPECT_EQ(Show("MsgBoxContinue"), 1);
  EXPECT_STREQ(path_, "C:\\Programs\\Tool");
  Type("\n");  // the default button
  EXPECT_EQ(Show("MsgBoxLogFile"), 1);
}

TEST_F(DialogTest, UnknownTemplateFails) {
  EXPECT_EQ(Show("NoSuchDialog"), -1);
}

TEST_F(DialogTest, AnsweredDialogsAreNotShown) {
  Str error;
  ASSERT_TRUE(ParseResponseText("PathSel=1,E:\\Chosen\nMsgBoxSOC=4,always,backup=F:\\Old\n", error));
  Type("2\n");  // would cancel, were the dialog shown
  EXPECT_EQ(RunDialog("PathSel"), 1);
  EXPECT_STREQ(path_, "E:\\Chosen");
  EXPECT_EQ(RunDialog("MsgBoxSOC"), 4);
  EXPECT_TRUE(DlgRec.Always);
  EXPECT_TRUE(DlgRec.Backup);
  EXPECT_STREQ(path_, "F:\\Old");
}

TEST_F(DialogTest, SilentDefaultsAndTheDirectorySwitch) {
  RunOptions.Silent = true;
  RunOptions.HasInstallDir = true;
  RunOptions.InstallDir = "G:\\Given";
  EXPECT_EQ(RunDialog("MsgBoxContinue"), 1);
  EXPECT_EQ(RunDialog("MsgBoxSOC"), 1);
  EXPECT_EQ(RunDialog("PathSel"), 1);
  EXPECT_STREQ(path_, "G:\\Given");
}

TEST_F(DialogTest, PromptsAnsweredWithoutAUserLeaveTheirTextOnStandardError) {
  RunOptions.Silent = true;
  DlgRec.Text = "Demo 1.2\rContinue Installation?";
  char url[] = "https://talven.example";
  DlgRec.PathBuf = url;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunDialog("MsgBoxContinue"), 1);
  DlgRec.PathBuf = path_;
  EXPECT_EQ(RunDialog("PathSel"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "MsgBoxContinue: Demo 1.2 Continue Installation? [https://talven.example]\n");
}
