// The opening information text in the viewer, and the continue prompt.
#pragma once

#include "platform/platform.h"

// Shows [Info] key of sourceFile in the viewer (process receives it), waits
// waitMs for it to come up, then asks whether to continue. Returns the
// button that closed the prompt: DialogAccepted to go on, DialogCancelled when the
// user cancelled or declined to go on without the viewer.
int ShowInfoPrompt(const char* key, const char* sourceFile, int waitMs, PROCESS_INFORMATION& process);
