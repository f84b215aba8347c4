#include "platform/platform.h"
#include "setup/previous_installation.h"

namespace {
const char* const SetupKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char* const CurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
enum { ValueBufferSize = 262, ResultSize = 261 };

// Reads a value of a key under HKEY_LOCAL_MACHINE; returns the query's result.
LONG QueryMachineValue(HKEY key, const char* name, char* buffer) {
  DWORD size = ValueBufferSize;
  LONG result =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
  if (result == ERROR_SUCCESS) buffer[size < ValueBufferSize ? size : ValueBufferSize - 1] = '\0';
  return result;
}

bool ReadFromSetupKey(char* buffer) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  LONG result = QueryMachineValue(key, "SetupScratchDir", buffer);
  RegCloseKey(key);
  if (result == ERROR_FILE_NOT_FOUND) {
    ExpandEnvironmentStringsA("%windir%\\inf", buffer, ValueBufferSize);
    buffer[ValueBufferSize - 1] = '\0';
    return true;
  }
  return result == ERROR_SUCCESS;
}

bool ReadDevicePath(char* buffer) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CurrentVersionKey, 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return false;
  LONG result = QueryMachineValue(key, "DevicePath", buffer);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
}  // namespace

Str SystemInfDir() {
  char buffer[ValueBufferSize] = "";
  if (!ReadFromSetupKey(buffer) && !ReadDevicePath(buffer))
    CopyToBuffer(buffer, sizeof buffer, "%windir%\\INF");
  char expanded[ResultSize];
  DWORD needed = ExpandEnvironmentStringsA(buffer, expanded, ResultSize);
  if (needed == 0) return Str(buffer);
  expanded[ResultSize - 1] = '\0';  // a result that did not fit is cut
  return Str(expanded);
}
