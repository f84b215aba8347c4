// [Strings] resolved against the registry: shell folders of the current user
// and values of the machine replace what the control file says.
#pragma once

// What one pass of ResolveStrings does with the resolved values; the run
// makes three passes as the installed copy comes into being.
enum TResolveMode {
  ResolveSetVariables = 1,     // the process environment only
  ResolveWriteTargetFile = 2,  // the [Strings] of targetFile only
  ResolveSetAndWrite = ResolveSetVariables | ResolveWriteTargetFile,
};

// Resolves every [Strings] name of sourceFile; targetFile is not used
// without ResolveWriteTargetFile.
void ResolveStrings(int mode, const char* sourceFile, const char* targetFile);
