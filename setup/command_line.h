// Splitting the process's command line into arguments.
#pragma once

#include "common/str.h"

// Takes the next argument from cursor, advancing it. Arguments are separated
// by blanks and control characters; double quotes group text with blanks into
// one argument and are removed. Returns false when no argument is left.
bool NextCommandLineArgument(const char*& cursor, Str& argument);
