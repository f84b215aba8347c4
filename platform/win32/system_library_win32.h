// DLLs of the system, and only of the system: a setup program is typically
// started from a download folder, where a DLL with the name of a system DLL
// may have been planted to run with the installer's rights.
#pragma once

#include <windows.h>

namespace win32 {

// From here on the loader takes DLLs that are loaded by name (and the
// dependencies of every DLL) from the system folder only. Called before any
// DLL but kernel32 is in the process; calling it again does no harm.
void RestrictDllSearch();

// Loads <system folder>\<name>, taking its dependencies from the system
// folder too; NULL when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace win32
