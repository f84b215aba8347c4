// The system INF directory and the control file of an earlier installation.
#pragma once

#include "common/str.h"

// The system INF directory, environment references expanded.
Str SystemInfDir();

// Looks for the control file that the earlier installation registered in its
// UninstallString, reports it and a file already at installedInfPath, and
// deletes the latter when the earlier one is newer.
void FindPreviousInstallation(const char* sourceInfPath, const char* installedInfPath);

// The last path of an uninstall command line: the text after the last blank,
// or between the last pair of double quotes. Empty when there is none.
Str LastPathOfCommandLine(const char* commandLine);
