// The shell's folder browser, starting at a folder given as text.
#pragma once

#include "platform/platform.h"

// Shows the browser owned by owner with path preselected. Returns 0 when a
// folder was chosen (path and displayName receive it, each a buffer of 261
// characters), 2 when the user cancelled (neither is changed). flags -1 means
// the default (file-system folders only); callback nullptr means
// BrowseCallback.
int BrowseForFolder(HWND owner, char* path, char* displayName, const char* title, int flags,
                    BFFCALLBACK callback);
// Preselects the start folder (the callback data) when the browser is ready.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);
