/* The careless way: takes version.dll by bare name, as an implicit import
   would, and asks it for the size of its own version resource. Shows that
   the planted DLL is used when nothing stops it. */
#include <windows.h>

typedef DWORD(WINAPI* SizeProc)(LPCSTR, LPDWORD);

int main(void) {
  HMODULE version = LoadLibraryA("version.dll");
  if (!version) return 1;
  SizeProc size = (SizeProc)(void*)GetProcAddress(version, "GetFileVersionInfoSizeA");
  if (!size) return 2;
  DWORD handle;
  size("naive_loader.exe", &handle);
  return 0;
}
