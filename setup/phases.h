// The phases that the run calls, each owned by its own subsystem.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Opening information text and the continue prompt; 2 means cancel.
int ShowInfoPrompt(const char* key, const char* sourceFile, int waitMs, PROCESS_INFORMATION& process);
// Installation directory; true means the user cancelled.
bool SelectInstallDir(const char* sourceFile, bool forceDialog);
// [Strings] resolved against the shell folders: mode 1 variables, 2 installed copy, 3 both.
void ResolveStrings(int mode, const char* sourceFile, const char* targetFile);
// [RegRead] entries become variables and [Strings] entries of the installed copy.
void RegRead_Expand_Strings(const char* file);
// [RegWrite] / [RegWriteUninstall]; the result is added to ErrorLevel.
int32_t WriteRegistrySection(const char* section, const char* sourceFile);
// Opens LOGFILKW.LOG and writes the header and the collected lines.
void OpenLogFile(const char* sourceFile);
// [Files]
void CopyFilesSection(const char* sourceFile);
// [SetMnuLNK]
void CreateStartMenuLinks(const char* installedInfPath, const char* sourceFile, bool useShortPath);
// [IniWrite]
void WriteIniEntries(const char* sourceFile);
