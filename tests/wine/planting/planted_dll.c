/* A stand-in for a version.dll planted beside SETUP.EXE. It exports the
   functions of the DLL it poses as; when any of them is called, it leaves a
   file "<its own path>.called" and fails. (Being loaded is not the test:
   Wine's own user32 imports version.dll, so under Wine a planted copy is
   loaded into every GUI process whatever the program does.) */
#include <windows.h>

static HINSTANCE self;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

static void LeaveMarker(void) {
  char path[MAX_PATH + 8];
  DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  lstrcatA(path, ".called");
  HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR name, LPDWORD handle) {
  LeaveMarker();
  return 0;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR name, DWORD handle, DWORD size, LPVOID data) {
  LeaveMarker();
  return FALSE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR sub, LPVOID* buffer, PUINT length) {
  LeaveMarker();
  return FALSE;
}
