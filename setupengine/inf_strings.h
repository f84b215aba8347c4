// The setup engine's %...% substitution and its standard folder ids.
#pragma once

#include "common/str.h"
#include "setupengine/inf_file.h"

// Replaces %name% by the [Strings] entry of that name and %number% by the
// folder of that id, as the engine does when it reads a field: "%%" is one
// '%', and a name it knows neither way stays as written, percent signs and
// all. infDir is the folder of the INF file (folder id 1).
Str SubstituteInfStrings(const TInfFile& inf, const char* text, const char* infDir);

// The folder of a standard folder id (10 the Windows folder, 11 the system
// folder, 17 the INF folder, 16384 + a shell folder number, ...), without a
// trailing backslash except for a drive's root. False for an id this
// machine does not know.
bool DirIdPath(long id, const char* infDir, Str* path);

// A number as the engine reads one: decimal, or hexadecimal after "0x",
// with an optional sign. False when text is not wholly a number.
bool ParseInfNumber(const char* text, long* value);

// path + "\" + name, without doubling a backslash already there.
Str JoinInfPath(const Str& path, const char* name);
