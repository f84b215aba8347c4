// Phases whose subsystems are not built yet: each does nothing, so that the
// run walks its whole sequence. Each goes when its subsystem lands.
#include "setup/phases.h"

#include "setup/run_options.h"

int ShowInfoPrompt(const char*, const char*, int, PROCESS_INFORMATION&) { return IDOK; }

bool SelectInstallDir(const char*, bool) {
  if (RunOptions.HasInstallDir) SetEnvironmentVariableA("MyProgramPath", RunOptions.InstallDir.c_str());
  return false;
}

void ResolveStrings(int, const char*, const char*) {}
void RegRead_Expand_Strings(const char*) {}
int32_t WriteRegistrySection(const char*, const char*) { return 0; }
void OpenLogFile(const char*) {}
void CopyFilesSection(const char*) {}
void CreateStartMenuLinks(const char*, const char*, bool) {}
void WriteIniEntries(const char*) {}
