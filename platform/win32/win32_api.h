// The Win32 API itself. version.dll is not linked: its three functions are
// defined in version_win32.cpp and load the DLL from the system directory at
// first use, so that a version.dll lying beside SETUP.EXE is never loaded.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
