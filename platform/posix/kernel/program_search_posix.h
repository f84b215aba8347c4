// Which program a CreateProcess call starts, found as Windows finds it.
#pragma once

#include <string>

namespace posix {

struct ProgramCall {
  std::string program;    // full Windows path of the program file
  std::string arguments;  // the command line behind the program's name
};

// Without an application name the program is the command line's first
// token: in quotes, or else the shortest blank-separated start of the line
// that names an existing file ("C:\Program Files\x.exe" tries "C:\Program"
// first). ".exe" is added to a name without extension. A name without a
// path is searched in the program's own folder, the current folder, the
// system folder, the 16-bit system folder, the Windows folder and PATH.
// Returns false when no such file exists.
bool FindProgramCall(const char* applicationName, const char* commandLine, ProgramCall* call);

}  // namespace posix
