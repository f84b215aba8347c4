// Making sure that a directory exists, creating the missing levels of its
// path from the top down. The installation directory, the log and the
// Start-menu folder need it, so it is declared here; the actions define it
// (actions/create_dir_chain.cpp).
#pragma once

#include "common/str.h"

enum { DirChainExists = 0, DirChainCreated = 1, DirChainFailed = -1 };

// Makes the directory path (absolute, backslashes, with or without a
// trailing backslash) exist. Returns DirChainExists when it is there already
// or is a drive root, DirChainCreated when it was created, DirChainFailed
// when it could not be. Every level that had to be created below a missing
// parent is appended to log as "<level>\t created\r\n", the highest first;
// a directory whose parent exists is created without a line. A failure is
// reported at once: an error box and a line in MessageBuffer naming the
// level that failed, and ErrorLevel raised into the failure range. The walk
// cuts path in place while it works; path holds what the caller gave when
// this returns, whatever the result.
int CreateDirChain(char* path, Str& log);
