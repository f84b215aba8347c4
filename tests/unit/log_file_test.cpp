// The log file: where it goes, its header, the collected lines, an existing
// log extended, and the fallback into the temporary directory.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "common/message_buffer.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "fileinfo/file_info.h"
#include "log/log_file.h"
#include "tests/unit/log_test_support.h"

namespace {

class LogFileTest : public LogStateTest {
 protected:
  void SetUp() override {
    LogStateTest::SetUp();
    WriteHostFile("drive_c/SRC/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
    WriteHostFile("drive_c/TMP/keep.txt", "");
    SetEnvironmentVariableA("tmp", "C:\\TMP");
    SetEnvironmentVariableA("temp", nullptr);
  }

  TLogOpenResult Open(const char* source = "C:\\SRC\\APP.INF") {
    Str ioMessage;
    TLogOpenResult result = TryOpenLogFile(source, ioMessage);
    ioMessage_ = ioMessage.c_str();
    return result;
  }
  // The log's text with the time of the run replaced by <now>.
  std::string LogText(const std::string& relative) {
    LogFile.Close();
    std::string text = ReadHostFile(relative);
    std::smatch m;
    if (std::regex_search(text, m, std::regex("Date/Time:\t([^\r\n]*)\r\n")))
      now_ = m[1].str();
    return std::regex_replace(text, std::regex("Date/Time:\t[^\r\n]*\r\n"), "Date/Time:\t<now>\r\n");
  }
  static std::string SourceLine(const char* source) {
    FILETIME time;
    Str created;
    Str changed;
    FileDateStr(source, FileTimeCreation, time, created);
    FileDateStr(source, FileTimeLastWrite, time, changed);
    return std::string("SourceInfFile\t") + source + " Created:" + created.c_str() +
           ", Changed:" + changed.c_str() + "\r\n";
  }
  static std::string Header(const char* source = "C:\\SRC\\APP.INF") {
    return "Date/Time:\t<now>\r\n" + SourceLine(source);
  }

  std::string ioMessage_;
  std::string now_;
};

const std::string Rule(50, '=');

TEST_F(LogFileTest, NewLogGetsTheHeaderTheCollectedLinesAndOneLineEnd) {
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog\\App");
  MessageBuffer = "first\r\n\tsecond\r\n";
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_TRUE(LogFileOpen);
  EXPECT_STREQ(LogFilePath.c_str(), "C:\\Prog\\App\\LOGFILKW.LOG");
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  EXPECT_EQ(LogText("drive_c/Prog/App/LOGFILKW.LOG"), Header() + "first\r\n\tsecond\r\n\r\n");
  // The user's short date, a blank and the long time.
  EXPECT_TRUE(std::regex_match(now_, std::regex("[0-9]+/[0-9]+/[0-9]{4} [0-9]+:[0-9]{2}:[0-9]{2}.*")))
      << now_;
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(LogFileTest, SourceDatesAreThoseOfTheControlFileAndEmptyWithoutOne) {
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  ASSERT_EQ(Open("C:\\SRC\\MISSING.INF"), LogOpened);
  std::string text = LogText("drive_c/Prog/LOGFILKW.LOG");
  EXPECT_EQ(text, "Date/Time:\t<now>\r\nSourceInfFile\tC:\\SRC\\MISSING.INF Created:, Changed:\r\n\r\n");
  // A file that exists has both dates.
  EXPECT_EQ(SourceLine("C:\\SRC\\APP.INF").find(" Created:,"), std::string::npos);
  EXPECT_EQ(SourceLine("C:\\SRC\\APP.INF").find(", Changed:\r"), std::string::npos);
}

TEST_F(LogFileTest, ExistingLogIsExtendedAfterAnEmptyLineAndARule) {
  WriteHostFile("drive_c/Prog/LOGFILKW.LOG", "earlier run\r\n");
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog\\");
  MessageBuffer = "line\r\n";
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_EQ(LogText("drive_c/Prog/LOGFILKW.LOG"),
            "earlier run\r\n\r\n" + Rule + "\r\n" + Header() + "line\r\n\r\n");
}

TEST_F(LogFileTest, WithoutProgramPathTheTemporaryDirectoryIsUsedAsWritten) {
  SetEnvironmentVariableA("MyProgramPath", "");
  SetEnvironmentVariableA("Base", "C:\\Base");
  SetEnvironmentVariableA("tmp", "%Base%\\Logs");
  MessageBuffer = "before\r\n";
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_STREQ(LogFilePath.c_str(), "C:\\Base\\Logs\\LOGFILKW.LOG");
  EXPECT_EQ(LogText("drive_c/Base/Logs/LOGFILKW.LOG"),
            Header() + "before\r\nNo ProgramPath given, using %Base%\\Logs for the LogFile!\r\n\r\n");
}

TEST_F(LogFileTest, TempIsTheLastChoice) {
  SetEnvironmentVariableA("MyProgramPath", nullptr);
  SetEnvironmentVariableA("tmp", nullptr);
  SetEnvironmentVariableA("temp", "C:\\TMP");
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_EQ(LogText("drive_c/TMP/LOGFILKW.LOG"),
            Header() + "No ProgramPath given, using C:\\TMP for the LogFile!\r\n\r\n");
}

// The installation directory was expanded when it was chosen: the log goes
// to the folder its text names, like the files, even with a percent sign.
TEST_F(LogFileTest, ProgramPathIsUsedAsItStandsWithExactlyOneBackslash) {
  SetEnvironmentVariableA("Base", "C:\\Other");
  SetEnvironmentVariableA("MyProgramPath", "C:\\Base\\%Base%\\App\\");
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_STREQ(LogFilePath.c_str(), "C:\\Base\\%Base%\\App\\LOGFILKW.LOG");
  EXPECT_EQ(LogText("drive_c/Base/%Base%/App/LOGFILKW.LOG"), Header() + "\r\n");
  EXPECT_EQ(ErrorLevel, 0);
}

// One that names no place of its own would put the log on the medium.
TEST_F(LogFileTest, RelativeProgramPathIsRefusedAndTheTemporaryDirectoryTakesTheLog) {
  // A reference in it is not expanded again, so %Base% does not make it full.
  SetEnvironmentVariableA("Base", "C:\\Base");
  static const char* const relative[] = {"App", "\\App", "%Base%\\App", "C:App"};
  for (const char* path : relative) {
    SCOPED_TRACE(path);
    LogFile.Close();
    DeleteFileA("C:\\TMP\\LOGFILKW.LOG");
    SetEnvironmentVariableA("MyProgramPath", path);
    ErrorLevel = 0;
    MessageBuffer = "";
    ASSERT_EQ(Open(), LogOpened);
    EXPECT_STREQ(LogFilePath.c_str(), "C:\\TMP\\LOGFILKW.LOG");
    EXPECT_EQ(LogText("drive_c/TMP/LOGFILKW.LOG"),
              Header() + "Error: the installation directory is not a full path: " + path +
                  "\r\nNo ProgramPath given, using C:\\TMP for the LogFile!\r\n\r\n");
    EXPECT_EQ(ErrorLevel, 101);
  }
}

TEST_F(LogFileTest, ReadOnlyLogFallsBackToAFreshLogInTmp) {
  WriteHostFile("drive_c/Prog/LOGFILKW.LOG", "kept\r\n");
  ASSERT_TRUE(SetFileAttributesA("C:\\Prog\\LOGFILKW.LOG", FILE_ATTRIBUTE_READONLY));
  WriteHostFile("drive_c/TMP/LOGFILKW.LOG", "stale older log\r\n");
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  MessageBuffer = "collected\r\n";
  ASSERT_EQ(Open(), LogOpened);
  EXPECT_TRUE(LogFileOpen);
  EXPECT_STREQ(LogFilePath.c_str(), "C:\\TMP\\LOGFILKW.LOG");
  EXPECT_EQ(LogText("drive_c/TMP/LOGFILKW.LOG"),
            Header() + "collected\r\n" +
                "Error: could not create/open the the LogFile  C:\\Prog\\LOGFILKW.LOG\r\n"
                "Trying to use C:\\TMP\\LOGFILKW.LOG as Logfile\r\n\r\n");
  EXPECT_EQ(ReadHostFile("drive_c/Prog/LOGFILKW.LOG"), "kept\r\n");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(LogFileTest, NoDirectoryAtAllEndsTheRun) {
  SetEnvironmentVariableA("MyProgramPath", nullptr);
  SetEnvironmentVariableA("tmp", nullptr);
  MessageBuffer = "kept\r\n";
  EXPECT_EQ(Open(), LogOpenEndsRun);
  EXPECT_FALSE(LogFileOpen);
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "kept\r\nError: no ProgramPath given, no temp or tmp found!\r\n"
               "MessageBox: Error: no ProgramPath given, no temp or tmp found!\r\n");
}

TEST_F(LogFileTest, DirectoryThatCannotBeCreatedEndsTheRun) {
  SetEnvironmentVariableA("MyProgramPath", "Q:\\App");
  EXPECT_EQ(Open(), LogOpenEndsRun);
  EXPECT_FALSE(LogFileOpen);
  // The directory creation counts its failure, and so does the log.
  EXPECT_EQ(ErrorLevel, 102);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Error to create the Q:\\App directory\r\n"
               "Error to create the Q:\\App directory\r\n"
               "Error: can't create directory Q:\\App\\\r\n"
               "MessageBox: Error: can't create directory Q:\\App\\ (Access-Rights?)\r\n");
}

TEST_F(LogFileTest, UnopenableLogWithoutTemporaryDirectoryEndsTheRunKeepingTheLines) {
  WriteHostFile("drive_c/Prog/LOGFILKW.LOG", "kept\r\n");
  ASSERT_TRUE(SetFileAttributesA("C:\\Prog\\LOGFILKW.LOG", FILE_ATTRIBUTE_READONLY));
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  SetEnvironmentVariableA("tmp", nullptr);
  MessageBuffer = "collected\r\n";
  EXPECT_EQ(Open(), LogOpenEndsRun);
  EXPECT_FALSE(LogFileOpen);
  EXPECT_FALSE(LogFile.IsOpen());
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "collected\r\n"
               "Error: could not create/open the the LogFile  C:\\Prog\\LOGFILKW.LOG\r\n"
               "MessageBox: Error: could not create/open the the LogFile  C:\\Prog\\LOGFILKW.LOG\r\n");
}

TEST_F(LogFileTest, FallbackThatFailsTooIsAnIoErrorNamingTheFile) {
  // A folder where each log file should be: neither can be opened.
  WriteHostFile("drive_c/Prog/LOGFILKW.LOG/keep.txt", "");
  WriteHostFile("drive_c/TMP/LOGFILKW.LOG/keep.txt", "");
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  EXPECT_EQ(Open(), LogOpenIoError);
  EXPECT_EQ(ioMessage_.rfind("I/O error 5 on C:\\TMP\\LOGFILKW.LOG", 0), 0u) << ioMessage_;
  EXPECT_FALSE(LogFileOpen);
  EXPECT_EQ(ErrorLevel, 0);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "Error: could not create/open the the LogFile  C:\\Prog\\LOGFILKW.LOG\r\n"
               "Trying to use C:\\TMP\\LOGFILKW.LOG as Logfile\r\n");
}

