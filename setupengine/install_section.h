// What the engine decides about an INF file before it installs a section of
// it: whether it reads the file at all, and which section it takes.
#pragma once

#include "setupengine/inf_file.h"

// A [Version] Signature of "$Chicago$", "$Windows NT$" or "$Windows 95$":
// the engine refuses files without one.
bool HasKnownSignature(const TInfFile& inf, const char* infDir);

// The section the engine installs on this machine (32-bit NT) for a name:
// the most specific of NAME.NTx86, NAME.NT and NAME that exists, or -1.
int InstalledSection(const TInfFile& inf, const char* section);
