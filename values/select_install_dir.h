// The installation directory: proposed by [Strings] MyProgramPath, confirmed
// or changed in the directory dialog, created, and published as the
// environment variable MyProgramPath.
#pragma once

// Proposes, confirms (in the dialog when forceDialog or the control file
// installs files) and creates the directory. True means the user cancelled;
// MessageBuffer is emptied then.
bool SelectInstallDir(const char* sourceFile, bool forceDialog);

// True once this run's directory selection (the dialog, or /DIR=) has set
// MyProgramPath. Only such a value outranks the control file's [Strings]
// MyProgramPath; one inherited from the environment SETUP started with
// does not.
extern bool InstallDirSelected;

// The folder name a browsed path must contain: the text behind the last
// backslash of path (all of it without a backslash, empty when it ends in one).
const char* LastPathComponent(const char* path);
