// RegQueryValueExA and RegSetValueExA over the emulated registry.
#include <cstring>

#include "platform/posix/registry/registry_posix.h"

using namespace posix;

namespace {

const LONG kErrorNoAccess = 998;  // ERROR_NOACCESS: invalid data address

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string ValueName(LPCSTR name) { return name ? name : ""; }

}  // namespace

extern "C" {

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  if ((data && !dataSize) || reserved) return ERROR_INVALID_PARAMETER;
  RegKey* found;
  REGSAM granted;
  if (!LookUpKeyHandle(key, &found, &granted)) return ERROR_INVALID_HANDLE;
  if (!(granted & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const RegValue* value = FindValue(found, ValueName(valueName));
  if (!value) return ERROR_FILE_NOT_FOUND;  // *dataSize stays as it was
  if (type) *type = value->type;
  DWORD length = static_cast<DWORD>(value->data.size());
  if (!data) {
    if (dataSize) *dataSize = length;
    return ERROR_SUCCESS;
  }
  if (length > *dataSize) {
    *dataSize = length;
    return ERROR_MORE_DATA;  // the buffer is left alone
  }
  if (length) memcpy(data, value->data.data(), length);
  // A string stored without its NUL gets one where the buffer has room for
  // it; the size reported does not count it.
  if (IsStringType(value->type) && length && length < *dataSize && data[length - 1]) data[length] = 0;
  *dataSize = length;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  if (!data && dataSize) return kErrorNoAccess;
  // A string whose size leaves out its NUL is stored with it, as NT does.
  if (dataSize && IsStringType(type) && data[dataSize - 1] && !data[dataSize]) ++dataSize;
  RegKey* found;
  REGSAM granted;
  if (!LookUpKeyHandle(key, &found, &granted)) return ERROR_INVALID_HANDLE;
  if (!(granted & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  std::string name = ValueName(valueName);
  const RegValue* existing = FindValue(found, name);
  RegValue before;
  if (existing) before = *existing;
  PutValue(found, name, type,
           data ? std::string(reinterpret_cast<const char*>(data), dataSize) : std::string());
  LONG saved = SaveRegistry();
  if (saved != ERROR_SUCCESS) {
    // Undo, so that memory and file still agree.
    if (existing) PutValue(found, before.name, before.type, before.data);
    else RemoveValue(found, name);
  }
  return saved;
}

}  // extern "C"
