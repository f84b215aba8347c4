// MoveFileExA: a rename within one drive, replacing an existing target in
// one step when asked to. Windows (and Wine) refuse an existing target
// without MOVEFILE_REPLACE_EXISTING (183), and with it a folder, a
// read-only file or a file that is open (5); a source that an open handle
// does not share for deletion is a sharing violation (32), another drive
// needs MOVEFILE_COPY_ALLOWED (17). The new name is spelt as the call
// spells it, also where it replaces a file of another case. Everything of
// the file travels with it, its DOS attributes included.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

constexpr DWORD kKnownMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

struct MoveEnd {
  std::string host;  // the entry as it exists (or will be made) on the host
  PathLook look;
  struct stat st;
  bool exists = false;
};

bool ResolveEnd(const char* winPath, MoveEnd* end) {
  if (!HostPathForCall(winPath, &end->host, &end->look)) return false;
  end->exists = StatLooked(end->host, end->look, &end->st);
  return true;
}

bool OnSameDrive(const char* a, const char* b) {
  return UpperName(FullWinPath(a).substr(0, 1)) == UpperName(FullWinPath(b).substr(0, 1));
}

// The host path of the new name as the call spells its last part.
std::string SpeltHostPath(const std::string& resolved, const char* winPath) {
  std::string full = FullWinPath(winPath);
  std::string leaf = HostNameFromAnsi(full.substr(full.find_last_of('\\') + 1));
  if (leaf.empty()) return resolved;
  std::string parent = HostParent(resolved);
  return (parent == "/" ? "" : parent) + "/" + leaf;
}

