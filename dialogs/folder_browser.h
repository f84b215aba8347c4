// The shell's folder browser, starting at a folder given as text.
#pragma once

#include "platform/platform.h"

// What BrowseForFolder gives back.
enum TBrowseResult { FolderChosen = 0, BrowseCancelled = 2 };

// Shows the browser owned by owner with path preselected. Returns FolderChosen when a
// folder was chosen (path and displayName receive it, each a buffer of 261
// characters), BrowseCancelled when the user cancelled or chose nothing (neither is
// changed). flags -1 means
// the default (file-system folders only); callback nullptr means
// BrowseCallback.
int BrowseForFolder(HWND owner, char* path, char* displayName, const char* title, int flags,
                    BFFCALLBACK callback);
// Preselects the start folder (the callback data) when the browser is ready.
// It also follows the selection: OK while no folder with a file-system path
// is selected (the browser would give back the desktop) counts as a cancel.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

// Cuts path back to the nearest folder of it that exists ("C:\" at the
// shortest; empty when none does), so that the browser can select it.
void NearestExistingFolder(char* path);
