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

// The rest of an open file into another, after the start that its version
// check read already, then the last-write time that the search reported for
// it, as the platform's copy would give it. A read of a file that comes
// short has reached its end: no further read is needed to learn that.
bool CopyContent(HANDLE from, const FileHead& head, HANDLE to, const FILETIME& written) {
  DWORD got = head.got, put = 0;
  while (got && WriteFile(to, g_copyBuffer, got, &put, nullptr)) {
    if (got < sizeof g_copyBuffer) got = 0;
    else if (!ReadFile(from, g_copyBuffer, sizeof g_copyBuffer, &got, nullptr)) return false;
  }
  return !got && SetFileTime(to, nullptr, nullptr, &written) != 0;
}

// A plain drive path ("X:\\", no "/", no "." or ".." part, no dot or blank at
// its end) means the same to the system's native calls as to MoveFileExA.
bool IsPlainDrivePath(const char* path) {
  if (path[0] == 0 || path[1] != ':' || path[2] != '\\') return false;
  char previous = 0;
  for (; *path; previous = *path++)
    if (*path == '/' || (*path == '.' && previous == '\\')) return false;
  return previous != '.' && previous != ' ';
}

// The complete temporary takes the target's name through the handle that
// wrote it: the rename MoveFileExA makes, without opening the file again.
// False leaves the file as it was (any other path, any refusal): MoveFileExA
// then does it, or says why not.
bool RenameOpenFile(HANDLE file, const char* target) {
  if (!IsPlainDrivePath(target)) return false;
  struct {
    FILE_RENAME_INFORMATION info;
    WCHAR room[MAX_PATH + 4];
  } rename;
  WCHAR* name = rename.info.FileName;
  name[0] = '\\', name[1] = '?', name[2] = '?', name[3] = '\\';
  int length = MultiByteToWideChar(CP_ACP, 0, target, -1, name + 4, MAX_PATH);
  if (!length) return false;
  rename.info.ReplaceIfExists = TRUE;
  rename.info.RootDirectory = nullptr;
  rename.info.FileNameLength = static_cast<ULONG>(length + 3) * sizeof(WCHAR);
  IO_STATUS_BLOCK status;
  return NtSetInformationFile(file, &status, &rename, sizeof rename, FileRenameInformation) >= 0;
}

// One copy of a new file onto its target, as the steps below share it.
struct OneCopy {
  const char* newFile;
  HANDLE from;  // newFile open after its head, or INVALID_HANDLE_VALUE
  const FileHead& head;
  const WIN32_FIND_DATAA& found;
  const char* target;
  Str temporary;
  bool renamed;  // the temporary has the target's name already
};

// A new temporary made from the open new file, with the attributes the
// platform's copy gives: the file's own as the search found them, less
// read-only, plus archive; complete, it takes the target's name through its
// handle where it can. Only ERROR_FILE_EXISTS sends the caller to the next
// name.
bool CopyOpenFile(OneCopy& copy) {
  DWORD attributes =
      (copy.found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) | FILE_ATTRIBUTE_ARCHIVE;
  HANDLE to = CreateFileA(copy.temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, attributes, nullptr);
  if (to == INVALID_HANDLE_VALUE) return false;
  bool copied = CopyContent(copy.from, copy.head, to, copy.found.ftLastWriteTime);
  copy.renamed = copied && RenameOpenFile(to, copy.target);
  DWORD error = GetLastError();
  if (!CloseHandle(to) && copied) return false;
  SetLastError(error);
  return copied;
}

bool CopyOnce(OneCopy& copy) {
  if (copy.from != INVALID_HANDLE_VALUE) return CopyOpenFile(copy);
  return CopyFileA(copy.newFile, copy.temporary.c_str(), TRUE) != 0;
}

// Copies the new file to a temporary of its own in folder; false when no
// name was free or the copy failed (the partial temporary then removed).
bool CopyToTemporary(OneCopy& copy, const Str& folder) {
  for (unsigned number = 0; number < TemporaryNamesTried; ++number) {
    copy.temporary = TemporaryPath(folder, number);
    if (CopyOnce(copy)) return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return FailAndRemove(copy.temporary.c_str());
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

FileHead CopyHeadRoom() { return FileHead{g_copyBuffer, sizeof g_copyBuffer, 0}; }

bool PutFileInPlace(const char* newFile, HANDLE openNewFile, const FileHead& head, const WIN32_FIND_DATAA& found,
                    const char* target) {
  OneCopy copy{newFile, openNewFile, head, found, target, Str(), false};
  if (!CopyToTemporary(copy, FolderOf(target))) return false;
  if (copy.renamed) return true;
  if (openNewFile == INVALID_HANDLE_VALUE) ClearReadOnly(copy.temporary.c_str());
  if (!RenameOver(copy.temporary.c_str(), target)) return FailAndRemove(copy.temporary.c_str());
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
