// Phases whose subsystems are not built yet: each does nothing, so that the
// run walks its whole sequence. Each goes when its subsystem lands.
#include "setup/phases.h"


void ResolveStrings(int, const char*, const char*) {}
void RegRead_Expand_Strings(const char*) {}
int32_t WriteRegistrySection(const char*, const char*) { return 0; }
void CreateStartMenuLinks(const char*, const char*, bool) {}
