#include "actions/put_in_place.h"

#include "common/str.h"
#include "log/log_file.h"
#include "platform/platform.h"

namespace {
const char TemporaryPrefix[] = "~STP";
const char TemporarySuffix[] = ".TMP";
const char TemporaryMask[] = "~STP????.TMP";
// Names tried for the temporary of one copy; more than one is needed only
// when a leftover could not be removed or another run copies alongside.
enum { TemporaryNamesTried = 16 };

// The folder whose leftovers were removed last: the copies of a group go
// into one folder, so most calls need no search.
Str g_clearedFolder;

Str FolderOf(const char* path) {
  Str whole(path);
  long cut = whole.findLast('\\');
  return cut >= 0 ? whole.substr(0, static_cast<size_t>(cut) + 1) : Str();
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

Str TemporaryPath(const Str& folder, unsigned number) {
  static const char digits[] = "0123456789ABCDEF";
  Str path = folder + TemporaryPrefix;
  for (int shift = 12; shift >= 0; shift -= 4) path += digits[(number >> shift) & 0xF];
  return path + TemporarySuffix;
}

// A temporary may carry read-only from the medium when the run stopped
// before that was cleared; deletion would refuse it.
void RemoveTemporary(const char* path) {
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path);
}

// Fails as the step that failed did: the temporary goes, its error stays.
bool FailAndRemove(const char* temporary) {
  DWORD error = GetLastError();
  RemoveTemporary(temporary);
  SetLastError(error);
  return false;
}

// Room for the content of a copy made through handles; in .bss, it adds
// nothing to the program file.
char g_copyBuffer[1 << 16];

// The rest of an open file into another, then the last-write time that the
// search reported for it, as the platform's copy would give it.
bool CopyContent(HANDLE from, HANDLE to, const FILETIME& written) {
  for (;;) {
    DWORD got = 0, put = 0;
    if (!ReadFile(from, g_copyBuffer, sizeof g_copyBuffer, &got, nullptr)) return false;
    if (!got) break;
    if (!WriteFile(to, g_copyBuffer, got, &put, nullptr)) return false;
  }
  return SetFileTime(to, nullptr, nullptr, &written) != 0;
}

// A new temporary made from the open new file, with the attributes the
// platform's copy gives: the file's own as the search found them, less
// read-only, plus archive. Only ERROR_FILE_EXISTS sends the caller to the
// next name.
bool CopyOpenFile(HANDLE from, const WIN32_FIND_DATAA& found, const char* temporary) {
  DWORD attributes = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) | FILE_ATTRIBUTE_ARCHIVE;
  HANDLE to = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
  if (to == INVALID_HANDLE_VALUE) return false;
  bool copied = CopyContent(from, to, found.ftLastWriteTime);
  DWORD error = GetLastError();
  if (!CloseHandle(to) && copied) return false;
  SetLastError(error);
  return copied;
}

bool CopyOnce(const char* newFile, HANDLE from, const WIN32_FIND_DATAA& found, const char* temporary) {
  if (from != INVALID_HANDLE_VALUE) return CopyOpenFile(from, found, temporary);
  return CopyFileA(newFile, temporary, TRUE) != 0;
}

// Copies newFile to a temporary of its own in folder; false when no name was
// free or the copy failed (the partial temporary then removed).
bool CopyToTemporary(const char* newFile, HANDLE from, const WIN32_FIND_DATAA& found, const Str& folder,
                     Str& temporary) {
  for (unsigned number = 0; number < TemporaryNamesTried; ++number) {
    temporary = TemporaryPath(folder, number);
    if (CopyOnce(newFile, from, found, temporary.c_str())) return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return FailAndRemove(temporary.c_str());
  }
  return false;
}

// The copy carries the source's attributes over; read-only comes from the
// distribution medium, not from the package, and would make every later
// installation of the same file fail.
void ClearReadOnly(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}
// One step: the complete temporary takes the target's name, or nothing
// changes. (Windows 95, 98 and Me, where MoveFileExA is only a stub, cannot
// start SETUP.EXE at all: it imports AttachConsole.)
bool RenameOver(const char* temporary, const char* target) {
  return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING) != 0;
}
}  // namespace

bool IsTemporaryName(const char* name) {
  if (TextLength(name) != sizeof TemporaryMask - 1) return false;
  for (int i = 0; i < 4; ++i)
    if (UpperAscii(name[i]) != TemporaryPrefix[i] || !IsHexDigit(name[4 + i])) return false;
  return EqualsIgnoreCase(name + 8, TemporarySuffix);
}

bool PutFileInPlace(const char* newFile, HANDLE openNewFile, const WIN32_FIND_DATAA& found, const char* target) {
  Str temporary;
  if (!CopyToTemporary(newFile, openNewFile, found, FolderOf(target), temporary)) return false;
  if (openNewFile == INVALID_HANDLE_VALUE) ClearReadOnly(temporary.c_str());
  if (!RenameOver(temporary.c_str(), target)) return FailAndRemove(temporary.c_str());
  return true;
}

void RemoveLeftoverTemporaries(const char* target) {
  Str folder = FolderOf(target);
  if (folder.equalsIgnoreCase(g_clearedFolder.c_str()) && !g_clearedFolder.empty()) return;
  g_clearedFolder = folder;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + TemporaryMask).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // The mask also matches short aliases and longer names; only our own go.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsTemporaryName(found.cFileName)) continue;
    Str path = folder + found.cFileName;
    RemoveTemporary(path.c_str());
    WriteLogLine(path, "\tleft by an interrupted copy, removed");
  } while (FindNextFileA(search, &found));
  FindClose(search);
}
