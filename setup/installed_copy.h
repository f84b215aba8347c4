// The installed copy of the control file in the system INF directory, and the
// run's own variables published in it and in the environment.
#pragma once

#include "common/str.h"

// Writes [Version] FormKw=TALVEN into InstalledInfPath to learn whether the
// directory can be written; on failure InstalledInfPath is emptied and
// InfDirNotWritable set.
void ProbeInstalledCopy();
// Copies the control file to InstalledInfPath (with the fallback into the
// installation directory), clears its attributes and writes [Strings]
// InfPath. Ends the run when no copy can be made or written.
void PlaceInstalledCopy();
// Writes [Strings] name=value into the installed copy (a failed write is
// ignored) and sets the environment variable name to value.
void PublishVariable(const char* name, const char* value);
// Publishes MyProgramPath, then (after the caller's shell-folder pass)
// ProjectVersion, rundll and setupx.
void PublishInstallDirectory();
void PublishRunVariables();
// The directory part of a path, with its trailing backslash.
Str DirectoryWithBackslash(const Str& path);