// Why an existing target may not be replaced, or 0.
DWORD RefusalForExisting(const MoveEnd& source, const MoveEnd& target, DWORD flags) {
  if (!(flags & MOVEFILE_REPLACE_EXISTING)) return ERROR_ALREADY_EXISTS;
  if (S_ISDIR(target.st.st_mode) || S_ISDIR(source.st.st_mode)) return ERROR_ACCESS_DENIED;
  if (AttributesFromStat(target.host, target.st) & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  if (IsOpenHere(target.st.st_dev, target.st.st_ino)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// Renames on the host, over the existing entry when there is one, and then
// into the call's spelling when the entry had another case.
BOOL RenameOnHost(const MoveEnd& source, const MoveEnd& target, const std::string& spelt) {
  const std::string& into = target.exists ? target.host : spelt;
  if (rename(source.host.c_str(), into.c_str()) != 0) return FailWith(Win32ErrorFromErrno(errno));
  std::string from = source.host;
  if (into != spelt && rename(into.c_str(), spelt.c_str()) == 0) {
    NoteEntryRemoved(HostParent(into), HostLeaf(into));
  }
  if (HostParent(from) == HostParent(spelt)) {
    NoteEntryRenamed(HostParent(spelt), HostLeaf(from), HostLeaf(spelt));
  } else {
    NoteEntryRemoved(HostParent(from), HostLeaf(from));
    NoteEntryAdded(HostParent(spelt), HostLeaf(spelt));
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL MoveToOtherDrive(const char* existingFile, const char* newFile, const MoveEnd& source, DWORD flags) {
  if (!(flags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(source.st.st_mode)) return FailWith(ERROR_NOT_SAME_DEVICE);
  if (!CopyFileA(existingFile, newFile, !(flags & MOVEFILE_REPLACE_EXISTING))) return FALSE;
  return DeleteFileA(existingFile);
}

// The move once the source is known and may go: the checks of the target,
// then the rename. `movedTo` gets the new host path.
BOOL MoveResolved(const char* existingFile, const MoveEnd& source, const char* newFile, DWORD flags,
                  std::string* movedTo) {
  MoveEnd target;
  if (!ResolveEnd(newFile, &target)) return FALSE;
  if (!OnSameDrive(existingFile, newFile)) return MoveToOtherDrive(existingFile, newFile, source, flags);
  std::string spelt = SpeltHostPath(target.host, newFile);
  *movedTo = spelt;
  bool sameFile = target.exists && target.st.st_dev == source.st.st_dev && target.st.st_ino == source.st.st_ino;
  if (sameFile) {
    // A rename into another case of its own name.
    if (spelt == source.host) return SetLastError(ERROR_SUCCESS), TRUE;
    target.exists = false;
  } else if (target.exists) {
    DWORD refusal = RefusalForExisting(source, target, flags);
    if (refusal != ERROR_SUCCESS) return FailWith(refusal);
  } else if (MissingPathError(target.host, target.look) != ERROR_FILE_NOT_FOUND) {
    return FailWith(ERROR_PATH_NOT_FOUND);
  }
  return RenameOnHost(source, target, spelt);
}

// NTSTATUS values of the refusals a rename can meet.
NTSTATUS StatusOfError(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED: return static_cast<NTSTATUS>(0xC0000022);      // STATUS_ACCESS_DENIED
    case ERROR_ALREADY_EXISTS: return static_cast<NTSTATUS>(0xC0000035);     // STATUS_OBJECT_NAME_COLLISION
    case ERROR_FILE_NOT_FOUND: return static_cast<NTSTATUS>(0xC0000034);     // STATUS_OBJECT_NAME_NOT_FOUND
    case ERROR_PATH_NOT_FOUND: return static_cast<NTSTATUS>(0xC000003A);     // STATUS_OBJECT_PATH_NOT_FOUND
    case ERROR_INVALID_NAME: return static_cast<NTSTATUS>(0xC0000033);       // STATUS_OBJECT_NAME_INVALID
    case ERROR_SHARING_VIOLATION: return static_cast<NTSTATUS>(0xC0000043);  // STATUS_SHARING_VIOLATION
    case ERROR_NOT_SAME_DEVICE: return static_cast<NTSTATUS>(0xC00000D4);    // STATUS_NOT_SAME_DEVICE
    case ERROR_FILENAME_EXCED_RANGE: return static_cast<NTSTATUS>(0xC0000033);
    default: return static_cast<NTSTATUS>(0xC0000001);  // STATUS_UNSUCCESSFUL
  }
}

constexpr NTSTATUS kInvalidInfoClass = static_cast<NTSTATUS>(0xC0000003);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr NTSTATUS kInvalidHandle = static_cast<NTSTATUS>(0xC0000008);
constexpr NTSTATUS kNotImplemented = static_cast<NTSTATUS>(0xC0000002);
constexpr NTSTATUS kAccessDenied = static_cast<NTSTATUS>(0xC0000022);

// The Win32 path of a "\??\X:\..." name, in the ANSI code page; false
// for any other form of name (relative names and roots are not emulated).
bool Win32PathOfNtName(const WCHAR* name, ULONG bytes, std::string* path) {
  size_t count = bytes / sizeof(WCHAR);
  static const char prefix[] = "\\??\\";
  if (count < 4) return false;
  for (size_t i = 0; i < 4; ++i)
    if (name[i] != static_cast<unsigned char>(prefix[i])) return false;
  path->clear();
  for (size_t i = 4; i < count; ++i) {
    if (name[i] == 0) return false;
    path->push_back(AnsiFromCodePoint(name[i]));
  }
  return path->size() >= 3 && (*path)[1] == ':';
}

NTSTATUS RenameThroughHandle(FileObject* file, const FILE_RENAME_INFORMATION& rename, ULONG length) {
  if (length < offsetof(FILE_RENAME_INFORMATION, FileName) ||
      rename.FileNameLength > length - offsetof(FILE_RENAME_INFORMATION, FileName))
    return kInfoLengthMismatch;
  if (!file->mayDelete) return kAccessDenied;
  std::string newFile;
  if (rename.RootDirectory || !Win32PathOfNtName(rename.FileName, rename.FileNameLength, &newFile))
    return kNotImplemented;
  // The open file is what moves: its device and inode are those it was
  // opened with, whatever the host did to its name since (rename then fails).
  MoveEnd source;
  source.host = file->hostPath;
  source.st = file->openedAs;
  source.exists = true;
  if (!AccessShared(source.st.st_dev, source.st.st_ino, kDeleteAccess, file->shareId()))
    return StatusOfError(ERROR_SHARING_VIOLATION);
  std::string movedTo;
  DWORD flags = rename.ReplaceIfExists ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!MoveResolved(file->winPath.c_str(), source, newFile.c_str(), flags, &movedTo))
    return StatusOfError(GetLastError());
  file->winPath = FullWinPath(newFile.c_str());
  file->hostPath = movedTo;
  return 0;
}

}  // namespace
}  // namespace posix

extern "C" BOOL MoveFileExA(LPCSTR existingFile, LPCSTR newFile, DWORD flags) {
  if (!newFile || (flags & ~posix::kKnownMoveFlags)) return posix::FailWith(ERROR_INVALID_PARAMETER);
  posix::MoveEnd source;
  if (!posix::ResolveEnd(existingFile, &source)) return FALSE;
  if (!source.exists) return posix::FailWith(posix::MissingPathError(source.host, source.look));
  if (!posix::AccessShared(source.st.st_dev, source.st.st_ino, posix::kDeleteAccess))
    return posix::FailWith(ERROR_SHARING_VIOLATION);
  std::string movedTo;
  return posix::MoveResolved(existingFile, source, newFile, flags, &movedTo);
}

extern "C" NTSTATUS NtSetInformationFile(HANDLE file, PIO_STATUS_BLOCK status, PVOID information, ULONG length,
                                         FILE_INFORMATION_CLASS informationClass) {
  DWORD lastError = GetLastError();
  NTSTATUS result;
  posix::FileObject* open = posix::HandleAs<posix::FileObject>(file);
  if (!open) result = posix::kInvalidHandle;
  else if (informationClass != FileRenameInformation) result = posix::kInvalidInfoClass;
  else result = posix::RenameThroughHandle(open, *static_cast<const FILE_RENAME_INFORMATION*>(information), length);
  if (status) {
    status->Status = result;
    status->Information = 0;
  }
  SetLastError(lastError);
  return result;
}
