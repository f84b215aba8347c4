/* The careless way, as a control for the planting test: loads every DLL
   named on its command line by bare name, as an implicit import or a
   program without a restricted search would. With PLANT_SEARCH_DIR set, that
   folder is first added to the search (SetDllDirectoryA), as a program does
   that takes DLLs from its package or current folder. Whatever planted DLL
   this program loads is one that Wine would hand out; one that it does not
   load cannot show anything about SETUP.EXE.
   No C runtime: the program itself brings in nothing but kernel32, so that
   every other name stays testable. */
#include <windows.h>

static char* SkipBlanks(char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

/* The program's own name, quoted or not. */
static char* SkipProgramName(char* text) {
  if (*text == '"') {
    ++text;
    while (*text && *text != '"') ++text;
    if (*text) ++text;
  } else {
    while (*text && *text != ' ' && *text != '\t') ++text;
  }
  return text;
}

static void UseSearchFolderFromEnvironment(void) {
  char folder[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("PLANT_SEARCH_DIR", folder, sizeof(folder));
  if (length > 0 && length < sizeof(folder)) SetDllDirectoryA(folder);
}

void __stdcall NaiveLoaderEntry(void) {
  UseSearchFolderFromEnvironment();
  char* cursor = SkipBlanks(SkipProgramName(GetCommandLineA()));
  int failures = 0;
  while (*cursor) {
    char* name = cursor;
    while (*cursor && *cursor != ' ' && *cursor != '\t') ++cursor;
    if (*cursor) *cursor++ = '\0';
    if (!LoadLibraryA(name)) ++failures;
    cursor = SkipBlanks(cursor);
  }
  ExitProcess(failures ? 1 : 0);
}
