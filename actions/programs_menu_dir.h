// The user's Start-menu programs folder, as the shell folders of the
// registry name it.
#pragma once

#include <cstddef>

enum { ProgramsFolderSize = 261 };

// What ReadProgramsFolder found.
enum TProgramsFolderResult {
  ProgramsFolderRead,
  ProgramsKeyMissing,    // the shell-folders key cannot be opened
  ProgramsValueMissing,  // the key has no readable "Programs" value
};

// Reads the value "Programs" of HKCU\...\Explorer\User Shell Folders (or,
// with userShellFolders false, ...\Explorer\Shell Folders) into buffer (size
// characters, the NUL included), expanded when it is REG_EXPAND_SZ. The
// buffer is left as it was unless the value was read. Reports nothing.
TProgramsFolderResult ReadProgramsFolder(bool userShellFolders, char* buffer, size_t size);

// The fallback Start-menu folder of the program: the "Programs" folder, a
// backslash and [DestinationDirs] LnkName of file. Published as the
// variable MenuPath and written as [Strings] MenuPath into file. Returns 0,
// or -1 after reporting why not (box, MessageBuffer line, ErrorLevel).
int FindProgramsMenuDir(bool userShellFolders, char* buffer, size_t size, const char* file);
