// Internal interface of the emulated component library (COM) and the
// shell-link object it serves.
#pragma once

#include "platform/posix/win32_api_posix.h"

namespace posix {

bool SameGuid(const GUID& a, const GUID& b);

// Creates a shell-link object and hands out its interface iid (the object
// goes away with its last Release). E_NOINTERFACE for an interface it lacks.
HRESULT CreateShellLinkObject(REFIID iid, void** object);

}  // namespace posix
