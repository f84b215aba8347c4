// [RegRead]: variables taken from the registry of the target system.
//   name=root,subkey[,value name]
// The entry is expanded first and split at its first two commas only; the
// value name may hold further commas. Only REG_SZ values are accepted.
#pragma once

enum TRegReadResult { RegReadDone, RegReadStop };

// Reads every [RegRead] entry of file (the installed copy), writes name =
// expanded value into its [Strings] and sets the variable. Lines go to
// MessageBuffer, ErrorLevel changes as each problem demands. RegReadStop
// means the run must end now (the line and ErrorLevel are already done);
// RegRead_Expand_Strings ends it.
TRegReadResult ReadRegistryVariables(const char* file);
// ReadRegistryVariables, ending the run when it says so.
void RegRead_Expand_Strings(const char* file);
