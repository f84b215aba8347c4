// Whether a path names its place by itself. A path that does not (relative,
// or relative to the current drive's root) would be resolved against the
// current directory, which is the distribution medium: nothing the control
// file installs may go there by accident, so every destination is checked
// with this after its expansion.
#pragma once

#include "common/str.h"

// True for a drive letter, a colon and a backslash (C:\...), or for
// \\server\share with a server and a share name. Forward slashes do not
// count: the control file's paths use backslashes.
bool IsFullPath(const char* path);

// "Error: <what> is not a full path: <path>"
Str NotFullPathText(const char* what, const char* path);

// Appends NotFullPathText as a line to MessageBuffer and raises ErrorLevel
// into the failure range: what was refused is missing from the installation.
void LogNotFullPath(const char* what, const char* path);
