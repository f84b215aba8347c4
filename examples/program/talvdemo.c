/* The example package's program: a window that says which version it is. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  MessageBoxA(NULL, "Talven Demo 1.2 is installed and running.", "Talven Demo", MB_OK | MB_ICONINFORMATION);
  return 0;
}
