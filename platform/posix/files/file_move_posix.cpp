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

}  // namespace
}  // namespace posix

extern "C" BOOL MoveFileExA(LPCSTR existingFile, LPCSTR newFile, DWORD flags) {
  if (!newFile || (flags & ~posix::kKnownMoveFlags)) return posix::FailWith(ERROR_INVALID_PARAMETER);
  posix::MoveEnd source;
  if (!posix::ResolveEnd(existingFile, &source)) return FALSE;
  if (!source.exists) return posix::FailWith(posix::MissingPathError(source.host, source.look));
  if (!posix::AccessShared(source.st.st_dev, source.st.st_ino, posix::kDeleteAccess))
    return posix::FailWith(ERROR_SHARING_VIOLATION);
  posix::MoveEnd target;
  if (!posix::ResolveEnd(newFile, &target)) return FALSE;
  if (!posix::OnSameDrive(existingFile, newFile)) return posix::MoveToOtherDrive(existingFile, newFile, source, flags);
  std::string spelt = posix::SpeltHostPath(target.host, newFile);
  bool sameFile = target.exists && target.st.st_dev == source.st.st_dev && target.st.st_ino == source.st.st_ino;
  if (sameFile) {
    // A rename into another case of its own name.
    if (spelt == source.host) return SetLastError(ERROR_SUCCESS), TRUE;
    target.exists = false;
  } else if (target.exists) {
    DWORD refusal = posix::RefusalForExisting(source, target, flags);
    if (refusal != ERROR_SUCCESS) return posix::FailWith(refusal);
  } else if (posix::MissingPathError(target.host, target.look) != ERROR_FILE_NOT_FOUND) {
    return posix::FailWith(ERROR_PATH_NOT_FOUND);
  }
  return posix::RenameOnHost(source, target, spelt);
}
