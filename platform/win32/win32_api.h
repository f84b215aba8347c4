// The Win32 API itself. version.dll is not linked: its three functions are
// defined in version_win32.cpp and load the DLL from the system directory at
// first use, so that a version.dll lying beside SETUP.EXE is never loaded.
#pragma once

#include <windows.h>
// WIN32_LEAN_AND_MEAN leaves out the shell: ShellExecuteA, the folder browser
// and the shell-link interfaces come from here.
#include <shellapi.h>
#include <shlobj.h>
