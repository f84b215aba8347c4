#include "setup/previous_installation.h"

#include <string.h>

#include "common/message_buffer.h"
#include "fileinfo/file_info.h"
#include "platform/platform.h"
#include "setup/control_file_location.h"

namespace {
enum { BufferSize = 262 };

bool IsExistingFile(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The registry subkey of the uninstall line: the text between its first and
// its second comma, as written.
bool UninstallSubkey(const char* sourceInfPath, Str& subkey) {
  char keys[BufferSize];
  if (GetPrivateProfileStringA("RegWriteUninstall", nullptr, "", keys, BufferSize,
                               sourceInfPath) < 1)
    return false;
  const char* name = keys;
  if (EqualsIgnoreCase(name, "ErrSection")) name += strlen(name) + 1;
  if (!*name) return false;
  char value[BufferSize];
  if (GetPrivateProfileStringA("RegWriteUninstall", name, "", value, BufferSize,
                               sourceInfPath) == 0)
    return false;
  const char* first = strchr(value, ',');
  const char* second = first ? strchr(first + 1, ',') : nullptr;
  if (!second) return false;
  subkey = Str(first + 1, static_cast<size_t>(second - first - 1));
  return true;
}

bool ReadUninstallString(const Str& subkey, char* commandLine) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return false;
  DWORD size = BufferSize;
  LONG result = RegQueryValueExA(key, "UninstallString", nullptr, nullptr,
                                 reinterpret_cast<LPBYTE>(commandLine), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || size == 0) return false;
  commandLine[size < BufferSize ? size : BufferSize - 1] = '\0';
  return commandLine[0] != '\0';
}

bool HasInfExtension(const Str& path) {
  return path.size() >= 4 && EqualsIgnoreCase(path.c_str() + path.size() - 4, ".inf");
}

// The signed control file that the earlier installation's uninstall command
// names, or an empty text.
Str PreviousControlFile(const char* sourceInfPath) {
  Str subkey;
  char commandLine[BufferSize];
  if (!UninstallSubkey(sourceInfPath, subkey) || !ReadUninstallString(subkey, commandLine))
    return Str();
  Str previous = LastPathOfCommandLine(commandLine);
  if (previous.empty() || !IsExistingFile(previous.c_str()) || !HasInfExtension(previous))
    return Str();
  MessageBuffer += "In Registry-Uninstall reference to previous INF found: " + previous + "\r\n";
  if (CheckSignature(previous.c_str()) == 0) {
    MessageBuffer += "Signature-Check failed for this INF, so ignored \r\n";
    return Str();
  }
  return previous;
}

Str LastWriteText(const char* path) {
  FILETIME time;
  Str text;
  FileDateStr(path, FileTimeLastWrite, time, text);
  return text;
}

// Byte-wise comparison as unsigned characters; a prefix is the smaller.
bool IsGreaterText(const Str& a, const Str& b) {
  return strcmp(a.c_str(), b.c_str()) > 0;
}
}  // namespace

Str LastPathOfCommandLine(const char* commandLine) {
  size_t length = strlen(commandLine);
  if (length == 0) return Str();
  size_t start;
  size_t end = length;
  if (commandLine[length - 1] == '"') {
    end = length - 1;
    size_t i = end;
    while (i > 0 && commandLine[i - 1] != '"') --i;
    if (i == 0) return Str();  // no other double quote
    start = i;
  } else {
    size_t i = length;
    while (i > 0 && commandLine[i - 1] != ' ') --i;
    if (i == 0) return Str();  // no blank
    start = i;
  }
  // Something (a quote or a blank) must stand before the path.
  if (start == 0) return Str();
  return Str(commandLine + start, end - start);
}

void FindPreviousInstallation(const char* sourceInfPath, const char* installedInfPath) {
  Str previous = PreviousControlFile(sourceInfPath);
  Str current;
  if (IsExistingFile(installedInfPath)) {
    if (CheckSignature(installedInfPath) != 0)
      current = installedInfPath;
    else
      MessageBuffer += Str("Signature-Check failed for ") + installedInfPath + ", so ignored \r\n";
  }
  if (previous.empty() || current.empty()) return;
  if (!IsGreaterText(LastWriteText(previous.c_str()), LastWriteText(current.c_str()))) return;
  MessageBuffer += "using the newer " + previous + "\r\n";
  if (DeleteFileA(current.c_str()))
    MessageBuffer += "older " + current + " sucessfully deleted!\r\n";
  else
    MessageBuffer += "failed to delete older " + current + ", ignored!\r\n";
}
