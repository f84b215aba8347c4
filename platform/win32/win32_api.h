// The Win32 API itself. SETUP.EXE links the DLLs other than kernel32 through
// delay-import libraries (delay_load_win32.cpp), so that each is loaded from
// the system folder at its first use and never from beside SETUP.EXE.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winternl.h>
