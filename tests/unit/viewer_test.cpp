// Which notepad the viewer starts: the system directory's, else the Windows
// directory's, never one found on the search path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dialogs/viewer.h"
#include "tests/unit/temp_machine.h"

namespace {

using ViewerTest = TempMachineTest;

TEST_F(ViewerTest, SystemDirectoryFirstThenWindowsDirectory) {
  const struct {
    bool inSystem, inWindows;
    const char* command;
  } rows[] = {
      {true, true, "C:\\WINDOWS\\system32\\notepad.exe C:\\pkg\\read me.txt"},
      {true, false, "C:\\WINDOWS\\system32\\notepad.exe C:\\pkg\\read me.txt"},
      {false, true, "C:\\WINDOWS\\notepad.exe C:\\pkg\\read me.txt"},
      // Neither: the Windows directory's is named, and its start fails.
      {false, false, "C:\\WINDOWS\\notepad.exe C:\\pkg\\read me.txt"},
  };
  const std::string system = Host("drive_c/WINDOWS/system32/notepad.exe");
  const std::string windows = Host("drive_c/WINDOWS/notepad.exe");
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    if (!rows[i].inSystem) unlink(system.c_str());
    if (!rows[i].inWindows) unlink(windows.c_str());
    EXPECT_STREQ(ViewerCommandLine("C:\\pkg\\read me.txt").c_str(), rows[i].command) << "row " << i;
    WriteHostFile("drive_c/WINDOWS/system32/notepad.exe", "MZ");
    WriteHostFile("drive_c/WINDOWS/notepad.exe", "MZ");
  }
}

// A folder named notepad.exe in the system directory is no program.
TEST_F(ViewerTest, AFolderNamedNotepadIsPassedOver) {
  const std::string system = Host("drive_c/WINDOWS/system32/notepad.exe");
  ASSERT_EQ(unlink(system.c_str()), 0);
  ASSERT_EQ(mkdir(system.c_str(), 0755), 0);
  EXPECT_STREQ(ViewerCommandLine("x.txt").c_str(), "C:\\WINDOWS\\notepad.exe x.txt");
}

}  // namespace
