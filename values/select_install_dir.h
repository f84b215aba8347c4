// The installation directory: proposed by [Strings] MyProgramPath, confirmed
// or changed in the directory dialog, created, and published as the
// environment variable MyProgramPath.
#pragma once

// Declared with the other phases in setup/phases.h:
//   bool SelectInstallDir(const char* sourceFile, bool forceDialog);

// The folder name a browsed path must contain: the text behind the last
// backslash of path (all of it without a backslash, empty when it ends in one).
const char* LastPathComponent(const char* path);
