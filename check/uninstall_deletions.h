// What an uninstall section deletes, read from the control file as the
// system's setup engine reads its installed copy. Folders and keys are kept
// in the unexpanded form the control file's own values use (%MyProgramPath%
// stays as written), because the installed copy's [Strings] hold exactly
// the values the installer expanded those references to.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

enum { MaxDeletedFiles = 1024, MaxDeletedKeys = 256 };

struct TDeletedKey {
  HKEY Root;
  Str SubKey;
  bool WholeKey;  // else only ValueName in SubKey
  Str ValueName;
};

struct TUninstallDeletions {
  Str Files[MaxDeletedFiles];  // full paths
  int FileCount;
  // Names deleted in a folder that cannot be compared here (a folder id
  // only the target machine knows): they count as deleted wherever they lie.
  Str NamesAnywhere[MaxDeletedFiles];
  int NameCount;
  TDeletedKey Keys[MaxDeletedKeys];
  int KeyCount;
};

extern TUninstallDeletions Deletions;

// Fills Deletions from section, reporting what the engine refuses or passes
// over; where and line name the UninstallString that runs it. False when
// the uninstall would remove nothing at all.
bool ReadUninstallDeletions(const char* section, const Str& where, int line);

// Paths compared as the file system does: case and doubled or trailing
// backslashes aside.
bool SamePath(const char* a, const char* b);
