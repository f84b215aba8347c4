// CreateDirectoryA: 183 when the name exists, 3 when the folder above is
// missing, 5 without the right to create, 206 for a path too long for a
// folder (Windows keeps 12 characters of MAX_PATH for an 8.3 name inside).
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

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
