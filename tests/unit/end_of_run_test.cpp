// The end of the run: the lines left in MessageBuffer reach a log, the log
// is closed, and the result names the sentence for ErrorLevel.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "common/dialog_record.h"
#include "log/end_of_run.h"
#include "tests/unit/log_test_support.h"

namespace {

class EndOfRunTest : public LogStateTest {
 protected:
  void SetUp() override {
    LogStateTest::SetUp();
    WriteHostFile("drive_c/TMP/keep.txt", "");
    SetEnvironmentVariableA("tmp", "C:\\TMP");
    SetEnvironmentVariableA("temp", nullptr);
  }
  bool HostFileExists(const std::string& relative) const {
    struct stat st;
    return stat(Host(relative).c_str(), &st) == 0;
  }
};

TEST_F(EndOfRunTest, LinesOfARunWithoutLogGoToAFreshLogInTmpNamingItself) {
  WriteHostFile("drive_c/TMP/LOGFILKW.LOG", "an older log that is replaced\r\n");
  MessageBuffer = "Error: something early\r\n";
  EXPECT_TRUE(WriteAndCloseLog());
  EXPECT_STREQ(LogFilePath.c_str(), "C:\\TMP\\LOGFILKW.LOG");
  EXPECT_EQ(ReadHostFile("drive_c/TMP/LOGFILKW.LOG"),
            "Error: something early\r\nLogfile: C:\\TMP\\LOGFILKW.LOG\r\n\r\n");
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  EXPECT_FALSE(LogFile.IsOpen());
}

TEST_F(EndOfRunTest, TempServesWhenTmpIsNotSet) {
  SetEnvironmentVariableA("tmp", nullptr);
  SetEnvironmentVariableA("temp", "C:\\TMP\\");
  MessageBuffer = "x\r\n";
  EXPECT_TRUE(WriteAndCloseLog());
  EXPECT_EQ(ReadHostFile("drive_c/TMP/LOGFILKW.LOG"), "x\r\nLogfile: C:\\TMP\\LOGFILKW.LOG\r\n\r\n");
}

TEST_F(EndOfRunTest, CancelledRunEndsSilentlyWithoutAFile) {
  EXPECT_FALSE(WriteAndCloseLog());
  EXPECT_FALSE(HostFileExists("drive_c/TMP/LOGFILKW.LOG"));
  EXPECT_STREQ(LogFilePath.c_str(), "");
}

TEST_F(EndOfRunTest, LinesWithNowhereToGoAreKeptOnStandardError) {
  SetEnvironmentVariableA("tmp", nullptr);
  MessageBuffer = "Error: no ProgramPath given, no temp or tmp found!\r\n";
  testing::internal::CaptureStderr();
  EXPECT_FALSE(WriteAndCloseLog());
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_EQ(shown, "Error: no ProgramPath given, no temp or tmp found!\r\n\n");
}

TEST_F(EndOfRunTest, OpenLogGetsTheRemainingLinesAndIsClosed) {
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  Str ioMessage;
  ASSERT_EQ(TryOpenLogFile("C:\\SRC\\APP.INF", ioMessage), LogOpened);
  MessageBuffer = "late line\r\n";
  EXPECT_TRUE(WriteAndCloseLog());
  EXPECT_FALSE(LogFile.IsOpen());
  std::string text = ReadHostFile("drive_c/Prog/LOGFILKW.LOG");
  ASSERT_GE(text.size(), 15u);
  EXPECT_EQ(text.substr(text.size() - 15), "\r\nlate line\r\n\r\n");
  EXPECT_EQ(text.find("Logfile: "), std::string::npos);
}

TEST_F(EndOfRunTest, CompletedRunWithNothingLeftOnlyClosesTheLog) {
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  Str ioMessage;
  ASSERT_EQ(TryOpenLogFile("C:\\SRC\\APP.INF", ioMessage), LogOpened);
  WriteLogLine("C:\\Prog\\a.exe\tcreated");
  std::string before = ReadHostFile("drive_c/Prog/LOGFILKW.LOG");
  EXPECT_TRUE(WriteAndCloseLog());
  EXPECT_EQ(ReadHostFile("drive_c/Prog/LOGFILKW.LOG"), before);
}

TEST(ResultSentence, ByErrorLevel) {
  EXPECT_STREQ(ResultSentence(0), "Installation successfully!");
  EXPECT_STREQ(ResultSentence(1), "Installation done with warnings!");
  EXPECT_STREQ(ResultSentence(99), "Installation done with warnings!");
  EXPECT_STREQ(ResultSentence(100), "Installation done without success!");
  EXPECT_STREQ(ResultSentence(101), "Installation done without success!");
}

TEST_F(EndOfRunTest, ResultNamesTheSentenceAndTheLogAndTellsStandardError) {
  MessageBuffer = "Warning: one\r\n";
  ErrorLevel = 1;
  ASSERT_TRUE(WriteAndCloseLog());
  testing::internal::CaptureStderr();
  ShowRunResult();
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_STREQ(DlgRec.Text.c_str(), "Installation done with warnings!");
  ASSERT_NE(DlgRec.PathBuf, nullptr);
  EXPECT_STREQ(DlgRec.PathBuf, "C:\\TMP\\LOGFILKW.LOG");
  EXPECT_NE(shown.find("Installation done with warnings!\n"), std::string::npos) << shown;
  EXPECT_EQ(DlgRec.Result, 1);  // answered with Close in a run without a user
  DlgRec.Text.clear();
  DlgRec.PathBuf = nullptr;
  DlgRec.PathBufSize = 0;
}

}  // namespace
