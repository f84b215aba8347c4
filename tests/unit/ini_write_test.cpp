// [IniWrite]: entries written into INI files, errors reported by boxes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "actions/ini_write.h"
#include "common/message_buffer.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "platform/platform.h"
#include "tests/unit/temp_machine.h"

namespace {
class IniWriteTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    RunOptions = TRunOptions();
    RunOptions.Silent = true;  // box texts land in MessageBuffer
    MessageBuffer.clear();
    ErrorLevel = 0;
    SetEnvironmentVariableA("AppDir", "C:\\App");
  }
  void Run(const std::string& entries) {
    WriteHostFile("drive_c/pkg/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n[IniWrite]\r\n" + entries);
    WriteIniEntries("C:\\pkg\\APP.INF");
  }
};
}  // namespace

TEST_F(IniWriteTest, ExpandsValueAndFileButNotSectionAndKey) {
  mkdir(Host("drive_c/App").c_str(), 0777);
  Run("1=Paths,%AppDir%,%AppDir%\\data,%AppDir%\\app,1.ini\r\n");
  EXPECT_EQ(ReadHostFile("drive_c/App/app,1.ini"), "[Paths]\r\n%AppDir%=C:\\App\\data\r\n");
  EXPECT_EQ(ErrorLevel, 0);
  EXPECT_EQ(MessageBuffer.c_str(), std::string());
}

TEST_F(IniWriteTest, EmptyValueKeepsTheKeyAndBareNamesGoToTheWindowsDirectory) {
  Run("a=S,K,,demo.ini\r\n");
  EXPECT_EQ(ReadHostFile("drive_c/WINDOWS/demo.ini"), "[S]\r\nK=\r\n");
}

TEST_F(IniWriteTest, SyntaxErrorsShowWhatIsLeftBeforeTheFirstCut) {
  Run("a=NoCommaAtAll\r\nb=Section,Key,Value\r\nc=S,K,V,ok.ini\r\n");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Syntax-Error at [IniWrite]NoCommaAtAll\r\n"
               "MessageBox: Syntax-Error at [IniWrite]Section\r\n");
  EXPECT_EQ(ErrorLevel, 102);
  EXPECT_EQ(ReadHostFile("drive_c/WINDOWS/ok.ini"), "[S]\r\nK=V\r\n");
}

TEST_F(IniWriteTest, ReadOnlyTargetShowsTheSystemTextAndGoesOn) {
  WriteHostFile("drive_c/ro.ini", "[S]\r\nK=old\r\n");
  chmod(Host("drive_c/ro.ini").c_str(), 0444);
  ErrorLevel = 5;
  Run("a=S,K,new,C:\\ro.ini\r\nb=T,K,new,C:\\ro.ini\r\nc=U,K,V,C:\\rw.ini\r\n");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Error 5(Access is denied) at IniWriteS\r\n"
               "MessageBox: Error 5(Access is denied) at IniWriteT\r\n");
  EXPECT_EQ(ErrorLevel, 102);
  EXPECT_EQ(ReadHostFile("drive_c/ro.ini"), "[S]\r\nK=old\r\n");
  EXPECT_EQ(ReadHostFile("drive_c/rw.ini"), "[U]\r\nK=V\r\n");
}
