// The emulated registry: an in-memory tree of keys and values, the REGEDIT4
// text that keeps it in the machine's registry.reg, and the store that holds
// the tree of the open machine.
//
// Text is kept as the ANSI bytes the A functions see: names and string data
// are never converted on their way through the API.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- the tree (registry_tree_posix.cpp) ----

struct RegValue {
  std::string name;  // "" = the key's default value
  DWORD type = REG_NONE;
  std::string data;  // the bytes as RegQueryValueExA returns them
};

struct RegKey {
  std::string name;  // case as first created
  RegKey* parent = nullptr;
  std::vector<std::unique_ptr<RegKey>> subkeys;  // in the order Windows lists them
  std::vector<RegValue> values;                  // in the order of creation
};

// The predefined roots, in the order they are written to the file.
struct RegRootInfo {
  const char* name;  // as in a .reg file: "HKEY_LOCAL_MACHINE"
  HKEY handle;
};
const RegRootInfo* RegRoots();
int RegRootCount();
// Index into RegRoots(), or -1.
int RegRootIndexByName(const std::string& name);
int RegRootIndexByHandle(HKEY handle);
int RegRootIndexOf(const RegKey* key);

struct Registry {
  Registry();
  Registry(Registry&&) = default;
  Registry& operator=(Registry&&) = default;
  std::vector<std::unique_ptr<RegKey>> roots;  // one per RegRoots() entry
  RegKey* root(int index) const { return roots[index].get(); }
};

// Names of keys and values compare as Windows compares them: without regard
// to case (ANSI code page 1252).
bool SameRegName(const std::string& a, const std::string& b);
RegKey* FindSubkey(const RegKey* key, const std::string& name);
// The existing subkey of that name, or a new one in its sorted place.
RegKey* AddSubkey(RegKey* key, const std::string& name, bool* created = nullptr);
void RemoveSubkey(RegKey* key, const RegKey* child);
RegValue* FindValue(RegKey* key, const std::string& name);
// Sets data and type; an existing value keeps the case of its name.
void PutValue(RegKey* key, const std::string& name, DWORD type, const std::string& data);
void RemoveValue(RegKey* key, const std::string& name);

// ---- HKEY_CLASSES_ROOT (registry_handles_posix.cpp) ----

// The key behind HKEY_CLASSES_ROOT: HKLM\Software\Classes, made when missing.
// The tree's own HKEY_CLASSES_ROOT root stays empty.
RegKey* MachineClassesKey(Registry& registry);
// The key of the user's HKCU\Software\Classes at that path below the
// classes root, which the view shows instead of the machine's; nullptr when
// the user has none there.
RegKey* UserClassKey(Registry& registry, const std::vector<std::string>& parts);

// ---- REGEDIT4 text (regfile_parse_posix.cpp, regfile_write_posix.cpp) ----

// Reads the text of a .reg file (REGEDIT4, or the Unicode format of later
// versions) into registry, applying its keys, values and deletions on top of
// what registry holds. Lines that cannot be understood are skipped as
// regedit skips them. Fails only when the text is not a registry file.
bool ParseRegFile(const std::string& text, Registry* registry, std::string* whyNot);
// The whole registry as a REGEDIT4 file: ANSI, CRLF, keys in tree order.
std::string WriteRegFile(const Registry& registry);

// ---- the machine's registry (registry_store_posix.cpp) ----

Registry& TheRegistry();
// True when the machine's user has no administrator rights, so that
// HKEY_LOCAL_MACHINE cannot be changed.
bool MachineKeysReadOnly();
// Writes the registry back to its file so that the file is always either the
// old or the new version. Returns ERROR_SUCCESS or the Win32 error code.
LONG SaveRegistry();

// ---- handles (registry_handles_posix.cpp) ----

// A new handle for key with the granted access rights.
HKEY NewKeyHandle(RegKey* key, REGSAM granted);
// The key and granted rights of an open handle or of a predefined root.
bool LookUpKeyHandle(HKEY handle, RegKey** key, REGSAM* granted);
// Closes an open handle; predefined roots are never closed.
LONG CloseKeyHandle(HKEY handle);
// Invalidates every open handle (the tree they point into is gone).
void ForgetKeyHandles();

// ---- registry (registry_store_posix.cpp) ----

// Loads registry.reg of the machine (called by OpenMachine).
bool LoadRegistry(const std::string& registryFile, std::string* whyNot);
// Counts the changes of the registry in this process (a new machine's
// registry counts as one): what is derived from its values stays valid while
// the count stays the same.
unsigned RegistryChangeCount();

// ---- access rights and subkey paths (registry_access_posix.cpp) ----

// True when the key lies under HKEY_LOCAL_MACHINE and the user has no
// administrator rights.
bool KeyIsReadOnly(const RegKey* key);
// The rights a handle to key receives when requested is asked for (generic
// and MAXIMUM_ALLOWED rights resolved); ERROR_ACCESS_DENIED when the user
// may not have them.
LONG GrantAccess(const RegKey* key, REGSAM requested, REGSAM* granted);
// The names along a subkey path below base; ERROR_BAD_PATHNAME for a path
// that starts with a backslash.
LONG SplitSubkeyPath(HKEY base, const char* subKey, std::vector<std::string>* parts);
// Follows parts from key as far as they exist; *walked tells how many did.
RegKey* WalkExisting(RegKey* key, const std::vector<std::string>& parts, size_t* walked);

}  // namespace posix
