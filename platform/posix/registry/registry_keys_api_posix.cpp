// RegOpenKeyA, RegOpenKeyExA, RegCreateKeyA and RegCloseKey over the
// emulated registry.
#include "platform/posix/registry/registry_posix.h"

using namespace posix;

namespace {

const REGSAM kMaximumAllowed = 0x02000000;

bool IsEmptyName(LPCSTR subKey) { return !subKey || !*subKey; }

bool HasLineBreak(const std::string& name) {
  return name.find('\r') != std::string::npos || name.find('\n') != std::string::npos;
}

// Creates parts[from..] below key. The registry file holds one key per line,
// so a name with a line break is refused before anything is created.
LONG CreateMissingKeys(RegKey* key, const std::vector<std::string>& parts, size_t from,
                       RegKey** result) {
  for (size_t i = from; i < parts.size(); ++i)
    if (HasLineBreak(parts[i])) return ERROR_INVALID_PARAMETER;
  if (KeyIsReadOnly(key)) return ERROR_ACCESS_DENIED;
  RegKey* top = AddSubkey(key, parts[from]);
  RegKey* leaf = top;
  for (size_t i = from + 1; i < parts.size(); ++i) leaf = AddSubkey(leaf, parts[i]);
  LONG saved = SaveRegistry();
  if (saved != ERROR_SUCCESS) {
    RemoveSubkey(key, top);  // the registry stays as its file still is
    return saved;
  }
  *result = leaf;
  return ERROR_SUCCESS;
}

// The deepest existing key of the path below `base` (the handle `key`);
// `walked` is how many parts it covers. HKEY_CLASSES_ROOT looks in the
// user's classes first, as Windows merges them.
RegKey* DeepestExisting(HKEY key, RegKey* base, const std::vector<std::string>& parts, size_t* walked) {
  RegKey* found = key == HKEY_CLASSES_ROOT ? UserClassKey(TheRegistry(), parts) : nullptr;
  return found ? found : WalkExisting(base, parts, walked);
}

}  // namespace

extern "C" {

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  RegKey* base;
  REGSAM baseRights;
  if (!LookUpKeyHandle(key, &base, &baseRights)) return ERROR_INVALID_HANDLE;
  // A predefined root opened without a subkey is handed back itself.
  if (IsEmptyName(subKey) && RegRootIndexByHandle(key) >= 0) {
    *result = key;
    return ERROR_SUCCESS;
  }
  std::vector<std::string> parts;
  LONG status = SplitSubkeyPath(key, subKey, &parts);
  if (status != ERROR_SUCCESS) return status;
  size_t walked = parts.size();
  RegKey* found = DeepestExisting(key, base, parts, &walked);
  *result = nullptr;
  if (walked < parts.size()) return ERROR_FILE_NOT_FOUND;
  REGSAM granted;
  status = GrantAccess(found, access, &granted);
  if (status != ERROR_SUCCESS) return status;
  *result = NewKeyHandle(found, granted);
  return ERROR_SUCCESS;
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  // Without a subkey the caller gets its own handle back, unchecked.
  if (IsEmptyName(subKey)) {
    *result = key;
    return ERROR_SUCCESS;
  }
  return RegOpenKeyExA(key, subKey, 0, kMaximumAllowed, result);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  RegKey* base;
  REGSAM baseRights;
  if (!LookUpKeyHandle(key, &base, &baseRights)) return ERROR_INVALID_HANDLE;
  if (IsEmptyName(subKey)) {
    *result = key;
    return ERROR_SUCCESS;
  }
  std::vector<std::string> parts;
  LONG status = SplitSubkeyPath(key, subKey, &parts);
  if (status != ERROR_SUCCESS) return status;
  // Creating below a key needs no rights on the handle of its parent, only
  // on the registry itself, as on Windows.
  size_t walked = parts.size();
  RegKey* found = DeepestExisting(key, base, parts, &walked);
  if (walked < parts.size()) {
    status = CreateMissingKeys(found, parts, walked, &found);
    if (status != ERROR_SUCCESS) return status;
  }
  REGSAM granted;
  GrantAccess(found, kMaximumAllowed, &granted);
  *result = NewKeyHandle(found, granted);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (!key) return ERROR_INVALID_HANDLE;
  return CloseKeyHandle(key);
}

}  // extern "C"
