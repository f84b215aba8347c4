// DeleteFileA. Windows will not delete a read-only file (5), a folder (5) or
// a file that an open handle does not share for deletion (32).
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

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
