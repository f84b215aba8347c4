// The viewer process that shows the opening information text.
#pragma once

#include "platform/platform.h"

extern PROCESS_INFORMATION InfoProcess;

// Terminates the viewer, if one was started, and forgets it.
void CloseInfoViewer();
