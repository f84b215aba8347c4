// The simulated machine: its directory, environment and identity, shared by
// the modules of the POSIX emulation.
//
// The simulated machine is a host directory:
//   drive_c/            C:   (further drive_<letter>/ folders are further drives)
//   registry.reg        HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT (REGEDIT4)
//   environment         NAME=VALUE lines: the environment the process inherits
// Z: is the host's root "/". Nothing here is seen by the core; the core only
// calls the Win32 functions of win32_api_posix.h.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- machine (machine_posix.cpp) ----

// Opens the machine in host directory dir, creating a default machine there
// when the directory is missing or empty. Loads the environment. Returns
// false with a reason when the directory cannot be used.
bool OpenMachine(const std::string& dir, std::string* whyNot);
// Host directory of the open machine ("" before OpenMachine).
const std::string& MachineRoot();
// Sets the program's own file (host path, absolute) and its command line as
// Windows will see them; called once by platform::Startup.
void SetProgramIdentity(const std::string& hostProgramPath, const std::string& commandLine);
// Windows path of the program's own file ("Z:\...\setup").
const std::string& ProgramWinPath();

// ---- environment (environment_posix.cpp) ----

// Loads the NAME=VALUE lines of the machine's environment file into the
// process's variables (replacing the host's own environment).
void LoadEnvironment(const std::string& environmentFile);
// Value of a variable, or nullptr when it is not set (names without regard to case).
const char* FindVariable(const char* name);

// ---- the command line (command_line_posix.cpp) ----

// The Windows form of one argument given on the host:
//   /home/u/pkg/APP.INF  -> Z:\home\u\pkg\APP.INF (a host path: its first
//                           component exists in the host's root directory)
//   /ANSWERS=/tmp/a.txt  -> /ANSWERS=Z:\tmp\a.txt (the value of a switch)
//   pkg/APP.INF          -> pkg\APP.INF
//   /S, /DIR=C:\x        -> unchanged (a switch, no host path)
// Host paths inside the machine's drives become paths on those drives.
std::string WindowsArgument(const std::string& hostArgument);

// The program's Windows path followed by the arguments in Windows form, each
// in double quotes when it holds a blank or a tab or is empty.
std::string WindowsCommandLine(const std::string& programWinPath,
                               const std::vector<std::string>& hostArguments);

// ---- the default machine (default_machine_posix.cpp) ----

// Fills the (existing, empty) host directory root with the default machine.
bool CreateDefaultMachine(const std::string& root, std::string* whyNot);

// The texts written there, for tests and tools.
std::string DefaultEnvironmentText();
std::string DefaultRegistryText();

}  // namespace posix
