// Access rights of registry handles and the walk along a subkey path, shared
// by the functions that open, create and use keys.
#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

const REGSAM kMaximumAllowed = 0x02000000;
const REGSAM kGenericRead = 0x80000000u;
const REGSAM kGenericWrite = 0x40000000;
const REGSAM kGenericExecute = 0x20000000;
const REGSAM kGenericAll = 0x10000000;
const REGSAM kWow64Flags = 0x0300;
// Rights that change the key: a user without administrator rights holds
// none of them on HKEY_LOCAL_MACHINE.
const REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | 0x0020 /* KEY_CREATE_LINK */ |
                            0x00010000 /* DELETE */ | 0x00040000 /* WRITE_DAC */ |
                            0x00080000 /* WRITE_OWNER */;

}  // namespace

bool KeyIsReadOnly(const RegKey* key) {
  return MachineKeysReadOnly() && RegRootIndexOf(key) == RegRootIndexByHandle(HKEY_LOCAL_MACHINE);
}

LONG GrantAccess(const RegKey* key, REGSAM requested, REGSAM* granted) {
  bool readOnly = KeyIsReadOnly(key);
  REGSAM mask = requested & ~(kWow64Flags | kMaximumAllowed | kGenericRead | kGenericWrite |
                              kGenericExecute | kGenericAll);
  if (requested & (kGenericRead | kGenericExecute)) mask |= KEY_READ;
  if (requested & kGenericWrite) mask |= KEY_WRITE;
  if (requested & kGenericAll) mask |= KEY_ALL_ACCESS;
  if (readOnly && (mask & kWriteRights)) return ERROR_ACCESS_DENIED;
  if (requested & kMaximumAllowed) mask |= readOnly ? KEY_READ : KEY_ALL_ACCESS;
  *granted = mask;
  return ERROR_SUCCESS;
}

LONG SplitSubkeyPath(HKEY base, const char* subKey, std::vector<std::string>* parts) {
  parts->clear();
  const char* p = subKey ? subKey : "";
  // A path is relative to its key; only HKEY_CLASSES_ROOT forgives a
  // leading backslash (Windows 2000 and later).
  if (*p == '\\') {
    if (base != HKEY_CLASSES_ROOT) return ERROR_BAD_PATHNAME;
    while (*p == '\\') ++p;
  }
  std::string part;
  for (;; ++p) {
    if (*p == '\\' || *p == '\0') {
      // Repeated and trailing backslashes name no further key.
      if (!part.empty()) parts->push_back(part);
      part.clear();
      if (*p == '\0') break;
    } else {
      part += *p;
    }
  }
  return ERROR_SUCCESS;
}

RegKey* WalkExisting(RegKey* key, const std::vector<std::string>& parts, size_t* walked) {
  size_t i = 0;
  for (; i < parts.size(); ++i) {
    RegKey* next = FindSubkey(key, parts[i]);
    if (!next) break;
    key = next;
  }
  *walked = i;
  return key;
}

}  // namespace posix
