// The lines collected for the log before (and between) writes to the log file.
// Every subsystem appends to it, so it is declared here; the log owns it
// (log/message_buffer.cpp).
#pragma once

#include "common/str.h"

extern Str MessageBuffer;
