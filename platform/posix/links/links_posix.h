// Shell links in the POSIX emulation: the component library, the shell-link
// object, its target and the bytes of the .lnk file it saves.
#pragma once

#include <optional>
#include <string>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- the component library (shell_link_posix.cpp) ----

bool SameGuid(const GUID& a, const GUID& b);

// Creates a shell-link object and hands out its interface iid (the object
// goes away with its last Release). E_NOINTERFACE for an interface it lacks.
HRESULT CreateShellLinkObject(REFIID iid, void** object);

// ---- the .lnk file (lnk_writer_posix.cpp) ----

// LinkFlags.
enum : DWORD {
  LinkHasLinkInfo = 0x2,
  LinkHasName = 0x4,
  LinkHasRelativePath = 0x8,
  LinkHasWorkingDir = 0x10,
  LinkHasArguments = 0x20,
  LinkHasIconLocation = 0x40,
  LinkIsUnicode = 0x80,
};

struct LinkVolume {
  DWORD driveType = 3;  // DRIVE_FIXED
  DWORD serialNumber = 0;
  std::string label;    // ANSI
};

struct LinkFileData {
  // Full Windows path of the target on a drive (ANSI); with a volume it
  // becomes the LinkInfo's local base path. Empty: no LinkInfo.
  std::string targetPath;
  std::optional<LinkVolume> volume;
  // Header fields taken from the target when it exists.
  DWORD targetAttributes = 0;
  FILETIME creationTime = {0, 0};
  FILETIME accessTime = {0, 0};
  FILETIME writeTime = {0, 0};
  DWORD targetSize = 0;
  int iconIndex = 0;
  DWORD showCommand = SW_SHOWNORMAL;
  WORD hotkey = 0;
  // StringData, ANSI; a field that is not set or empty is not written.
  std::optional<std::string> description;
  std::optional<std::string> relativePath;
  std::optional<std::string> workingDir;
  std::optional<std::string> arguments;
  std::optional<std::string> iconLocation;
};

// The LinkFlags that data gives.
DWORD LinkFlagsOf(const LinkFileData& data);
// The whole file.
std::string BuildLinkFile(const LinkFileData& data);
// ANSI (code page 1252) text as UTF-16LE bytes, without a NUL.
std::string Utf16FromAnsi(const std::string& ansi);
// The target relative to the folder of the link file, as the shell's
// PathRelativePathTo gives it (".\name", "..\dir\name"); empty when the two
// have no common root. Both are full Windows paths.
std::string RelativeTargetPath(const std::string& linkFile, const std::string& target);

// ---- the target of a link (link_target_posix.cpp) ----

// Sets the target fields of data for a path as given to SetPath (quotes
// around it already removed): the full path against the current directory,
// or what the search path finds for the name when that does not exist;
// LinkInfo's volume for a drive path; attributes, times and size of an
// existing file. Returns false when the target exists nowhere (SetPath
// then answers S_FALSE, as Wine's does).
bool ResolveLinkTarget(const std::string& path, LinkFileData* data);

}  // namespace posix
