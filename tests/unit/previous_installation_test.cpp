// The control-file signature, the system INF directory and the earlier
// installation's control file.
#include <gtest/gtest.h>
#include <unistd.h>

#include "common/message_buffer.h"
#include "platform/posix/registry/registry_posix.h"
#include "setup/control_file_location.h"
#include "setup/previous_installation.h"
#include "tests/unit/temp_machine.h"

TEST(UninstallCommandLine, LastPathIsAfterTheLastBlankOrInTheLastQuotes) {
  EXPECT_STREQ(LastPathOfCommandLine(
                   "rundll32 setupAPI.dll,InstallHinfSection DefaultUninstall 132 C:\\WINDOWS\\INF\\APP.INF")
                   .c_str(),
               "C:\\WINDOWS\\INF\\APP.INF");
  EXPECT_STREQ(LastPathOfCommandLine("rundll32 x 132 \"C:\\Program Files\\App\\APP.INF\"").c_str(),
               "C:\\Program Files\\App\\APP.INF");
  EXPECT_STREQ(LastPathOfCommandLine("C:\\APP.INF").c_str(), "");
  EXPECT_STREQ(LastPathOfCommandLine("C:\\APP.INF\"").c_str(), "");
  EXPECT_STREQ(LastPathOfCommandLine("\"C:\\A B.INF\"").c_str(), "C:\\A B.INF");
  EXPECT_STREQ(LastPathOfCommandLine("x ").c_str(), "");
  EXPECT_STREQ(LastPathOfCommandLine("").c_str(), "");
}

class SignatureTest : public TempMachineTest {};

TEST_F(SignatureTest, PositionOfTalvenInTheFirstThirtyCharacters) {
  WriteHostFile("drive_c/a.inf", "[Version]\r\nFormKw=x-TalVen-2\r\n");
  EXPECT_EQ(CheckSignature("C:\\a.inf"), 3);
  WriteHostFile("drive_c/b.inf", "[version]\r\nformkw = talven\r\n");
  EXPECT_EQ(CheckSignature("C:\\b.inf"), 1);
  WriteHostFile("drive_c/c.inf", "[Version]\r\nFormKw=TALVE\r\n");
  EXPECT_EQ(CheckSignature("C:\\c.inf"), 0);
  // 25 characters, then TALVEN: position 26 lies beyond the 30-character cut.
  WriteHostFile("drive_c/d.inf", "[Version]\r\nFormKw=1234567890123456789012345TALVEN\r\n");
  EXPECT_EQ(CheckSignature("C:\\d.inf"), 0);
  WriteHostFile("drive_c/e.inf", "[Version]\r\nFormKw=123456789012345678901234TALVEN\r\n");
  EXPECT_EQ(CheckSignature("C:\\e.inf"), 25);
  WriteHostFile("drive_c/f.inf", "[Version]\r\nFormKw=\r\n");
  EXPECT_EQ(CheckSignature("C:\\f.inf"), 0);
  EXPECT_EQ(CheckSignature("C:\\missing.inf"), 0);
}

class SystemInfDirTest : public TempMachineTest {
 protected:
  void WriteRegistry(const std::string& keys) {
    WriteHostFile("registry.reg", "REGEDIT4\r\n\r\n" + keys);
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(Host("registry.reg"), &why)) << why;
  }
};

TEST_F(SystemInfDirTest, ScratchDirThenWindirInfWhenTheValueIsMissing) {
  WriteRegistry(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup]\r\n"
      "\"SetupScratchDir\"=\"%windir%\\\\Scratch\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
      "\"DevicePath\"=\"C:\\\\Devices\"\r\n");
  EXPECT_STREQ(SystemInfDir().c_str(), "C:\\WINDOWS\\Scratch");
  WriteRegistry(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup]\r\n"
      "\"Other\"=\"x\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
      "\"DevicePath\"=\"C:\\\\Devices\"\r\n");
  EXPECT_STREQ(SystemInfDir().c_str(), "C:\\WINDOWS\\inf");
}

