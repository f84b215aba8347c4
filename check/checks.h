// What every group of checks is given, and the list that runs them.
#pragma once

#include <cstddef>

#include "check/line_index.h"
#include "check/report.h"
#include "platform/platform.h"

struct TCheckInput {
  const char* Path;        // the control file, as the profile functions take it
  Str Directory;           // its folder with a trailing backslash: the package
  const char* Text;        // the file's bytes as read
  size_t Size;
  const TLineIndex* Index;  // the checker's scan of Text
};

extern TCheckInput CheckInput;

// Line of a key, else of its section's header, else 0: a finding about a
// key read through the profile functions is placed where the author wrote it.
int LineOf(const char* section, const char* key);

// "[section] key: "
Str Where(const char* section, const char* key);

// Reads the key list of section as the installer does (size characters);
// when it is cut, reports "[section] has more key names than fit in N
// characters: <consequence>" at the section's header.
void ReadCheckedKeyList(const char* section, char* keys, DWORD size, const char* consequence);

// One entry function per file of check/; RunAllChecks calls them in order.
void CheckFileForm();
void CheckVariables();
void CheckFilesSection();
void CheckRegistrySections();
void CheckLinkSections();
void CheckIniWrite();
void CheckValueLengths();
void CheckUninstallRoundTrip();

void RunAllChecks();
