// CopyFileA: content, last-write time and attributes, with the refusals of
// Windows (existing target 80, read-only or hidden target 5, missing source
// 2, missing target folder 3, the same file or a locked one 32). The content
// moves inside the kernel (copy_file_range, else sendfile), and a copy costs
// only a handful of system calls, so that an installation of thousands of
// small files or of a few huge ones runs as fast as cp.
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool CopyByReadWrite(int in, int out) {
  static char buffer[1 << 16];
  for (;;) {
    ssize_t n = read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buffer + done, n - done);
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return false;
      done += w;
    }
  }
}

bool CopyBySendfile(int in, int out, off_t left) {
  while (left > 0) {
    ssize_t n = sendfile(out, in, nullptr, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EINVAL || errno == ENOSYS)) return CopyByReadWrite(in, out);
    if (n <= 0) return n == 0;
    left -= n;
  }
  return true;
}

// Copies `size` bytes (the size the source had when opened).
bool CopyContent(int in, int out, off_t size) {
  off_t left = size;
  while (left > 0) {
    ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
    if (n < 0 && errno == EINTR) continue;
    // Where the kernel cannot copy between these files both offsets are still 0.
    if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP))
      return CopyBySendfile(in, out, left);
    if (n <= 0) return n == 0;
    left -= n;
  }
  return true;
}

// The test hook's copy: the first `killAfter` bytes, then the end of the process.
[[noreturn]] void CopyThenKill(int in, int out, long long killAfter) {
  static char buffer[1 << 16];
  while (killAfter > 0) {
    ssize_t n = read(in, buffer, killAfter < static_cast<long long>(sizeof buffer) ? killAfter : sizeof buffer);
    if (n <= 0) break;
    if (write(out, buffer, static_cast<size_t>(n)) != n) break;
    killAfter -= n;
  }
  KillNow();
}

// Why Windows would refuse to replace an existing target, or 0.
DWORD RefusalForTarget(const std::string& host, const struct stat& target, const struct stat& source,
                       DWORD sourceAttributes, BOOL failIfExists) {
  if (failIfExists) return ERROR_FILE_EXISTS;
  if (target.st_dev == source.st_dev && target.st_ino == source.st_ino) return ERROR_SHARING_VIOLATION;
  if (S_ISDIR(target.st_mode)) return ERROR_ACCESS_DENIED;
  DWORD attributes = AttributesFromStat(host, target);
  if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  if (attributes & kHiddenOrSystem & ~sourceAttributes) return ERROR_ACCESS_DENIED;
  if (!AccessShared(target.st_dev, target.st_ino, GENERIC_WRITE)) return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

// Last-write time and attributes of the source, the archive bit set as on every written file.
void CopyMetadata(int out, const struct stat& source, DWORD sourceAttributes, bool replaced,
                  DWORD oldStored) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1] = source.st_mtim;
  futimens(out, times);
  DWORD stored = (sourceAttributes & kHiddenOrSystem) | FILE_ATTRIBUTE_ARCHIVE;
  bool plain = stored == FILE_ATTRIBUTE_ARCHIVE;
  if (replaced ? stored != oldStored : !plain) WriteDosAttribFd(out, stored, plain);
  if (sourceAttributes & FILE_ATTRIBUTE_READONLY) {
    struct stat st;
    if (fstat(out, &st) == 0) fchmod(out, st.st_mode & 07777 & ~0222);
  }
}

struct CopyEnds {
  std::string sourceHost;
  std::string targetHost;
  int in = -1;
  int out = -1;
  ~CopyEnds() {
    if (in >= 0) close(in);
    if (out >= 0) close(out);
  }
};

BOOL FailAndRemove(CopyEnds* ends, DWORD error) {
  close(ends->out);
  ends->out = -1;
  unlink(ends->targetHost.c_str());
  return FailWith(error);
}

}  // namespace
}  // namespace posix

extern "C" BOOL CopyFileA(LPCSTR existingFile, LPCSTR newFile, BOOL failIfExists) {
  posix::CopyEnds ends;
  if (!posix::HostPathForCall(existingFile, &ends.sourceHost)) return FALSE;
  posix::PathLook targetLook;
  if (!posix::HostPathForCall(newFile, &ends.targetHost, &targetLook)) return FALSE;
  ends.in = open(ends.sourceHost.c_str(), O_RDONLY | O_CLOEXEC);
  if (ends.in < 0)
    return posix::FailWith(errno == ENOENT ? posix::MissingPathError(ends.sourceHost) : posix::Win32ErrorFromErrno(errno));
  struct stat source;
  fstat(ends.in, &source);
  if (S_ISDIR(source.st_mode)) return posix::FailWith(ERROR_ACCESS_DENIED);
  if (!posix::AccessShared(source.st_dev, source.st_ino, GENERIC_READ)) return posix::FailWith(ERROR_SHARING_VIOLATION);
  DWORD sourceAttributes = posix::AttributesFromStat(ends.sourceHost, source);

  struct stat target;
  bool exists = posix::StatLooked(ends.targetHost, targetLook, &target);
  DWORD oldStored = 0;
  if (exists) {
    DWORD refusal = posix::RefusalForTarget(ends.targetHost, target, source, sourceAttributes, failIfExists);
    if (refusal != ERROR_SUCCESS) return posix::FailWith(refusal);
    oldStored = posix::AttributesFromStat(ends.targetHost, target) & posix::kStoredAttributes;
  } else if (errno != ENOENT) {
    return posix::FailWith(ERROR_PATH_NOT_FOUND);
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (exists ? O_TRUNC : O_EXCL);
  ends.out = open(ends.targetHost.c_str(), flags, 0666);
  if (ends.out < 0) {
    // A missing folder shows here, rather than in a look at the folder first.
    DWORD error = errno == EEXIST   ? ERROR_FILE_EXISTS
                  : errno == ENOENT ? ERROR_PATH_NOT_FOUND
                                    : posix::Win32ErrorFromErrno(errno);
    return posix::FailWith(error);
  }
  if (!exists) posix::NoteEntryAdded(posix::HostParent(ends.targetHost), posix::HostLeaf(ends.targetHost));
  long long killAfter = posix::KillAfterBytesOfThisCopy();
  if (killAfter >= 0) posix::CopyThenKill(ends.in, ends.out, killAfter);
  if (!posix::CopyContent(ends.in, ends.out, source.st_size))
    return posix::FailAndRemove(&ends, posix::Win32ErrorFromErrno(errno));
  posix::CopyMetadata(ends.out, source, sourceAttributes, exists, oldStored);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
