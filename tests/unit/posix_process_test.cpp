// Starting the viewer: which program a command line names, and how a start
// fails when the program is not in the machine.
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/ui/ui_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

using PosixProcessTest = TempMachineTest;

// The file named does not exist, so even on a terminal no pager is started.
const char kViewMissing[] = "notepad.exe C:\\no such dir\\readme.txt";

TEST_F(PosixProcessTest, ViewerStartsFromTheSystemFolders) {
  EXPECT_EQ(WinExec(kViewMissing, SW_SHOWNORMAL), 33u);
  EXPECT_EQ(WinExec("notepad C:\\x.txt", SW_SHOWNORMAL), 33u);  // ".exe" added
  EXPECT_EQ(WinExec("C:\\WINDOWS\\notepad.exe C:\\x.txt", SW_SHOWNORMAL), 33u);
}

TEST_F(PosixProcessTest, MissingViewerFailsWithFileNotFound) {
  ASSERT_EQ(unlink(Host("drive_c/WINDOWS/notepad.exe").c_str()), 0);
  ASSERT_EQ(unlink(Host("drive_c/WINDOWS/system32/notepad.exe").c_str()), 0);
  EXPECT_EQ(WinExec(kViewMissing, SW_SHOWNORMAL), 2u);

  char line[] = "notepad.exe C:\\readme.txt";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  SetLastError(0);
  EXPECT_FALSE(CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE,
                              nullptr, nullptr, &startup, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_EQ(WinExec("C:\\WINDOWS\\notepad.exe C:\\x.txt", SW_SHOWNORMAL), 2u);
}

TEST_F(PosixProcessTest, StartedViewerCanBeTerminatedAndClosed) {
  char line[sizeof kViewMissing];
  memcpy(line, kViewMissing, sizeof line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE,
                             nullptr, nullptr, &startup, &info));
  EXPECT_NE(info.hProcess, nullptr);
  EXPECT_NE(info.hThread, nullptr);
  EXPECT_NE(info.dwProcessId, 0u);
  EXPECT_TRUE(TerminateProcess(info.hProcess, 0));
  EXPECT_FALSE(TerminateProcess(info.hThread, 0));  // not a process
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_FALSE(TerminateProcess(info.hProcess, 0));
  EXPECT_FALSE(TerminateProcess(nullptr, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(PosixProcessTest, UnquotedPathWithBlanksTriesEachStart) {
  WriteHostFile("drive_c/Program Files/My App/tool.exe", "x");
  posix::ProgramCall call;
  ASSERT_TRUE(posix::FindProgramCall(nullptr, "C:\\Program Files\\My App\\tool.exe  a b", &call));
  EXPECT_EQ(call.program, "C:\\Program Files\\My App\\tool.exe");
  EXPECT_EQ(call.arguments, "a b");

  ASSERT_TRUE(posix::FindProgramCall(nullptr, "\"C:\\Program Files\\My App\\tool\" \"q r\"", &call));
  EXPECT_EQ(call.program, "C:\\Program Files\\My App\\tool.exe");
  EXPECT_EQ(call.arguments, "\"q r\"");

  // A program "C:\Program.exe" would win: the reason to quote program paths.
  WriteHostFile("drive_c/Program.exe", "x");
  ASSERT_TRUE(posix::FindProgramCall(nullptr, "C:\\Program Files\\My App\\tool.exe", &call));
  EXPECT_EQ(call.program, "C:\\Program.exe");
  EXPECT_EQ(call.arguments, "Files\\My App\\tool.exe");
}

TEST_F(PosixProcessTest, ViewerArgumentKeepsItsBlanks) {
  posix::ProgramCall call;
  ASSERT_TRUE(posix::FindProgramCall(nullptr, "notepad.exe C:\\My Docs\\read me.txt", &call));
  EXPECT_EQ(call.program, "C:\\WINDOWS\\system32\\notepad.exe");
  EXPECT_EQ(call.arguments, "C:\\My Docs\\read me.txt");
  ASSERT_TRUE(posix::FindProgramCall("C:\\WINDOWS\\notepad.exe", "notepad x.txt", &call));
  EXPECT_EQ(call.program, "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(call.arguments, "x.txt");
}

TEST(PosixMessageBoxTest, BlockShowsCaptionTextAndButtons) {
  EXPECT_EQ(posix::MessageBoxBlock("Error: C:\\A.INF-not found!", "SETUP V1.00", MB_OK | MB_ICONERROR),
            "[SETUP V1.00] Error: C:\\A.INF-not found!\n  (error) [OK]\n");
  EXPECT_EQ(posix::MessageBoxBlock("first\rsecond\r\nthird", "Cap", MB_YESNO),
            "[Cap] first\n  second\n  third\n  [Yes] [No]\n");
  EXPECT_EQ(posix::MessageBoxBlock(nullptr, nullptr, MB_OKCANCEL), "[Error] \n  [OK] [Cancel]\n");
}

TEST(PosixMessageBoxTest, AnswersNameAButton) {
  EXPECT_EQ(posix::MessageBoxAnswer("y\n", MB_YESNO), IDYES);
  EXPECT_EQ(posix::MessageBoxAnswer(" NO ", MB_YESNO), IDNO);
  EXPECT_EQ(posix::MessageBoxAnswer("\n", MB_YESNO), IDYES);  // Enter: the default button
  EXPECT_EQ(posix::MessageBoxAnswer("c", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(posix::MessageBoxAnswer("cancel", MB_OK), 0);
  EXPECT_EQ(posix::MessageBoxAnswer("maybe", MB_YESNO), 0);
  EXPECT_EQ(posix::MessageBoxDefault(MB_YESNO | 0x100 /* MB_DEFBUTTON2 */), IDNO);
  EXPECT_EQ(posix::MessageBoxDefault(MB_OK | 0x100), IDOK);  // no second button
}

TEST(PosixMessageBoxTest, WithoutATerminalTheDefaultButtonAnswers) {
  if (platform::HasInteractiveTerminal()) GTEST_SKIP() << "would ask on this terminal";
  EXPECT_EQ(MessageBoxA(nullptr, "Continue?", "Test", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "Continue?", "Test", MB_OKCANCEL), IDOK);
}

}  // namespace