TEST_F(LogFileTest, DirectWritesAndFlushesFollowTheHeader) {
  SetEnvironmentVariableA("MyProgramPath", "C:\\Prog");
  ASSERT_EQ(Open(), LogOpened);
  WriteLogLine("C:\\Prog\\a.exe", '\t', "created");
  Str path("C:\\Prog\\b.dll");
  WriteLogLine(path, '\t', ' ', "refreshed");
  FlushMessageBuffer();  // nothing collected: nothing written
  MessageBuffer = "block\r\n";
  FlushMessageBuffer();
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  EXPECT_EQ(LogText("drive_c/Prog/LOGFILKW.LOG"),
            Header() + "\r\nC:\\Prog\\a.exe\tcreated\r\nC:\\Prog\\b.dll\t refreshed\r\nblock\r\n\r\n");
}

TEST_F(LogFileTest, TemporaryLogPathComesFromTmpThenTempUnexpanded) {
  Str path;
  SetEnvironmentVariableA("tmp", "%X%\\T\\");
  ASSERT_TRUE(TemporaryLogFilePath(path));
  EXPECT_STREQ(path.c_str(), "%X%\\T\\LOGFILKW.LOG");
  SetEnvironmentVariableA("tmp", nullptr);
  SetEnvironmentVariableA("temp", "D:\\Temp");
  ASSERT_TRUE(TemporaryLogFilePath(path));
  EXPECT_STREQ(path.c_str(), "D:\\Temp\\LOGFILKW.LOG");
  SetEnvironmentVariableA("temp", nullptr);
  EXPECT_FALSE(TemporaryLogFilePath(path));
}

// The writer itself: what a failure looks like to its callers.
TEST_F(LogFileTest, TextFileReportsWritesWithoutAFileAndFailedOpens) {
  TTextFile file;
  EXPECT_FALSE(file.Write("x"));
  EXPECT_EQ(file.LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(file.Close());
  EXPECT_FALSE(file.OpenAppend("C:\\nowhere.log"));
  EXPECT_EQ(file.LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(file.Create("C:\\NoDir\\x.log"));
  EXPECT_EQ(file.LastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  ASSERT_TRUE(file.Create("C:\\big.log"));
  std::string big(5000, 'b');
  EXPECT_TRUE(file.Write(big.c_str()));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadHostFile("drive_c/big.log"), big);
}

}  // namespace
