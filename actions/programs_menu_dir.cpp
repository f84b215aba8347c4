// The Start-menu programs folder of the user and the program's fallback
// folder below it.
#include "actions/programs_menu_dir.h"

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "values/expand.h"
#include "values/profile_values.h"

namespace {
const char* const UserShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const NoProgramsKeyText = "Error: can't locate StartMenu\\Programs directory";
const char* const NoVariableText = "Error: can't set environment variable";

void ReportNoProgramsKey() {
  ShowErrorBox(NoProgramsKeyText);
  MessageBuffer += NoProgramsKeyText;
  MessageBuffer += "\r\n";
  ++ErrorLevel;
}

void ReportNoMenuPath() {
  ShowErrorBox(NoVariableText);
  RaiseErrorLevelToFailure();
  MessageBuffer += NoVariableText;
  MessageBuffer += "\r\n";
}

void AppendBackslash(char* buffer, size_t size) {
  size_t length = TextLength(buffer);
  if (length == 0 || buffer[length - 1] != '\\') AppendToBuffer(buffer, size, "\\");
}
}  // namespace

TProgramsFolderResult ReadProgramsFolder(bool userShellFolders, char* buffer, size_t size) {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, userShellFolders ? UserShellFoldersKey : ShellFoldersKey,
                  &key) != ERROR_SUCCESS)
    return ProgramsKeyMissing;
  char value[ProgramsFolderSize];
  DWORD type = REG_NONE;
  // One character is kept back for a NUL that the stored text may lack.
  DWORD bytes = ProgramsFolderSize - 1;
  LONG status = RegQueryValueExA(key, "Programs", nullptr, &type, reinterpret_cast<BYTE*>(value),
                                 &bytes);
  RegCloseKey(key);
  // Only text makes a folder; anything else would be copied as garbage.
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return ProgramsValueMissing;
  value[bytes < ProgramsFolderSize - 1 ? bytes : ProgramsFolderSize - 1] = '\0';
  if (type == REG_EXPAND_SZ)
    ExpandInto(value, buffer, size - 1);
  else
    CopyToBuffer(buffer, size, value);
  return ProgramsFolderRead;
}

int FindProgramsMenuDir(bool userShellFolders, char* buffer, size_t size, const char* file) {
  TProgramsFolderResult found = ReadProgramsFolder(userShellFolders, buffer, size);
  if (found == ProgramsKeyMissing) {
    ReportNoProgramsKey();
    return -1;
  }
  // Without the value the buffer still holds the folder that could not be
  // created; the other shell-folders key is the better guess.
  if (found == ProgramsValueMissing) ReadProgramsFolder(!userShellFolders, buffer, size);
  AppendBackslash(buffer, size);
  char lnkName[ProgramsFolderSize];
  ReadProfileValue(file, "DestinationDirs", "LnkName", lnkName);
  AppendToBuffer(buffer, size, lnkName);
  if (!SetEnvironmentVariableA("MenuPath", buffer)) {
    ReportNoMenuPath();
    return -1;
  }
  WritePrivateProfileStringA("Strings", "MenuPath", buffer, file);
  return 0;
}