TEST_F(SystemInfDirTest, DevicePathWithoutSetupKeyThenTheFixedText) {
  WriteRegistry(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
      "\"DevicePath\"=\"C:\\\\A;C:\\\\B\"\r\n");
  EXPECT_STREQ(SystemInfDir().c_str(), "C:\\A;C:\\B");
  WriteRegistry("");
  EXPECT_STREQ(SystemInfDir().c_str(), "C:\\WINDOWS\\INF");
}

class PreviousInstallationTest : public SystemInfDirTest {
 protected:
  void SetUp() override {
    SystemInfDirTest::SetUp();
    MessageBuffer.clear();
    WriteHostFile("drive_c/pkg/APP.INF",
                  "[Version]\r\nFormKw=TALVEN\r\n[RegWriteUninstall]\r\nErrSection=Links\r\n"
                  "u=HKLM,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App,"
                  "UninstallString,,x\r\n");
  }
  void Register(const std::string& uninstallString) {
    WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App]\r\n"
                  "\"UninstallString\"=\"" + uninstallString + "\"\r\n");
  }
};

TEST_F(PreviousInstallationTest, ReportsTheRegisteredControlFileAndKeepsTheSameFile) {
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  Register("rundll32 setupAPI.dll,InstallHinfSection DefaultUninstall 132 C:\\\\WINDOWS\\\\INF\\\\APP.INF");
  FindPreviousInstallation("C:\\pkg\\APP.INF", "C:\\WINDOWS\\INF\\APP.INF");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "In Registry-Uninstall reference to previous INF found: C:\\WINDOWS\\INF\\APP.INF\r\n");
}

TEST_F(PreviousInstallationTest, UnsignedFilesAreReportedAndIgnored) {
  WriteHostFile("drive_c/old/APP.inf", "[Version]\r\nFormKw=OTHER\r\n");
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\n");
  Register("x \\\"C:\\\\old\\\\APP.inf\\\"");
  FindPreviousInstallation("C:\\pkg\\APP.INF", "C:\\WINDOWS\\INF\\APP.INF");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "In Registry-Uninstall reference to previous INF found: C:\\old\\APP.inf\r\n"
               "Signature-Check failed for this INF, so ignored \r\n"
               "Signature-Check failed for C:\\WINDOWS\\INF\\APP.INF, so ignored \r\n");
}

TEST_F(PreviousInstallationTest, TheNewerPreviousFileReplacesTheInstalledCopy) {
  WriteHostFile("drive_c/old/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  ASSERT_EQ(system(("touch -d '2003-03-21 10:00:00Z' " + Host("drive_c/WINDOWS/INF/APP.INF")).c_str()), 0);
  ASSERT_EQ(system(("touch -d '2004-03-21 10:00:00Z' " + Host("drive_c/old/APP.INF")).c_str()), 0);
  Register("uninstall C:\\\\old\\\\APP.INF");
  FindPreviousInstallation("C:\\pkg\\APP.INF", "C:\\WINDOWS\\INF\\APP.INF");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "In Registry-Uninstall reference to previous INF found: C:\\old\\APP.INF\r\n"
               "using the newer C:\\old\\APP.INF\r\n"
               "older C:\\WINDOWS\\INF\\APP.INF sucessfully deleted!\r\n");
  EXPECT_EQ(access(Host("drive_c/WINDOWS/INF/APP.INF").c_str(), F_OK), -1);
}

TEST_F(PreviousInstallationTest, NothingWithoutUninstallLineOrRegistryKey) {
  WriteHostFile("drive_c/pkg/B.INF", "[Version]\r\nFormKw=TALVEN\r\n[RegWriteUninstall]\r\nErrSection=L\r\n");
  FindPreviousInstallation("C:\\pkg\\B.INF", "C:\\WINDOWS\\INF\\B.INF");
  FindPreviousInstallation("C:\\pkg\\APP.INF", "C:\\WINDOWS\\INF\\APP.INF");  // key missing
  EXPECT_STREQ(MessageBuffer.c_str(), "");
}
