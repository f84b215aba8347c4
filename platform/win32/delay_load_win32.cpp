// The resolver behind SETUP.EXE's delay-loaded imports.
//
// SETUP.EXE imports nothing but kernel32: every DLL that a static import
// names, and every DLL that those import in turn, is resolved by the loader
// before the program's first instruction, from the program's own folder
// first, and a DLL planted there would run with the rights of the installer.
// So the other system DLLs are linked through delay-import libraries made
// from platform/win32/delay_imports/*.def: the first call of one of their
// functions lands here, after the entry has restricted the DLL search, and
// the DLL is loaded by its full path in the system folder.
#include "platform/platform.h"
#include "platform/win32/system_library_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// What the delay-import libraries hold for each DLL; every field but the
// first is an offset from the image base.
struct DelayImportDescriptor {
  DWORD attributes;
  DWORD dllName;
  DWORD moduleHandle;
  DWORD importAddressTable;
  DWORD importNameTable;
  DWORD boundImportAddressTable;
  DWORD unloadImportAddressTable;
  DWORD timeStamp;
};

template <typename T>
T* AtOffset(DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<char*>(&__ImageBase) + offset);
}

// A function of the system that cannot be had leaves nothing to go on with:
// the caller's signature is unknown here, so no failing stand-in can be
// returned. Exit code 1 is what an uncaught failure gives.
__attribute__((noreturn)) void Unavailable(const char* dll, const char* what) {
  platform::WriteStandardError(dll);
  platform::WriteStandardError(what);
  platform::WriteStandardError("\n");
  ExitProcess(1);
}

HMODULE ModuleOf(const DelayImportDescriptor& descriptor) {
  HMODULE* module = AtOffset<HMODULE>(descriptor.moduleHandle);
  if (*module) return *module;
  const char* dll = AtOffset<const char>(descriptor.dllName);
  *module = win32::LoadSystemLibrary(dll);
  if (!*module) Unavailable(dll, ": cannot be loaded from the system folder");
  return *module;
}

// The name (after its two-byte hint) or the ordinal of the import.
LPCSTR ImportName(const DelayImportDescriptor& descriptor, size_t index) {
  DWORD entry = AtOffset<DWORD>(descriptor.importNameTable)[index];
  if (IMAGE_SNAP_BY_ORDINAL32(entry)) return MAKEINTRESOURCEA(IMAGE_ORDINAL32(entry));
  return AtOffset<const char>(entry + 2);
}

}  // namespace

// Called by the import's stub with its slot in the import address table; the
// slot gets the function, so that later calls go there directly.
extern "C" FARPROC WINAPI __delayLoadHelper2(const DelayImportDescriptor* descriptor,
                                             FARPROC* slot) {
  HMODULE module = ModuleOf(*descriptor);
  size_t index = slot - AtOffset<FARPROC>(descriptor->importAddressTable);
  FARPROC function = GetProcAddress(module, ImportName(*descriptor, index));
  if (!function) Unavailable(AtOffset<const char>(descriptor->dllName), ": a function is missing");
  *slot = function;
  return function;
}
