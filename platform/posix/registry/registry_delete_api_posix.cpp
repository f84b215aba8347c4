// RegDeleteTreeA and RegDeleteValueA over the emulated registry. Only the
// system's setup engine deletes keys on the simulated machine (an
// uninstall); the installer never does.
#include <memory>
#include <utility>

#include "platform/posix/registry/registry_posix.h"

using namespace posix;

namespace {

// Deleted keys are kept until the process ends, so that a handle still
// open on one stays harmless instead of pointing at freed memory.
std::vector<std::unique_ptr<RegKey>>& DeletedKeys() {
  static std::vector<std::unique_ptr<RegKey>> keys;
  return keys;
}

// Takes child out of parent; gives back its place, or -1.
long Detach(RegKey* parent, const RegKey* child) {
  for (size_t i = 0; i < parent->subkeys.size(); ++i) {
    if (parent->subkeys[i].get() != child) continue;
    DeletedKeys().push_back(std::move(parent->subkeys[i]));
    parent->subkeys.erase(parent->subkeys.begin() + static_cast<long>(i));
    return static_cast<long>(i);
  }
  return -1;
}

void Reattach(RegKey* parent, long place) {
  parent->subkeys.insert(parent->subkeys.begin() + place, std::move(DeletedKeys().back()));
  DeletedKeys().pop_back();
}

LONG OpenForDeletion(HKEY key, LPCSTR subKey, RegKey** found) {
  HKEY handle;
  LONG status = RegOpenKeyExA(key, subKey, 0, KEY_ALL_ACCESS, &handle);
  if (status != ERROR_SUCCESS) return status;
  REGSAM granted;
  LookUpKeyHandle(handle, found, &granted);
  RegCloseKey(handle);
  return ERROR_SUCCESS;
}

LONG DeleteKeyItself(RegKey* doomed) {
  RegKey* parent = doomed->parent;
  if (!parent) return ERROR_ACCESS_DENIED;  // a root is never deleted
  long place = Detach(parent, doomed);
  if (place < 0) return ERROR_FILE_NOT_FOUND;
  LONG saved = SaveRegistry();
  if (saved != ERROR_SUCCESS) Reattach(parent, place);  // memory and file agree again
  return saved;
}

LONG DeleteContents(RegKey* key) {
  RegKey emptied;
  std::swap(emptied.subkeys, key->subkeys);
  std::swap(emptied.values, key->values);
  LONG saved = SaveRegistry();
  if (saved != ERROR_SUCCESS) {
    std::swap(emptied.subkeys, key->subkeys);
    std::swap(emptied.values, key->values);
    return saved;
  }
  for (auto& child : emptied.subkeys) DeletedKeys().push_back(std::move(child));
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) {
  RegKey* found;
  LONG status = OpenForDeletion(key, subKey, &found);
  if (status != ERROR_SUCCESS) return status;
  return subKey && *subKey ? DeleteKeyItself(found) : DeleteContents(found);
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
  RegKey* found;
  REGSAM granted;
  if (!LookUpKeyHandle(key, &found, &granted)) return ERROR_INVALID_HANDLE;
  if (!(granted & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  std::string name = valueName ? valueName : "";
  RegValue* value = FindValue(found, name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  RegValue before = *value;
  RemoveValue(found, name);
  LONG saved = SaveRegistry();
  if (saved != ERROR_SUCCESS) PutValue(found, before.name, before.type, before.data);
  return saved;
}

}  // extern "C"
