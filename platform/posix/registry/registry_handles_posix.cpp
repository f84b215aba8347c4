// The table of open registry keys behind the HKEY values the API hands out,
// and the keys behind the predefined HKEY_CLASSES_ROOT.
//
// HKEY_CLASSES_ROOT as Windows has it: no tree of its own but a view of the
// machine's HKLM\Software\Classes, where its keys are created and where a
// user without administrator rights may not change them, merged with the
// user's HKCU\Software\Classes, whose keys come first. Only whole paths
// from the root are merged (a key opened through the view and then used as
// a parent stays the one it resolved to); the installer opens every key by
// its whole path.
#include <map>

#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

struct OpenKey {
  RegKey* key;
  REGSAM granted;
};

std::map<uintptr_t, OpenKey> g_open;
// Handle values are multiples of four as on Windows and never reused, so
// that a key used after RegCloseKey fails instead of reaching another key.
uintptr_t g_nextHandle = 0x100;

}  // namespace

HKEY NewKeyHandle(RegKey* key, REGSAM granted) {
  uintptr_t value = g_nextHandle;
  g_nextHandle += 4;
  g_open[value] = OpenKey{key, granted};
  return reinterpret_cast<HKEY>(value);
}

bool LookUpKeyHandle(HKEY handle, RegKey** key, REGSAM* granted) {
  int root = RegRootIndexByHandle(handle);
  if (root >= 0) {
    bool classes = handle == HKEY_CLASSES_ROOT;
    *key = classes ? MachineClassesKey(TheRegistry()) : TheRegistry().root(root);
    bool machine = handle == HKEY_LOCAL_MACHINE || classes;
    *granted = (machine && MachineKeysReadOnly()) ? KEY_READ : KEY_ALL_ACCESS;
    return true;
  }
  auto it = g_open.find(reinterpret_cast<uintptr_t>(handle));
  if (it == g_open.end()) return false;
  *key = it->second.key;
  *granted = it->second.granted;
  return true;
}

LONG CloseKeyHandle(HKEY handle) {
  if (RegRootIndexByHandle(handle) >= 0) return ERROR_SUCCESS;
  return g_open.erase(reinterpret_cast<uintptr_t>(handle)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void ForgetKeyHandles() { g_open.clear(); }

// ---- HKEY_CLASSES_ROOT ----

namespace {

RegKey* ClassesBelow(RegKey* root, bool create) {
  RegKey* software = create ? AddSubkey(root, "Software") : FindSubkey(root, "Software");
  if (!software) return nullptr;
  return create ? AddSubkey(software, "Classes") : FindSubkey(software, "Classes");
}

int RootIndex(HKEY handle) { return RegRootIndexByHandle(handle); }

}  // namespace

RegKey* MachineClassesKey(Registry& registry) {
  return ClassesBelow(registry.root(RootIndex(HKEY_LOCAL_MACHINE)), true);
}

RegKey* UserClassKey(Registry& registry, const std::vector<std::string>& parts) {
  if (parts.empty()) return nullptr;
  RegKey* key = ClassesBelow(registry.root(RootIndex(HKEY_CURRENT_USER)), false);
  for (size_t i = 0; key && i < parts.size(); ++i) key = FindSubkey(key, parts[i]);
  return key;
}

}  // namespace posix
