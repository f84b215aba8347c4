// The table of open registry keys behind the HKEY values the API hands out.
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

}  // namespace posix
