// The three version-resource functions, forwarded to version.dll loaded by
// its full path in the system directory at first use.
//
// SETUP.EXE does not import version.dll: an implicit import is resolved by
// the loader before our first instruction runs, from the program's own
// folder first, and a version.dll planted there would run with the rights of
// the installer. The declarations in <winver.h> carry no dllimport, so the
// definitions below are the ones the core links against.
#include "platform/platform.h"

namespace {

typedef DWORD(WINAPI* SizeProc)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* InfoProc)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryProc)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionLibrary {
  bool tried;
  SizeProc size;
  InfoProc info;
  QueryProc query;
};

VersionLibrary library = {false, NULL, NULL, NULL};

// LOAD_LIBRARY_SEARCH_SYSTEM32 is understood only where
// SetDefaultDllDirectories exists; elsewhere the flag makes the load fail, and
// the altered search path resolves the DLL's own imports from its folder.
DWORD LoadFlags() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel && GetProcAddress(kernel, "SetDefaultDllDirectories")) return LOAD_LIBRARY_SEARCH_SYSTEM32;
  return LOAD_WITH_ALTERED_SEARCH_PATH;
}

// Builds <system directory>\version.dll; false when the directory does not fit.
bool SystemVersionDllPath(char* path, UINT capacity) {
  static const char name[] = "\\version.dll";
  UINT length = GetSystemDirectoryA(path, capacity);
  if (length == 0 || length + sizeof(name) > capacity) return false;
  if (length > 0 && path[length - 1] == '\\') --length;
  for (UINT i = 0; i < sizeof(name); ++i) path[length + i] = name[i];
  return true;
}

template <typename Proc>
Proc Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loads once; a failed load is not retried, the functions then just fail.
const VersionLibrary& Library() {
  if (library.tried) return library;
  library.tried = true;
  char path[MAX_PATH + 16];
  if (!SystemVersionDllPath(path, sizeof(path))) return library;
  HMODULE module = LoadLibraryExA(path, NULL, LoadFlags());
  if (!module) return library;
  library.size = Lookup<SizeProc>(module, "GetFileVersionInfoSizeA");
  library.info = Lookup<InfoProc>(module, "GetFileVersionInfoA");
  library.query = Lookup<QueryProc>(module, "VerQueryValueA");
  return library;
}

}  // namespace

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  SizeProc size = Library().size;
  if (!size) {
    if (handle) *handle = 0;
    return 0;
  }
  return size(fileName, handle);
}

WINBOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD length, LPVOID data) {
  InfoProc info = Library().info;
  return info ? info(fileName, handle, length, data) : FALSE;
}

WINBOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  QueryProc query = Library().query;
  return query ? query(block, subBlock, buffer, length) : FALSE;
}

}  // extern "C"
