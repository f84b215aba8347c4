// [Strings] resolved against the registry: shell folders of the current user
// and values of the machine replace what the control file says.
#include "values/shell_folders.h"

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/profile_values.h"
#include "values/select_install_dir.h"

namespace {
enum { KeyListSize = 2601, ValueSize = 520, ResultSize = 261 };

const char* const MachineKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const UserShellFoldersPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const ShellFoldersPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Names whose values the run computes itself: never looked up.
const char* const ReservedNames[] = {"rundll",         "setupx",        "InfPath",
                                     "ProjectVersion", "MyProgramPath", "MyStartMenu"};

bool IsReservedName(const char* name) {
  for (const char* reserved : ReservedNames)
    if (EqualsIgnoreCase(name, reserved)) return true;
  return false;
}

// The three keys of one call; a key that is not open stays null.
struct TFolderKeys {
  HKEY Machine = nullptr;
  HKEY UserUnexpanded = nullptr;
  HKEY UserActual = nullptr;
};

HKEY OpenForQuery(HKEY root, const char* path) {
  HKEY key;
  return RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS ? key : nullptr;
}

void CloseKey(HKEY& key) {
  if (key) RegCloseKey(key);
  key = nullptr;
}

void CloseKeys(TFolderKeys& keys) {
  CloseKey(keys.Machine);
  CloseKey(keys.UserUnexpanded);
  CloseKey(keys.UserActual);
}

// The machine key may be missing; the user keys may not.
bool OpenFolderKeys(TFolderKeys& keys) {
  keys.Machine = OpenForQuery(HKEY_LOCAL_MACHINE, MachineKeyPath);
  keys.UserUnexpanded = OpenForQuery(HKEY_CURRENT_USER, UserShellFoldersPath);
  if (keys.UserUnexpanded) keys.UserActual = OpenForQuery(HKEY_CURRENT_USER, ShellFoldersPath);
  return keys.UserUnexpanded && keys.UserActual;
}

// Reads value name of key into value (ValueSize); false when the key is not
// open or the value is missing or does not fit.
bool QueryValue(HKEY key, const char* name, char* value, DWORD& type) {
  if (!key) return false;
  DWORD size = ValueSize;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS)
    return false;
  // A value stored without its NUL gets one; the last character gives way
  // when the value fills the buffer.
  value[size < ValueSize ? size : ValueSize - 1] = '\0';
  return true;
}

// Where the registry keeps name: "ProgramFiles" in the machine key only,
// every other name in the user folders (actual, then unexpanded), then in the
// machine key.
bool QueryRegistry(const TFolderKeys& keys, const char* name, char* value, DWORD& type) {
  if (EqualsIgnoreCase(name, "ProgramFiles"))
    return QueryValue(keys.Machine, "ProgramFilesDir", value, type) ||
           QueryValue(keys.Machine, "ProgramFilesPath", value, type);
  return QueryValue(keys.UserActual, name, value, type) ||
         QueryValue(keys.UserUnexpanded, name, value, type) ||
         QueryValue(keys.Machine, name, value, type);
}

// Whether a reserved name that the run has already set keeps that value
// instead of the control file's. The installation directory that this run
// selected must survive every pass, not give way to the control file's
// proposal, and is taken as it stands (it was expanded when it was chosen;
// expanding it again would give a second folder); one merely inherited
// from the environment gives way to the control file in every pass, or a
// stray variable of the caller would redirect the installation. In the
// pass that only sets variables (right after the directory dialog) every
// other reserved name that is set keeps its value.
bool KeepsRunValue(int mode, const char* name) {
  if (EqualsIgnoreCase(name, "MyProgramPath")) return InstallDirSelected;
  return !(mode & ResolveWriteTargetFile);
}

// Whether value refers to the variable name (as %name%, in any case).
bool RefersToItself(const char* value, const char* name) {
  size_t length = TextLength(name);
  for (const char* p = value; *p; ++p) {
    if (*p != '%') continue;
    size_t i = 0;
    while (i < length && UpperAscii(p[1 + i]) == UpperAscii(name[i])) ++i;
    if (i == length && p[1 + i] == '%') return true;
  }
  return false;
}

