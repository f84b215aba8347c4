// The thread's last error, the Win32 code for a host errno value, and how
// the A functions hand results and failures back.
#include <cerrno>
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"

// The thread's last error code.
namespace {
thread_local DWORD g_lastError = 0;
}

extern "C" DWORD GetLastError(void) { return g_lastError; }
extern "C" void SetLastError(DWORD code) { g_lastError = code; }

// The Win32 error code Windows gives where the host reports an errno value.
namespace posix {

DWORD Win32ErrorFromErrno(int err) {
  switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EIO: return ERROR_IO_DEVICE;
    default: return ERROR_GEN_FAILURE;  // as Wine reports an unexpected host error
  }
}

// How the A functions hand results back.

BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD FailWithZero(DWORD error) {
  SetLastError(error);
  return 0;
}

DWORD CopyOutText(const std::string& text, char* buffer, DWORD size) {
  DWORD length = static_cast<DWORD>(text.size());
  if (!buffer || size <= length) return length + 1;
  std::memcpy(buffer, text.c_str(), length + 1);
  return length;
}

}  // namespace posix
