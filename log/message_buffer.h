// The lines collected for the log before (and between) writes to the log file.
#pragma once

#include "common/str.h"

extern Str MessageBuffer;
