// The emulated environment: Get/SetEnvironmentVariable with the return
// values and buffer behaviour that Wine 8 shows for the same calls.
#include <cstring>
#include <fstream>
#include <string>

#include "platform/posix/machine/machine_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

class PosixEnvironmentTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    SetEnvironmentVariableA("EnvVar", "Long long value");  // 15 characters
    SetEnvironmentVariableA("B", "bee");
    SetEnvironmentVariableA("Empty", "");
  }
};

TEST_F(PosixEnvironmentTest, GetReturnsLengthOrNeededSize) {
  char buffer[64];
  memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(GetEnvironmentVariableA("envVAR", buffer, 16), 15u);
  EXPECT_STREQ(buffer, "Long long value");

  memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(GetEnvironmentVariableA("EnvVar", buffer, 15), 16u);  // no room for the NUL
  EXPECT_EQ(buffer[0], 'X');                                     // untouched
  EXPECT_EQ(GetEnvironmentVariableA("EnvVar", nullptr, 0), 16u);

  SetLastError(0xdead);
  EXPECT_EQ(GetEnvironmentVariableA("Empty", buffer, 5), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetLastError(), 0xdeadu);  // 0 with an unchanged error: set but empty
  EXPECT_EQ(GetEnvironmentVariableA("Empty", nullptr, 0), 1u);
}

TEST_F(PosixEnvironmentTest, GetOfUnsetNameFailsWith203) {
  char buffer[8] = "keep";
  EXPECT_EQ(GetEnvironmentVariableA("NoSuchVariable", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
  EXPECT_STREQ(buffer, "keep");
  SetLastError(0);
  EXPECT_EQ(GetEnvironmentVariableA("", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST_F(PosixEnvironmentTest, SetRefusesBadNamesAndDeletesWithNull) {
  EXPECT_FALSE(SetEnvironmentVariableA("a=b", "x"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(SetEnvironmentVariableA("", "x"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(SetEnvironmentVariableA("=a", "x"));  // a leading "=" is part of the name
  EXPECT_STREQ(posix::FindVariable("=A"), "x");

  EXPECT_TRUE(SetEnvironmentVariableA("b", nullptr));
  EXPECT_EQ(posix::FindVariable("B"), nullptr);
  EXPECT_TRUE(SetEnvironmentVariableA("NeverSet", nullptr));

  EXPECT_TRUE(SetEnvironmentVariableA("ENVVAR", "other"));  // replaces, any case
  EXPECT_STREQ(posix::FindVariable("EnvVar"), "other");
}

TEST_F(PosixEnvironmentTest, LoadEnvironmentReplacesTheTable) {
  WriteHostFile("env2", "# a comment\r\nFIRST=1\r\nno equals sign\r\n=C:=C:\\x\r\nSECOND=a=b\n\n");
  posix::LoadEnvironment(Host("env2"));
  EXPECT_STREQ(posix::FindVariable("first"), "1");
  EXPECT_STREQ(posix::FindVariable("SECOND"), "a=b");
  EXPECT_STREQ(posix::FindVariable("=C:"), "C:\\x");
  EXPECT_EQ(posix::FindVariable("EnvVar"), nullptr);
  EXPECT_EQ(posix::FindVariable("no equals sign"), nullptr);
}

TEST_F(PosixEnvironmentTest, TheMachineEnvironmentIsNotTheHosts) {
  EXPECT_EQ(posix::FindVariable("HOME"), nullptr);
  EXPECT_STREQ(posix::FindVariable("windir"), "C:\\WINDOWS");
  EXPECT_STREQ(posix::FindVariable("PATH"), "C:\\WINDOWS\\system32;C:\\WINDOWS");
  EXPECT_STREQ(posix::FindVariable("temp"), "C:\\users\\user\\Temp");
  EXPECT_STREQ(posix::FindVariable("TMP"), "C:\\users\\user\\Temp");
  EXPECT_STREQ(posix::FindVariable("USERPROFILE"), "C:\\users\\user");
  EXPECT_STREQ(posix::FindVariable("ProgramFiles"), "C:\\Program Files");
  EXPECT_STREQ(posix::FindVariable("SystemRoot"), "C:\\WINDOWS");
}

}  // namespace
