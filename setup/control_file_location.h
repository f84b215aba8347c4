// Finding the control file and checking its signature.
#pragma once

#include "common/str.h"

// 0 when the file's [Version] FormKw (at most 30 characters) does not hold
// "TALVEN" in any case; otherwise its position, counted from 1.
int CheckSignature(const char* path);

// Sets SourceDir, InfFileName and the current directory to the control file
// named by the command-line argument, or to the first signed *.INF beside the
// program. Ends the run with an error box when there is none.
void LocateControlFile();
