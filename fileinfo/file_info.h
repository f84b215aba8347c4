// A file's version (from its version resource) and its time stamps as text.
#pragma once

#include <cstdint>

#include "common/str.h"
#include "platform/platform.h"

struct TVersionInfo {
  uint16_t Major = 0;
  uint16_t Minor = 0;
  uint16_t Release = 0;
  uint16_t Build = 0;
  Str Translation;  // first "\VarFileInfo\Translation" entry, 8 upper-case hex digits
  Str CompanyName;
  Str FileDescription;
  Str FileVersion;
  Str InternalName;
  Str LegalCopyright;
  Str LegalTrademarks;  // not filled
  Str OriginalFilename;
  Str ProductName;
  Str ProductVersion;
  Str Comments;     // not filled
  Str PrivateBuild; // not filled
};

extern TVersionInfo VersionInfo;

// The version number of a file (major * 2^32 + minor of its product version),
// -1 when it has no readable version resource. On success versionText is set
// to "major.mm.rrrr.bbbb" and VersionInfo is filled; otherwise both stay as
// they were.
// When `keepOpen` is given and the file is certainly no executable, the
// handle that read its first bytes comes back in it, standing after them,
// for the caller to ask on and close (a copy then needs no open of its
// own); otherwise it is INVALID_HANDLE_VALUE. With `head`, the first read
// fills head's room and says in `got` how much it gave: the copy goes on
// from there, and a read shorter than the room was the whole file.
struct FileHead {
  char* bytes;
  DWORD room;
  DWORD got;
};
int64_t ReadVersionInfo(const char* path, Str& versionText, HANDLE* keepOpen = nullptr, FileHead* head = nullptr);

// Time stamp selectors of FileDateStr.
enum { FileTimeCreation = 1, FileTimeLastAccess = 2, FileTimeLastWrite = 3 };

// One of a file's time stamps as text in the user's short date and long time
// format (the time left out at exactly midnight), and as a FILETIME.
// An unopenable file gives an empty text and a zero time.
void FileDateStr(const char* path, int selector, FILETIME& fileTime, Str& dateText);

// The date text of a time stamp already at hand (from a directory search),
// exactly as FileDateStr gives it for the file that has that time.
void FileTimeDateStr(const FILETIME& fileTime, Str& dateText);

// FileDateStr for a file already open for reading.
void OpenFileDateStr(HANDLE file, int selector, FILETIME& fileTime, Str& dateText);

// The DOS date and time of a file time, which its date text shows, as one
// number (the date in the high 16 bits, the time in two-second steps in the
// low ones), so that later texts have greater numbers; 0 for a time that
// gives the empty text, which so comes before every other.
uint32_t DosStampOf(const FILETIME& fileTime);
