// Directory chains: existing directories, drive roots, one-call creation,
// the walk up and down with its lines, and the failure report.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "common/create_dir_chain.h"
#include "common/message_buffer.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "platform/platform.h"
#include "tests/unit/temp_machine.h"

namespace {

class CreateDirChainTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    ErrorLevel = 0;
    MessageBuffer.clear();
    // Boxes are answered without a user and leave their text in MessageBuffer.
    RunOptions.Silent = true;
  }
  void TearDown() override {
    RunOptions.Silent = false;
    MessageBuffer.clear();
    ErrorLevel = 0;
    TempMachineTest::TearDown();
  }

  int Create(const char* path) {
    strcpy(buffer_, path);
    return CreateDirChain(buffer_, log_);
  }
  bool IsHostDir(const std::string& relative) const {
    struct stat st;
    return stat(Host(relative).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  // The two traces of a failure: the box's text, then the line.
  static std::string FailureLines(const std::string& dir) {
    std::string text = "Error to create the " + dir + " directory";
    return "MessageBox: " + text + "\r\n" + text + "\r\n";
  }

  char buffer_[600];
  Str log_;
};

TEST_F(CreateDirChainTest, ExistingDirectoryWithOrWithoutBackslashIsThereAlready) {
  WriteHostFile("drive_c/Prog/App/keep.txt", "");
  EXPECT_EQ(Create("C:\\Prog\\App"), DirChainExists);
  EXPECT_EQ(Create("C:\\prog\\app\\"), DirChainExists);
  EXPECT_STREQ(buffer_, "C:\\prog\\app\\");
  EXPECT_STREQ(log_.c_str(), "");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(CreateDirChainTest, DriveRootIsThereAlready) {
  EXPECT_EQ(Create("C:\\"), DirChainExists);
  EXPECT_STREQ(log_.c_str(), "");
  EXPECT_STREQ(MessageBuffer.c_str(), "");
}

TEST_F(CreateDirChainTest, OneMissingLevelIsCreatedWithoutALine) {
  EXPECT_EQ(Create("C:\\One"), DirChainCreated);
  EXPECT_TRUE(IsHostDir("drive_c/One"));
  EXPECT_EQ(Create("C:\\One\\Two\\"), DirChainCreated);
  EXPECT_TRUE(IsHostDir("drive_c/One/Two"));
  EXPECT_STREQ(log_.c_str(), "");
}

TEST_F(CreateDirChainTest, MissingLevelsAreCreatedAndLoggedFromTheTopDown) {
  EXPECT_EQ(Create("C:\\A\\B"), DirChainCreated);
  log_.clear();
  EXPECT_EQ(Create("C:\\A\\B\\C\\D"), DirChainCreated);
  EXPECT_STREQ(log_.c_str(), "C:\\A\\B\\C\t created\r\nC:\\A\\B\\C\\D\t created\r\n");
  EXPECT_STREQ(buffer_, "C:\\A\\B\\C\\D");
  log_.clear();
  EXPECT_EQ(Create("C:\\X\\Y\\Z"), DirChainCreated);
  EXPECT_STREQ(log_.c_str(), "C:\\X\t created\r\nC:\\X\\Y\t created\r\nC:\\X\\Y\\Z\t created\r\n");
  EXPECT_TRUE(IsHostDir("drive_c/X/Y/Z"));
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(CreateDirChainTest, TrailingBackslashIsNoLevelOfItsOwn) {
  EXPECT_EQ(Create("C:\\P\\Q\\R\\"), DirChainCreated);
  EXPECT_STREQ(log_.c_str(), "C:\\P\t created\r\nC:\\P\\Q\t created\r\nC:\\P\\Q\\R\t created\r\n");
  EXPECT_STREQ(buffer_, "C:\\P\\Q\\R\\");
  EXPECT_TRUE(IsHostDir("drive_c/P/Q/R"));
  EXPECT_STREQ(MessageBuffer.c_str(), "");
}

TEST_F(CreateDirChainTest, HiddenExistingDirectoryIsNotSeenAndFails) {
  WriteHostFile("drive_c/Hid/keep.txt", "");
  ASSERT_TRUE(SetFileAttributesA("C:\\Hid", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Create("C:\\Hid\\"), DirChainFailed);
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), FailureLines("C:\\Hid"));
  EXPECT_STREQ(buffer_, "C:\\Hid\\");
  EXPECT_STREQ(log_.c_str(), "");
}

TEST_F(CreateDirChainTest, MissingDriveFailsAndLeavesThePathAsGiven) {
  ErrorLevel = 3;
  EXPECT_EQ(Create("Q:\\App\\Sub"), DirChainFailed);
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), FailureLines("Q:\\App\\Sub"));
  EXPECT_STREQ(buffer_, "Q:\\App\\Sub");
  EXPECT_STREQ(log_.c_str(), "");
  // Already failing: one more.
  EXPECT_EQ(Create("Q:\\x\\"), DirChainFailed);
  EXPECT_EQ(ErrorLevel, 102);
}

TEST_F(CreateDirChainTest, FailureOnTheWayDownNamesTheLevelThatFailed) {
  EXPECT_EQ(Create("C:\\New\\bad?name\\Leaf"), DirChainFailed);
  EXPECT_STREQ(log_.c_str(), "C:\\New\t created\r\n");
  EXPECT_EQ(std::string(MessageBuffer.c_str()), FailureLines("C:\\New\\bad?name"));
  EXPECT_STREQ(buffer_, "C:\\New\\bad?name\\Leaf");
  EXPECT_EQ(ErrorLevel, 101);
}

TEST_F(CreateDirChainTest, PathBeyondTheWorkingCopyFailsCleanly) {
  std::string upper(128, 'u');
  std::string lower(127, 'l');
  WriteHostFile("drive_c/" + upper + "/" + lower + "/keep.txt", "");
  std::string longest = "C:\\" + upper + "\\" + lower;  // 259 characters: still fits
  EXPECT_EQ(Create((longest + "\\").c_str()), DirChainExists);
  std::string tooLong = longest + "x";  // 260 characters
  EXPECT_EQ(Create(tooLong.c_str()), DirChainFailed);
  EXPECT_EQ(std::string(MessageBuffer.c_str()), FailureLines(tooLong));
  EXPECT_STREQ(buffer_, tooLong.c_str());
  EXPECT_EQ(ErrorLevel, 101);
}

}  // namespace
