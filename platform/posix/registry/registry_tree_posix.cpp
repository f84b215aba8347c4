// The in-memory tree of registry keys and values.
#include <algorithm>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

const RegRootInfo kRoots[] = {
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", (HKEY)(uintptr_t)0x80000005u},
};
const int kRootCount = sizeof(kRoots) / sizeof(kRoots[0]);

// <0, 0, >0 like strcmp, on folded bytes: the order in which Windows lists subkeys.
int CompareRegNames(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = UpperAnsi(static_cast<unsigned char>(a[i])) - UpperAnsi(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<std::unique_ptr<RegKey>>::iterator LowerBound(RegKey* key, const std::string& name) {
  return std::lower_bound(key->subkeys.begin(), key->subkeys.end(), name,
                          [](const std::unique_ptr<RegKey>& k, const std::string& n) {
                            return CompareRegNames(k->name, n) < 0;
                          });
}

}  // namespace

const RegRootInfo* RegRoots() { return kRoots; }
int RegRootCount() { return kRootCount; }

int RegRootIndexByName(const std::string& name) {
  for (int i = 0; i < kRootCount; ++i)
    if (SameRegName(name, kRoots[i].name)) return i;
  return -1;
}

int RegRootIndexByHandle(HKEY handle) {
  for (int i = 0; i < kRootCount; ++i)
    if (kRoots[i].handle == handle) return i;
  return -1;
}

int RegRootIndexOf(const RegKey* key) {
  while (key->parent) key = key->parent;
  return RegRootIndexByName(key->name);
}

Registry::Registry() {
  for (int i = 0; i < kRootCount; ++i) {
    roots.emplace_back(new RegKey);
    roots.back()->name = kRoots[i].name;
  }
}

bool SameRegName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareRegNames(a, b) == 0;
}

RegKey* FindSubkey(const RegKey* key, const std::string& name) {
  auto it = LowerBound(const_cast<RegKey*>(key), name);
  if (it != key->subkeys.end() && SameRegName((*it)->name, name)) return it->get();
  return nullptr;
}

RegKey* AddSubkey(RegKey* key, const std::string& name, bool* created) {
  auto it = LowerBound(key, name);
  if (created) *created = false;
  if (it != key->subkeys.end() && SameRegName((*it)->name, name)) return it->get();
  std::unique_ptr<RegKey> child(new RegKey);
  child->name = name;
  child->parent = key;
  RegKey* result = child.get();
  key->subkeys.insert(it, std::move(child));
  if (created) *created = true;
  return result;
}

void RemoveSubkey(RegKey* key, const RegKey* child) {
  for (auto it = key->subkeys.begin(); it != key->subkeys.end(); ++it) {
    if (it->get() == child) {
      key->subkeys.erase(it);
      return;
    }
  }
}

RegValue* FindValue(RegKey* key, const std::string& name) {
  for (RegValue& v : key->values)
    if (SameRegName(v.name, name)) return &v;
  return nullptr;
}

void PutValue(RegKey* key, const std::string& name, DWORD type, const std::string& data) {
  RegValue* value = FindValue(key, name);
  if (!value) {
    key->values.push_back(RegValue());
    value = &key->values.back();
    value->name = name;
  }
  value->type = type;
  value->data = data;
}

void RemoveValue(RegKey* key, const std::string& name) {
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (SameRegName(it->name, name)) {
      key->values.erase(it);
      return;
    }
  }
}

}  // namespace posix
