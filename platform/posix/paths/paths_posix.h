// Windows paths of the simulated machine and the host paths behind them,
// shared by the modules of the POSIX emulation.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- paths (win_paths_posix.cpp) ----

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
// The same for a path that FullWinPath gave already.
bool FullWinPathToHost(const std::string& full, std::string* hostPath, PathLook* look = nullptr);
// The Windows path of an absolute host path: inside a drive_<x>/ folder of
// the machine it is that drive, anywhere else Z:.
std::string HostToWin(const std::string& hostPath);
// The Windows directory, "C:\WINDOWS" on the default machine, as the
// environment's windir says.
std::string WindowsDirectory();

// ---- path arguments (path_args_posix.cpp) ----

// Resolves the path an A function received to a host path. Fails, with the
// last error set as Windows sets it, for NULL or "" (3), a path of MAX_PATH
// characters or more (206), wildcards or other invalid characters in the
// name (123) and an unknown drive (3).
bool HostPathForCall(const char* winPath, std::string* hostPath, PathLook* look = nullptr);
// What resolving a path learnt of its last component, so that the call that
// resolved it need not look at the file system again for the same answer.
struct PathLook {
  // Asked for by the caller: a regular file spelt as it exists is opened to
  // read as the resolution's one look at it (an open instead of an lstat).
  bool openToRead = false;
  bool statted = false;          // `st` is the path's lstat, and it is no symbolic link
  bool missingInFolder = false;  // no such entry, in a folder that exists
  int readFd = -1;               // with openToRead: the open regular file (`st` its fstat), or -1
  struct stat st;
};
// stat() of a resolved path, answered from its look where that can be.
bool StatLooked(const std::string& hostPath, const PathLook& look, struct stat* st);
// The error Windows gives for a path that does not exist: 2 when the folder
// that should hold it exists, 3 when that folder is missing too.
DWORD MissingPathError(const std::string& hostPath);
DWORD MissingPathError(const std::string& hostPath, const PathLook& look);
// The folder part of a host path ("/" for entries of the root).
std::string HostParent(const std::string& hostPath);
// The same without a copy, for lookups of kept folders.
std::string_view HostParentView(std::string_view hostPath);
// The last component of a host path.
std::string HostLeaf(const std::string& hostPath);
// True for "X:\" (a full Windows path naming a drive root).
bool IsDriveRootPath(const std::string& fullWinPath);
// The host folder that holds drive letter `drive`, false when there is no such drive.
bool DriveHostRoot(char drive, std::string* hostRoot);

// ---- current directory (process_dirs_posix.cpp) ----

// The process's current directory as a full Windows path.
const std::string& CurrentWinDirectory();

// ---- host directory lookup (dir_lookup_posix.cpp) ----

// The real name of the entry of hostDir that equals `name` without regard to
// case, the exact spelling preferred. False when there is none.
bool FindEntryNoCase(const std::string& hostDir, const std::string& name, std::string* actual);
// For a name that does not exist as spelt: its entry in another case (or as
// an 8.3 alias), whether the folder has none, or whether there is no folder.
enum class NameLookup { Found, Missing, NoFolder };
NameLookup LookUpNameInOtherCase(const std::string& hostDir, const std::string& name, std::string* actual);
// A folder whose last lookups found nothing (one that this process fills
// with new files) answers the next from its kept names, with one stat of the
// folder instead of a stat of the name first: true when hostPath is surely
// missing there. False says nothing; the usual lookup follows.
bool MissingFromBusyFolder(const std::string& hostPath);
// A name found as spelt: its folder is no longer taken for one being filled.
void NoteFoundAsSpelt(const std::string& hostPath);
// Keeps the lookup cache right after this process added an entry to hostDir.
void NoteEntryAdded(const std::string& hostDir, const std::string& name);
// The same after this process removed (or renamed away) an entry of hostDir.
void NoteEntryRemoved(const std::string& hostDir, const std::string& name);
// Both at once, for a rename within hostDir.
void NoteEntryRenamed(const std::string& hostDir, const std::string& from, const std::string& to);
// The names in a host directory without "." and "..", in the order a
// directory search returns them: by upper-cased name, ties by exact bytes.
bool ListHostDirectory(const std::string& hostDir, std::vector<std::string>* names);
// The ordering of ListHostDirectory, for sorting names from elsewhere.
bool ListingOrderLess(const std::string& a, const std::string& b);
// ASCII upper case, the case folding of names.
std::string UpperName(const std::string& name);

// ---- host names in the ANSI code page (ansi_names_posix.cpp) ----

// Host file names are UTF-8; the A functions see code page 1252.
std::string HostNameFromAnsi(const std::string& ansi);
std::string AnsiFromHostName(const std::string& host);

// ---- names (short_names_posix.cpp, dos_mask_posix.cpp) ----

// True when a name is a valid 8.3 name as it stands (no short alias needed).
bool IsLegal83(const std::string& name);
// The short aliases of the entries of one directory, given in listing
// order: "" for names that are valid 8.3 already, else NAME~N.EXT with N
// unique within the directory.
std::vector<std::string> ShortAliases(const std::vector<std::string>& names);
// Matches a name against a DOS mask ("*", "?", "*.*", trailing "."),
// without regard to case.
bool MatchDosMask(const std::string& mask, const std::string& name);
// True when text holds a wildcard or another character no file name may hold.
bool HasInvalidNameChars(const std::string& name);

}  // namespace posix
