// Reading, writing and querying open files.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"

namespace posix {
namespace {

constexpr DWORD kNegativeSeek = 131;  // ERROR_NEGATIVE_SEEK

FileObject* OpenFile(HANDLE handle) {
  FileObject* file = HandleAs<FileObject>(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

}  // namespace
}  // namespace posix

extern "C" BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) {
  if (read) *read = 0;
  posix::FileObject* open = posix::OpenFile(file);
  if (!open) return FALSE;
  if (!open->CanRead()) return posix::FailWith(ERROR_ACCESS_DENIED);
  DWORD done = 0;
  char* out = static_cast<char*>(buffer);
  while (done < toRead) {
    ssize_t n = ::read(open->fd(), out + done, toRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return posix::FailWith(posix::Win32ErrorFromErrno(errno));
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
    // A regular file gives less than asked only at its end: no read more to learn that.
    if (open->regular) break;
  }
  if (read) *read = done;
  return TRUE;
}

namespace posix {
namespace {
// The test hook: a write that reaches the kill point writes up to it, and
// the process dies there, as a power cut would stop a copy.
void KillWhenDue(FileObject* open, const char* data, DWORD toWrite) {
  if (static_cast<long long>(toWrite) < open->killAfter) {
    open->killAfter -= toWrite;
    return;
  }
  for (long long left = open->killAfter; left > 0;) {
    ssize_t n = ::write(open->fd(), data, static_cast<size_t>(left));
    if (n <= 0) break;
    data += n;
    left -= n;
  }
  KillNow();
}
}  // namespace
}  // namespace posix

extern "C" BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, void* overlapped) {
  if (written) *written = 0;
  posix::FileObject* open = posix::OpenFile(file);
  if (!open) return FALSE;
  if (!open->CanWrite()) return posix::FailWith(ERROR_ACCESS_DENIED);
  DWORD done = 0;
  const char* in = static_cast<const char*>(buffer);
  if (open->killAfter >= 0) posix::KillWhenDue(open, in, toWrite);
  while (done < toWrite) {
    ssize_t n = ::write(open->fd(), in + done, toWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (written) *written = done;
      return posix::FailWith(posix::Win32ErrorFromErrno(errno));
    }
    done += static_cast<DWORD>(n);
  }
  if (written) *written = done;
  return TRUE;
}

extern "C" DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) {
  posix::FileObject* open = posix::OpenFile(file);
  if (!open) return INVALID_SET_FILE_POINTER;
  int64_t move = distanceHigh
                     ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                            static_cast<uint32_t>(distance))
                     : static_cast<int64_t>(distance);
  int64_t base = 0;
  if (method == FILE_CURRENT) base = lseek(open->fd(), 0, SEEK_CUR);
  else if (method == FILE_END) {
    struct stat st;
    base = fstat(open->fd(), &st) == 0 ? st.st_size : 0;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t target = base + move;
  if (target < 0) {
    SetLastError(posix::kNegativeSeek);
    return INVALID_SET_FILE_POINTER;
  }
  if (lseek(open->fd(), target, SEEK_SET) < 0) {
    SetLastError(posix::Win32ErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
  DWORD low = static_cast<DWORD>(target);
  // A position whose low part reads like the failure value is told apart by the error code.
  if (low == INVALID_SET_FILE_POINTER) SetLastError(ERROR_SUCCESS);
  return low;
}

extern "C" DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  posix::FileObject* open = posix::OpenFile(file);
  struct stat st;
  if (!open || fstat(open->fd(), &st) != 0) {
    if (open) SetLastError(posix::Win32ErrorFromErrno(errno));
    return 0xFFFFFFFFu;  // INVALID_FILE_SIZE
  }
  uint64_t size = static_cast<uint64_t>(st.st_size);
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
  if (static_cast<DWORD>(size) == 0xFFFFFFFFu) SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

extern "C" BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
  posix::FileObject* open = posix::OpenFile(file);
  if (!open) return FALSE;
  posix::EntryTimes times;
  if (!posix::EntryTimesOfFd(open->fd(), &times)) return posix::FailWith(posix::Win32ErrorFromErrno(errno));
  if (creation) *creation = times.creation;
  if (lastAccess) *lastAccess = times.lastAccess;
  if (lastWrite) *lastWrite = times.lastWrite;
  return TRUE;
}

namespace posix {
namespace {

// NULL, zero and all-ones leave a time as it is.
struct timespec TimeToSet(const FILETIME* ft) {
  struct timespec ts;
  ts.tv_sec = 0;
  ts.tv_nsec = UTIME_OMIT;
  uint64_t value = ft ? FileTimeValue(*ft) : 0;
  if (value == 0 || value == ~0ULL) return ts;
  int64_t seconds;
  long nanoseconds;
  UnixFromFileTime(*ft, &seconds, &nanoseconds);
  ts.tv_sec = seconds;
  ts.tv_nsec = nanoseconds;
  return ts;
}

}  // namespace
}  // namespace posix

extern "C" BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess,
                            const FILETIME* lastWrite) {
  posix::FileObject* open = posix::OpenFile(file);
  if (!open) return FALSE;
  if (!open->CanWrite()) return posix::FailWith(ERROR_ACCESS_DENIED);
  // The host keeps no settable birth time: the creation time is not changed.
  struct timespec times[2] = {posix::TimeToSet(lastAccess), posix::TimeToSet(lastWrite)};
  if (futimens(open->fd(), times) != 0) return posix::FailWith(posix::Win32ErrorFromErrno(errno));
  return TRUE;
}