// The value of a variable that is set and not empty, into result (cut to
// ResultSize - 1 characters like every resolved value).
bool CurrentVariable(const char* name, char* result) {
  DWORD needed = GetEnvironmentVariableA(name, result, ResultSize);
  if (needed < ResultSize) return needed != 0;
  Str value;
  DWORD length = GetEnvironmentVariableA(name, value.reserve(needed), needed);
  if (length == 0 || length >= needed) return false;
  value.setLength(length);
  CopyToBuffer(result, ResultSize, value.c_str());
  return true;
}

// The control file's value of name, expanded. A value that refers to its
// own name (Base=C:\Apps\%Base%) would grow by one level in every pass,
// each pass seeing the one before, and uses between the passes would see
// different folders: it is expanded by the first pass that sets it (against
// what the name held before the run, such as an inherited PATH), and the
// later passes keep that value.
void ExpandFileValue(int mode, const char* name, const char* fileValue, char* result) {
  if ((mode & ResolveWriteTargetFile) && RefersToItself(fileValue, name) && CurrentVariable(name, result))
    return;
  ExpandInto(fileValue, result, ResultSize);
}

void ReportUnknownName(const char* name) {
  MessageBuffer += Str("failed to read \"") + name + "\" from Registry!\r\n";
  Str text("Error at RegQueryValue ");
  text += name;
  text += " in HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  text += " and HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  ShowErrorBox(text.c_str());
  RaiseErrorLevelToFailure();
}

// The value of one [Strings] name into result (ResultSize). False when the
// name is known nowhere and the control file gives no value: the call stops.
bool ResolveName(const TFolderKeys& keys, int mode, const char* sourceFile, const char* name,
                 char* result) {
  char fileValue[ValueSize];
  ReadProfileValue(sourceFile, "Strings", name, fileValue, ValueSize);
  if (IsReservedName(name)) {
    // An empty control-file value leaves the name alone in every pass.
    if (!*fileValue || !KeepsRunValue(mode, name) || !CurrentVariable(name, result))
      ExpandFileValue(mode, name, fileValue, result);
    return true;
  }
  char registryValue[ValueSize];
  DWORD type = REG_NONE;
  if (QueryRegistry(keys, name, registryValue, type)) {
    if (type == REG_EXPAND_SZ)
      ExpandInto(registryValue, result, ResultSize);
    else
      CopyToBuffer(result, ResultSize, registryValue);
    return true;
  }
  if (!*fileValue) {
    ReportUnknownName(name);
    return false;
  }
  ExpandFileValue(mode, name, fileValue, result);
  return true;
}
// Every pass reads the same list: its cut is one fault, reported once a run.
void ReportCutOnce(bool cut, const char* names) {
  static bool reported = false;
  if (!cut || reported) return;
  reported = true;
  ReportCutKeyList("Strings", names, KeyListSize, "resolved");
}
}  // namespace

void ResolveStrings(int mode, const char* sourceFile, const char* targetFile) {
  char names[KeyListSize];
  bool cut = ReadKeyListDroppingCutName(sourceFile, "Strings", names);
  TFolderKeys keys;
  if (!OpenFolderKeys(keys)) {
    CloseKeys(keys);
    ShowErrorBox("Error at RegOpenKey");
    MessageBuffer += "failed to read \"User Shell Folder\" or \"Shell Folder\" from Registry!\r\n";
    RaiseErrorLevelToFailure();
    return;
  }
  for (const char* name : KeyList(names)) {
    char result[ResultSize];
    if (!ResolveName(keys, mode, sourceFile, name, result)) {
      CloseKeys(keys);
      return;
    }
    if (!*result) continue;
    if (mode & ResolveWriteTargetFile) WritePrivateProfileStringA("Strings", name, result, targetFile);
    if (mode & ResolveSetVariables) SetEnvironmentVariableA(name, result);
  }
  if (mode & ResolveWriteTargetFile) MessageBuffer += "INF-File changed to actual Paths\r\n";
  ReportCutOnce(cut, names);
  CloseKeys(keys);
}
