// Loading system DLLs by their full path, after the search for DLLs loaded by
// name has been narrowed to the system folder.
#include "platform/win32/system_library_win32.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryAProc)(LPCSTR);

template <typename Proc>
Proc KernelFunction(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return NULL;
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

// Windows Vista: restricting the default search there breaks the creation of
// shell links (CoCreateInstance of the shell-link object), which the
// installer needs; the older, weaker measure is used instead.
bool IsWindowsVista() {
  DWORD version = GetVersion();
  return LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 0;
}

// LOAD_LIBRARY_SEARCH_SYSTEM32 is understood only where
// SetDefaultDllDirectories exists; elsewhere the flag makes the load fail, and
// the altered search path resolves the DLL's own imports from its folder,
// which is the system folder.
DWORD LoadFlags() {
  if (KernelFunction<SetDefaultDllDirectoriesProc>("SetDefaultDllDirectories"))
    return LOAD_LIBRARY_SEARCH_SYSTEM32;
  return LOAD_WITH_ALTERED_SEARCH_PATH;
}

// Builds <system folder>\<name>; false when it does not fit.
bool SystemLibraryPath(const char* name, char* path, UINT capacity) {
  UINT length = GetSystemDirectoryA(path, capacity);
  if (length == 0 || length >= capacity) return false;
  if (path[length - 1] != '\\') path[length++] = '\\';
  for (const char* from = name; *from; ++from) {
    if (length + 1 >= capacity) return false;
    path[length++] = *from;
  }
  path[length] = '\0';
  return true;
}

}  // namespace

namespace win32 {

// Both functions are looked up at run time: they are missing on systems
// without the corresponding updates, and importing them would stop the
// program from starting there.
void RestrictDllSearch() {
  SetDefaultDllDirectoriesProc setDefault =
      KernelFunction<SetDefaultDllDirectoriesProc>("SetDefaultDllDirectories");
  if (setDefault && !IsWindowsVista() && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Fallback: at least take the current directory out of the search.
  SetDllDirectoryAProc setDirectory = KernelFunction<SetDllDirectoryAProc>("SetDllDirectoryA");
  if (setDirectory) setDirectory("");
}

HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH + 32];
  if (!SystemLibraryPath(name, path, sizeof(path))) return NULL;
  return LoadLibraryExA(path, NULL, LoadFlags());
}

}  // namespace win32
