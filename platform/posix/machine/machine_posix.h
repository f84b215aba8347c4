// Internal interface between the modules of the POSIX emulation.
//
// The simulated machine is a host directory:
//   drive_c/            C:   (further drive_<letter>/ folders are further drives)
//   registry.reg        HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT (REGEDIT4)
//   environment         NAME=VALUE lines: the environment the process inherits
// Z: is the host's root "/". Nothing here is seen by the core; the core only
// calls the Win32 functions of win32_api_posix.h.
#pragma once

#include <string>

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

// ---- last error (errors_posix.cpp) ----
// SetLastError/GetLastError are the Win32 functions themselves.
// Maps an errno value to the Win32 error code Windows gives in that case.
DWORD Win32ErrorFromErrno(int err);

// ---- paths (paths_posix.cpp) ----

// The absolute, normalised Windows form of a path as the core gave it:
// relative paths are taken against the current directory, "\x" against the
// current drive, "." and ".." are resolved, "/" counts as "\". The drive
// letter comes back in upper case; no trailing backslash except on a root.
std::string FullWinPath(const char* winPath);
struct PathLook;
// The host path for a Windows path. Existing components are matched without
// regard to case; components that do not exist are kept as written. Returns
// false (with the Win32 error set) when the drive does not exist. `look`,
// when given, keeps what the resolution learnt of the last component.
bool WinToHost(const char* winPath, std::string* hostPath, PathLook* look = nullptr);
// The Windows path of an absolute host path: inside a drive_<x>/ folder of
// the machine it is that drive, anywhere else Z:.
std::string HostToWin(const std::string& hostPath);
// The Windows directory, "C:\WINDOWS" on the default machine, as the
// environment's windir says.
std::string WindowsDirectory();

// ---- file attributes (attributes_posix.cpp) ----

// The Win32 attributes of a host path, INVALID_FILE_ATTRIBUTES when it does
// not exist. Read-only is the lack of the owner's write permission; hidden
// and system come from the extended attribute user.DOSATTRIB as Samba and
// Wine keep it.
DWORD HostAttributes(const std::string& hostPath);
bool SetHostAttributes(const std::string& hostPath, DWORD attributes);

// ---- environment (environment_posix.cpp) ----

// Loads the NAME=VALUE lines of the machine's environment file into the
// process's variables (replacing the host's own environment).
void LoadEnvironment(const std::string& environmentFile);
// Value of a variable, or nullptr when it is not set (names without regard to case).
const char* FindVariable(const char* name);

// ---- registry (registry_posix.cpp) ----

// Loads registry.reg of the machine (called by OpenMachine).
bool LoadRegistry(const std::string& registryFile, std::string* whyNot);
// Counts the changes of the registry in this process (a new machine's
// registry counts as one): what is derived from its values stays valid while
// the count stays the same.
unsigned RegistryChangeCount();

// ---- the program's own version resource (own_version_posix.cpp) ----

// The version resource block of the native program itself, built from the
// same numbers as the Windows program's resource script. Returns the bytes
// of a VS_VERSIONINFO block as a resource would hold it.
const std::string& OwnVersionResource();

// ---- date and time ----

// Host time (seconds since 1970 and nanoseconds) as a Win32 FILETIME.
FILETIME FileTimeFromUnix(int64_t seconds, long nanoseconds);
void UnixFromFileTime(const FILETIME& ft, int64_t* seconds, long* nanoseconds);

}  // namespace posix
