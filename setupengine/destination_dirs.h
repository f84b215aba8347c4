// Where the files of a file-list section lie: [DestinationDirs].
#pragma once

#include "common/str.h"
#include "setupengine/inf_file.h"

// The folder of a file-list section: its [DestinationDirs] entry, else
// DefaultDestDir, else the system folder (id 11), as the engine takes them.
// An entry is "id[,subfolder]"; id -1 makes the subfolder the whole path.
// False (with *why filled) when the entry names an id the machine does
// not know or a -1 without a path.
// The [DestinationDirs] line that places a file-list section: its own entry,
// else DefaultDestDir; nullptr when neither exists (the system folder).
const TInfLine* DestinationDirsLine(const TInfFile& inf, const char* section);

bool InfDestinationDir(const TInfFile& inf, const char* section, const char* infDir, Str* dir,
                       const char** why);
