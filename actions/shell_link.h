// One link file, written through the platform's shell-link object.
#pragma once

#include "platform/platform.h"

// Writes the link file linkFile (ANSI path) that starts target with
// arguments in workingDir, showing icon iconIndex of iconFile. arguments and
// iconFile may be empty: they are then not set; workingDir is always set.
// Returns 0 on success, otherwise the error code of the component call that
// failed, or -1 when linkFile cannot be converted to wide characters.
HRESULT CreateShellLink(const char* target, const char* arguments, const char* workingDir,
                        const char* iconFile, int iconIndex, const char* linkFile);
