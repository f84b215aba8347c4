// The setup engine's standard folder ids, taken from the machine the
// uninstall runs on: its Windows and system folders, its shell folders and
// its program files folder.
#include "platform/platform.h"
#include "setupengine/inf_strings.h"

namespace {

const long kShellFolderBase = 0x4000;  // 16384 + a shell folder number

// A folder below the Windows (W) or system (S) folder.
struct TDirIdRow {
  long id;
  char base;
  const char* below;
};

const TDirIdRow kDirIds[] = {
    {10, 'W', ""},       {11, 'S', ""},        {12, 'S', "drivers"},
    {17, 'W', "inf"},    {18, 'W', "help"},    {20, 'W', "fonts"},
    {21, 'S', "viewers"}, {23, 'S', "spool\\drivers\\color"}, {25, 'W', ""},
    {50, 'W', "system"}, {51, 'S', "spool"},  {52, 'S', "spool\\drivers"},
    {55, 'S', "spool\\prtprocs\\w32x86"},
};

// Shell folder numbers and the names under which the user's (or, for the
// common ones, the machine's) "Shell Folders" key keeps them.
struct TShellFolderRow {
  long number;
  bool common;
  const char* name;
};

const TShellFolderRow kShellFolders[] = {
    {0, false, "Desktop"},         {2, false, "Programs"},           {5, false, "Personal"},
    {6, false, "Favorites"},       {7, false, "StartUp"},            {8, false, "Recent"},
    {9, false, "SendTo"},          {11, false, "Start Menu"},        {13, false, "My Music"},
    {14, false, "My Videos"},      {16, false, "Desktop"},           {19, false, "NetHood"},
    {20, false, "Fonts"},          {21, false, "Templates"},         {22, true, "Common Start Menu"},
    {23, true, "Common Programs"}, {24, true, "Common StartUp"},     {25, true, "Common Desktop"},
    {26, false, "AppData"},        {27, false, "PrintHood"},         {28, false, "Local AppData"},
    {32, false, "Cache"},          {33, false, "Cookies"},           {34, false, "History"},
    {35, true, "Common AppData"},  {39, false, "My Pictures"},       {45, true, "Common Templates"},
    {46, true, "Common Documents"},
};

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

bool ReadRegistryText(HKEY root, const char* subKey, const char* name, Str* text) {
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char buffer[MAX_PATH];
  DWORD size = sizeof buffer;
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return false;
  buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
  char expanded[MAX_PATH];
  DWORD length = ExpandEnvironmentStringsA(buffer, expanded, sizeof expanded);
  *text = length > 0 && length <= sizeof expanded ? expanded : buffer;
  return true;
}

Str WindowsFolder(char base) {
  char buffer[MAX_PATH];
  UINT length = base == 'W' ? GetWindowsDirectoryA(buffer, sizeof buffer)
                            : GetSystemDirectoryA(buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? Str(buffer) : Str();
}

bool ShellFolderPath(long number, Str* path) {
  if (number == 36) *path = WindowsFolder('W');
  if (number == 37) *path = WindowsFolder('S');
  if (number >= 36 && number <= 37) return !path->empty();
  if (number == 38 || number == 42)
    return ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", path);
  if (number == 43 || number == 44)
    return ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir", path);
  if (number == 40) {
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("USERPROFILE", buffer, sizeof buffer);
    *path = length > 0 && length < sizeof buffer ? buffer : "";
    return !path->empty();
  }
  for (const TShellFolderRow& row : kShellFolders)
    if (row.number == number)
      return ReadRegistryText(row.common ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kShellFoldersKey,
                              row.name, path);
  return false;
}

// The root of the drive that holds the Windows folder: "C:\".
Str SystemDriveRoot() {
  Str windows = WindowsFolder('W');
  return windows.size() >= 2 ? windows.substr(0, 2) + "\\" : Str();
}

}  // namespace

bool DirIdPath(long id, const char* infDir, Str* path) {
  path->clear();
  switch (id) {
    case 1:  // the folder of the INF file itself
      *path = infDir;
      return !path->empty();
    case 24:  // applications, boot drive and loader: the system drive's root
    case 30:
    case 54:
      *path = SystemDriveRoot();
      return !path->empty();
    case 53:  // the user's profile
      return ShellFolderPath(40, path);
  }
  for (const TDirIdRow& row : kDirIds)
    if (row.id == id) {
      Str base = WindowsFolder(row.base);
      if (base.empty()) return false;
      *path = JoinInfPath(base, row.below);
      return true;
    }
  return id >= kShellFolderBase && ShellFolderPath(id - kShellFolderBase, path);
}
