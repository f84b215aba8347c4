// HKEY_CLASSES_ROOT as Windows has it: no tree of its own but a view of the
// machine's HKLM\Software\Classes, where its keys are created and where a
// user without administrator rights may not change them, merged with the
// user's HKCU\Software\Classes, whose keys come first. Only whole paths
// from the root are merged (a key opened through the view and then used as
// a parent stays the one it resolved to); the installer opens every key by
// its whole path.
#include "platform/posix/registry/registry_posix.h"

namespace posix {
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
