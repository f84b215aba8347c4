// The Windows command line built from host arguments, and the program's own
// path as GetModuleFileNameA reports it.
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

using PosixCommandLineTest = TempMachineTest;

TEST_F(PosixCommandLineTest, HostPathsBecomeWindowsPaths) {
  EXPECT_EQ(posix::WindowsArgument("/usr/share/pkg/APP.INF"), "Z:\\usr\\share\\pkg\\APP.INF");
  EXPECT_EQ(posix::WindowsArgument("/ANSWERS=/usr/answers.txt"), "/ANSWERS=Z:\\usr\\answers.txt");
  EXPECT_EQ(posix::WindowsArgument("pkg/sub/APP.INF"), "pkg\\sub\\APP.INF");
  EXPECT_EQ(posix::WindowsArgument("APP.INF"), "APP.INF");
}

TEST_F(PosixCommandLineTest, SwitchesStayAsTheyAre) {
  // "/S" is a switch unless the host root holds an entry "S".
  EXPECT_EQ(posix::WindowsArgument("/S"), "/S");
  EXPECT_EQ(posix::WindowsArgument("/DIR=C:\\x"), "/DIR=C:\\x");
  EXPECT_EQ(posix::WindowsArgument("/DIR=relative/dir"), "/DIR=relative/dir");
  EXPECT_EQ(posix::WindowsArgument("/no-such-root-entry-here/x"), "/no-such-root-entry-here/x");
  EXPECT_EQ(posix::WindowsArgument(""), "");
}

TEST_F(PosixCommandLineTest, HostPathInsideTheMachineIsOnItsDrive) {
  EXPECT_EQ(posix::WindowsArgument(Host("drive_c/WINDOWS/notepad.exe")), "C:\\WINDOWS\\notepad.exe");
}

TEST_F(PosixCommandLineTest, ArgumentsWithBlanksAreQuoted) {
  std::vector<std::string> args = {"/S", "/usr/my pkg/APP.INF", ""};
  EXPECT_EQ(posix::WindowsCommandLine("Z:\\opt\\setup", args),
            "Z:\\opt\\setup /S \"Z:\\usr\\my pkg\\APP.INF\" \"\"");
  EXPECT_EQ(posix::WindowsCommandLine("Z:\\my tools\\setup", {}), "\"Z:\\my tools\\setup\"");
}

TEST_F(PosixCommandLineTest, ModuleFileNameIsCutAsWindowsCutsIt) {
  posix::SetProgramIdentity("/usr/bin/setup", "Z:\\usr\\bin\\setup /S");
  EXPECT_STREQ(GetCommandLineA(), "Z:\\usr\\bin\\setup /S");
  char path[32];
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), 16u);
  EXPECT_STREQ(path, "Z:\\usr\\bin\\setup");
  EXPECT_EQ(GetLastError(), 0u);

  memset(path, 'X', sizeof path);
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, 16), 16u);  // no room for the NUL
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(path, "Z:\\usr\\bin\\setu");
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, 0), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace
