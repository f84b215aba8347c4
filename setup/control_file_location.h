// Finding the control file and checking its signature.
#pragma once

#include "common/str.h"

// A path that is relative (no colon, no leading backslash) taken against the
// current directory now, so that it names the same place after the current
// directory changes (and the profile functions, which look for a relative
// name in the Windows folder, find it). Other paths are returned unchanged.
Str AbsoluteDirectory(const Str& dir);

// 0 when the file's [Version] FormKw (at most 30 characters) does not hold
// "TALVEN" in any case; otherwise its position, counted from 1.
int CheckSignature(const char* path);

// Sets SourceDir, InfFileName and the current directory to the control file
// named by the command-line argument, or to the first signed *.INF beside the
// program. Ends the run with an error box when there is none.
void LocateControlFile();
