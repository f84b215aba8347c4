// The process entry of SETUP.EXE, in place of the C runtime's start-up code.
// That code prepares thread-local storage, pseudo-relocations, floating-point
// error reporting and a crash handler, none of which this program uses; it
// cost about 10 KB. msvcrt.dll initialises itself when it is loaded, so its
// functions work without it. What the program does need is done here: the
// DLL search narrowed to the system folder before any DLL but kernel32 comes
// in (msvcrt.dll is delay-loaded too, at its first call below), the arguments
// split as the runtime splits them, main, the exit procedures.
#include <stdlib.h>

#include "platform/win32/system_library_win32.h"
#include "platform/win32/win32_api.h"

extern "C" {
// msvcrt.dll's own splitting of the command line, the one that main's
// arguments always came from (no wildcard expansion).
struct MsvcrtStartupInfo {
  int newMode;
};
int __cdecl __getmainargs(int* argc, char*** argv, char*** environment, int expandWildcards,
                          MsvcrtStartupInfo* info);
// The constructors of global objects, between the -1 and the 0 that the
// linker puts around them.
typedef void (*Constructor)(void);
extern Constructor __CTOR_LIST__[];
}

int main(int argc, char** argv);

namespace {

typedef void(__cdecl* ExitProcedure)(void);

// The program installs two or three; the room is generous.
const int kExitProcedureRoom = 32;
ExitProcedure g_exitProcedures[kExitProcedureRoom];
int g_exitProcedureCount = 0;

// Last installed, first run, as the C runtime does.
void RunExitProcedures() {
  while (g_exitProcedureCount > 0) g_exitProcedures[--g_exitProcedureCount]();
}

bool g_constructorsRun = false;

}  // namespace

// Runs the constructors of global objects, once, last first as the runtime
// does. The compiler calls it at the top of main (main may also be inlined
// into the entry, and then it does not, so the entry calls it too). Our own
// instead of libmingw32's: that one came with unwind tables in a section of
// their own, half a kilobyte of the file.
extern "C" void __main() {
  if (g_constructorsRun) return;
  g_constructorsRun = true;
  unsigned long count = reinterpret_cast<unsigned long>(__CTOR_LIST__[0]);
  if (count == static_cast<unsigned long>(-1))
    for (count = 0; __CTOR_LIST__[count + 1]; ++count) {
    }
  for (; count > 0; --count) __CTOR_LIST__[count]();
}

extern "C" int __cdecl atexit(ExitProcedure procedure) {
  if (g_exitProcedureCount == kExitProcedureRoom) return -1;
  g_exitProcedures[g_exitProcedureCount++] = procedure;
  return 0;
}

// The loader calls this with a stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void __cdecl SetupEntry() {
  win32::RestrictDllSearch();
  int argc = 0;
  char** argv = nullptr;
  char** environment = nullptr;
  MsvcrtStartupInfo info = {0};
  if (__getmainargs(&argc, &argv, &environment, 0, &info) < 0) ExitProcess(255);
  __main();
  int exitCode = main(argc, argv);
  RunExitProcedures();
  ExitProcess(static_cast<UINT>(exitCode));
}
