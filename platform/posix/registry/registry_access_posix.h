// Helpers of the registry functions: access rights and subkey paths.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/registry/registry_posix.h"

namespace posix {

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
