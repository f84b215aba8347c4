// The part of the system's setup engine that uninstall sections use, run on
// the machine: InstallHinfSection with DelFiles and DelReg.
#pragma once

#include "setupengine/hinf_command.h"

// Runs command as the engine's InstallHinfSection does: reads the INF
// (a bare file name is looked for in the Windows INF folder), refuses it
// without a Signature of "$Chicago$", "$Windows NT$" or "$Windows 95$",
// picks SECTION.NTx86, SECTION.NT or SECTION, deletes the DelFiles files,
// then the DelReg keys and values. Every problem goes to standard error,
// one line each. Returns false when the section could not be run at all.
bool RunHinfSection(const THinfCommand& command);
