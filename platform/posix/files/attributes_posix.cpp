// File attributes over host files. READONLY is the lack of the owner's write
// permission; HIDDEN, SYSTEM and ARCHIVE are kept in user.DOSATTRIB (see
// dos_attrib_posix.cpp). A file that has no such record is ARCHIVE, as every
// file Windows creates or changes is. Unlike Wine, a name beginning with a
// dot is not hidden: Windows knows no such rule.
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

// The stored bits that a file or folder has when it has no record at all.
DWORD DefaultStored(bool directory) { return directory ? 0 : FILE_ATTRIBUTE_ARCHIVE; }

bool StoreDosAttributes(const std::string& hostPath, bool directory, DWORD wanted) {
  DWORD current = 0;
  if (!ReadDosAttrib(hostPath, &current)) current = DefaultStored(directory);
  if (current == wanted) return true;
  return WriteDosAttrib(hostPath, wanted, wanted == DefaultStored(directory));
}

}  // namespace

DWORD AttributesFromStat(const std::string& hostPath, const struct stat& st) {
  bool directory = S_ISDIR(st.st_mode);
  DWORD attributes = directory ? FILE_ATTRIBUTE_DIRECTORY : 0;
  DWORD stored = 0;
  attributes |= ReadDosAttrib(hostPath, &stored) ? stored : DefaultStored(directory);
  if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD HostAttributes(const std::string& hostPath) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  return AttributesFromStat(hostPath, st);
}

bool SetHostAttributes(const std::string& hostPath, DWORD attributes) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) return false;
  bool directory = S_ISDIR(st.st_mode);
  mode_t mode = st.st_mode & 07777;
  mode_t writable = mode | S_IWUSR;
  // Like Wine, a folder never loses its write permission: on the host that
  // would forbid creating files in it, which READONLY on Windows does not.
  bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) && !directory;
  if (mode != writable && chmod(hostPath.c_str(), writable) != 0) return false;
  bool stored = StoreDosAttributes(hostPath, directory, attributes & kStoredAttributes);
  int storeErrno = errno;
  if (readOnly && chmod(hostPath.c_str(), mode & ~0222) != 0) return false;
  if (!stored && storeErrno != ENOTSUP) {
    errno = storeErrno;
    return false;
  }
  return true;
}

}  // namespace posix

extern "C" DWORD GetFileAttributesA(LPCSTR fileName) {
  std::string host;
  posix::PathLook look;
  if (!posix::HostPathForCall(fileName, &host, &look)) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (!posix::StatLooked(host, look, &st)) {
    SetLastError(errno == ENOENT ? posix::MissingPathError(host, look) : posix::Win32ErrorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  return posix::AttributesFromStat(host, st);
}

extern "C" BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
  std::string host;
  posix::PathLook look;
  if (!posix::HostPathForCall(fileName, &host, &look)) return FALSE;
  struct stat st;
  if (!posix::StatLooked(host, look, &st))
    return posix::FailWith(errno == ENOENT ? posix::MissingPathError(host, look) : posix::Win32ErrorFromErrno(errno));
  if (!posix::SetHostAttributes(host, attributes)) return posix::FailWith(posix::Win32ErrorFromErrno(errno));
  return TRUE;
}
