// The files of the package that a [Files] source mask names, found the way
// the installer's search finds them, for every check that needs them.
#pragma once

#include "common/str.h"

struct TFilesSource {
  Str Directory;  // the package folder the mask is searched in, no trailing backslash
  Str Mask;
  bool WithSubdirs;  // the key ended in "/s"
};

// Splits a [Files] key into where its search runs and what it looks for.
TFilesSource SplitFilesSource(const char* key);

// Calls visit (when given) with the path of each matching file relative to
// the destination folder ("basic\HELLO.TXT" for a /s subfolder), and
// returns how many files there are.
int VisitPackageFiles(const TFilesSource& source, void (*visit)(void* context, const Str& relative),
                      void* context);
