/* A stand-in for a DLL planted beside SETUP.EXE, in the current folder or in
   the control file's folder, copied there under the name of a system DLL.
   Being loaded at all is the fault: its entry leaves a file
   "<its own path>.loaded" when it is mapped into a process. It imports only
   kernel32 and has no C runtime, so that it loads whatever other DLLs are
   planted beside it (a planted msvcrt.dll would break one that needed the
   runtime). */
#include <windows.h>

static void LeaveMarker(HINSTANCE self) {
  char path[MAX_PATH + 8];
  DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  lstrcatA(path, ".loaded");
  HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(instance);
  return TRUE;
}
