// Reading an INF file from disk for the setup engine.
#pragma once

#include "common/str.h"

// The whole content of a file; false with the system's error code.
bool ReadWholeFile(const char* path, Str* content, unsigned long* error);
