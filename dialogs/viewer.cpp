#include "dialogs/viewer.h"

#include "common/run_options.h"
#include "platform/platform.h"

namespace {
typedef UINT(WINAPI* TSystemFolderReader)(LPSTR buffer, UINT size);

// The notepad.exe of one system folder, or the empty text when the folder
// cannot be read.
Str NotepadIn(TSystemFolderReader readFolder) {
  char dir[MAX_PATH];
  UINT length = readFolder(dir, sizeof dir);
  if (length == 0 || length >= sizeof dir) return Str();
  Str path(dir);
  if (path.last() != '\\') path += '\\';
  path += "notepad.exe";
  return path;
}

bool IsFile(const Str& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

// The order in which Windows itself looks for a program, without the
// program's folder (the medium) and the current folder: the system
// directory first, then the Windows directory. When neither has one, the
// Windows directory's is named, so that the start fails and is reported.
Str ViewerCommandLine(const char* argument) {
  Str command = NotepadIn(GetSystemDirectoryA);
  if (command.empty() || !IsFile(command)) {
    command = NotepadIn(GetWindowsDirectoryA);
    if (command.empty()) command = "notepad.exe";
  }
  command += ' ';
  command += argument;
  return command;
}

unsigned StartViewer(const char* argument) {
  if (RunOptions.Silent) return 32;
  return WinExec(ViewerCommandLine(argument).c_str(), SW_SHOWNORMAL);
}
