// The root key names that the registry sections of the control file accept.
// [RegRead] and [RegWrite] both name keys so, so this is declared here; the
// actions define it (actions/root_key.cpp).
#pragma once

#include "platform/platform.h"

// The predefined root key for "HKLM", "HKCU" or "HKCR" (any case). Returns
// false for any other name, without reporting it.
bool LookUpRootKey(const char* name, HKEY& key);

// The predefined root key of name. A name outside the table is a syntax
// error of the control file that nothing can repair: it is logged, shown,
// ErrorLevel goes into the failure range and the run ends here.
HKEY RootKeyFromName(const char* name);
