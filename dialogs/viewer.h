// Starting the text viewer for information texts and the log.
#pragma once

#include "common/str.h"

// The command line that shows argument in the system's own notepad, named by
// its full path: the system directory's copy, else the Windows directory's.
// A notepad.exe on the medium or in the current directory is never the one
// started.
Str ViewerCommandLine(const char* argument);
// Starts the viewer without waiting for it; the result is WinExec's (32 or
// more is success). A silent run shows no viewer and counts that as success.
unsigned StartViewer(const char* argument);
