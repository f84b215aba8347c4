// Process start on Windows: close the DLL-planting hole before anything else
// can load a library.
#include "platform/platform.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryAProc)(LPCSTR);

// Windows Vista: restricting the default search there breaks the creation of
// shell links (CoCreateInstance of the shell-link object), which the
// installer needs; the older, weaker measure is used instead.
bool IsWindowsVista() {
  DWORD version = GetVersion();
  return LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 0;
}

// A setup program is typically started from a download folder, where a DLL
// with the name of a system DLL may have been planted. From here on the
// loader takes DLLs that are loaded by name from the system directory only.
// Both functions are looked up at run time: they are missing on systems
// without the corresponding updates, and importing them would stop the
// program from starting there.
void RestrictDllSearch() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  SetDefaultDllDirectoriesProc setDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault && !IsWindowsVista() && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Fallback: at least take the current directory out of the search.
  SetDllDirectoryAProc setDirectory = reinterpret_cast<SetDllDirectoryAProc>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA")));
  if (setDirectory) setDirectory("");
}

}  // namespace

namespace platform {

bool Startup(int, char**, const char** whyNot) {
  RestrictDllSearch();
  if (whyNot) *whyNot = "";
  return true;
}

}  // namespace platform
