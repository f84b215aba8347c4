// Making and removing entries of a folder.
//
// CreateDirectoryA: 183 when the name exists, 3 when the folder above is
// missing, 5 without the right to create, 206 for a path too long for a
// folder (Windows keeps 12 characters of MAX_PATH for an 8.3 name inside).
// DeleteFileA: Windows will not delete a read-only file (5), a folder (5) or
// a file that an open handle does not share for deletion (32).
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace {
constexpr size_t kMaxFolderPath = MAX_PATH - 12;
}

extern "C" BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security) {
  if (path && std::strlen(path) > kMaxFolderPath) return posix::FailWith(ERROR_FILENAME_EXCED_RANGE);
  std::string host;
  if (!posix::HostPathForCall(path, &host)) return FALSE;
  if (mkdir(host.c_str(), 0777) != 0) {
    if (errno == EEXIST) return posix::FailWith(ERROR_ALREADY_EXISTS);
    if (errno == ENOENT || errno == ENOTDIR) return posix::FailWith(ERROR_PATH_NOT_FOUND);
    return posix::FailWith(posix::Win32ErrorFromErrno(errno));
  }
  posix::NoteEntryAdded(posix::HostParent(host), posix::HostLeaf(host));
  return TRUE;
}

extern "C" BOOL DeleteFileA(LPCSTR fileName) {
  std::string host;
  if (!posix::HostPathForCall(fileName, &host)) return FALSE;
  struct stat st;
  if (lstat(host.c_str(), &st) != 0)
    return posix::FailWith(errno == ENOENT ? posix::MissingPathError(host) : posix::Win32ErrorFromErrno(errno));
  if (S_ISDIR(st.st_mode)) return posix::FailWith(ERROR_ACCESS_DENIED);
  if (!S_ISLNK(st.st_mode) && (posix::AttributesFromStat(host, st) & FILE_ATTRIBUTE_READONLY))
    return posix::FailWith(ERROR_ACCESS_DENIED);
  if (!posix::AccessShared(st.st_dev, st.st_ino, posix::kDeleteAccess))
    return posix::FailWith(ERROR_SHARING_VIOLATION);
  if (unlink(host.c_str()) != 0) return posix::FailWith(posix::Win32ErrorFromErrno(errno));
  posix::NoteEntryRemoved(posix::HostParent(host), posix::HostLeaf(host));
  return TRUE;
}
