#include "dialogs/viewer.h"

#include "platform/platform.h"
#include "setup/run_options.h"

Str ViewerCommandLine(const char* argument) {
  char windowsDir[MAX_PATH];
  UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
  Str command;
  if (length && length < sizeof windowsDir) {
    command = windowsDir;
    if (command.last() != '\\') command += '\\';
  }
  command += "notepad.exe ";
  command += argument;
  return command;
}

unsigned StartViewer(const char* argument) {
  if (RunOptions.Silent) return 32;
  return WinExec(ViewerCommandLine(argument).c_str(), SW_SHOWNORMAL);
}
