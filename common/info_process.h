// The viewer process that shows the opening information text. The continue
// prompt fills it (dialogs/info_process.cpp defines it); the run and its end
// close it.
#pragma once

#include "platform/platform.h"

extern PROCESS_INFORMATION InfoProcess;

// Terminates the viewer, if one was started, and forgets it.
void CloseInfoViewer();
