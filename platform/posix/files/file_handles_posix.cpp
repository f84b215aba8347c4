// CreateFileA: opening and creating files with the Win32 access rights,
// share modes and creation dispositions. We run as the host user, who may
// even be root, so the read-only attribute is checked here rather than left
// to the host's permissions.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

constexpr DWORD kGenericAll = 0x10000000;
constexpr DWORD kFileReadData = 0x0001;
constexpr DWORD kFileWriteData = 0x0002;
constexpr DWORD kFileAppendData = 0x0004;
constexpr DWORD kBackupSemantics = 0x02000000;
constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD GenericAccessOf(DWORD access) {
  DWORD generic = 0;
  if (access & (GENERIC_READ | kGenericAll | kFileReadData)) generic |= GENERIC_READ;
  if (access & (GENERIC_WRITE | kGenericAll | kFileWriteData | kFileAppendData)) generic |= GENERIC_WRITE;
  return generic;
}

int OpenFlagsFor(DWORD generic) {
  if ((generic & GENERIC_READ) && (generic & GENERIC_WRITE)) return O_RDWR;
  return (generic & GENERIC_WRITE) ? O_WRONLY : O_RDONLY;
}

// Refusals Windows makes before touching an existing file.
DWORD CheckExisting(const std::string& host, const struct stat& st, DWORD generic, DWORD creation,
                    DWORD flags) {
  if (creation == CREATE_NEW) return ERROR_FILE_EXISTS;
  bool replaces = creation == CREATE_ALWAYS || creation == TRUNCATE_EXISTING;
  // Only writing or replacing depends on the attributes: reading needs no
  // look at them (a file's dates and versions are read for every file).
  if (!(generic & GENERIC_WRITE) && !replaces) return ERROR_SUCCESS;
  DWORD attributes = AttributesFromStat(host, st);
  if ((attributes & FILE_ATTRIBUTE_READONLY) && ((generic & GENERIC_WRITE) || replaces))
    return ERROR_ACCESS_DENIED;
  // Replacing a hidden or system file needs those attributes asked for again.
  if (creation == CREATE_ALWAYS && (attributes & kHiddenOrSystem & ~flags)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// A new or replaced file takes the attributes asked for, and ARCHIVE. A file
// this call made has no stored attributes yet: plain ARCHIVE needs no write.
void ApplyCreationAttributes(int fd, DWORD flags, bool madeHere) {
  DWORD stored = (flags & kHiddenOrSystem) | FILE_ATTRIBUTE_ARCHIVE;
  bool plain = stored == FILE_ATTRIBUTE_ARCHIVE;
  if (!(plain && madeHere)) WriteDosAttribFd(fd, stored, plain);
  if (flags & FILE_ATTRIBUTE_READONLY) {
    struct stat st;
    if (fstat(fd, &st) == 0) fchmod(fd, st.st_mode & 07777 & ~0222);
  }
}

int OpenForCall(const std::string& host, bool exists, DWORD generic, bool directory) {
  int oflags = OpenFlagsFor(generic) | O_CLOEXEC;
  if (directory) return open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (!exists) oflags |= O_CREAT | O_EXCL;
  int fd = open(host.c_str(), oflags, 0666);
  // Opening only to ask about a file works without the right to read it.
  if (fd < 0 && generic == 0 && errno == EACCES) fd = open(host.c_str(), O_PATH | O_CLOEXEC);
  return fd;
}

}  // namespace

// A file that its lookup opened to read: only the share modes can refuse it.
HANDLE HandleForOpenFile(int fd, const struct stat& st, DWORD generic, DWORD shareMode) {
  int shareId = RegisterOpen(st.st_dev, st.st_ino, generic, shareMode);
  if (!shareId) {
    close(fd);
    SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  auto* object = new FileObject(fd, generic, shareId);
  object->regular = true;
  SetLastError(ERROR_SUCCESS);
  return NewHandle(object);
}

FileObject::~FileObject() {
  if (fd_ >= 0) close(fd_);
  if (shareId_) ForgetOpen(shareId_);
}

}  // namespace posix

extern "C" HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                              LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                              HANDLE templateFile) {
  std::string host;
  posix::PathLook look;
  DWORD generic = posix::GenericAccessOf(access);
  look.openToRead = generic == GENERIC_READ && creation == OPEN_EXISTING && !(access & (DELETE | posix::kGenericAll));
  if (!posix::HostPathForCall(fileName, &host, &look)) return INVALID_HANDLE_VALUE;
  if (look.readFd >= 0) return posix::HandleForOpenFile(look.readFd, look.st, generic, shareMode);
  if (creation < CREATE_NEW || creation > TRUNCATE_EXISTING ||
      (creation == TRUNCATE_EXISTING && !(generic & GENERIC_WRITE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  struct stat st;
  bool exists = posix::StatLooked(host, look, &st);
  DWORD refusal = ERROR_SUCCESS;
  if (!exists && errno != ENOENT) refusal = posix::Win32ErrorFromErrno(errno);
  else if (!exists && (creation == OPEN_EXISTING || creation == TRUNCATE_EXISTING)) refusal = posix::MissingPathError(host, look);
  else if (!exists && posix::MissingPathError(host, look) == ERROR_PATH_NOT_FOUND) refusal = ERROR_PATH_NOT_FOUND;
  else if (exists && S_ISDIR(st.st_mode) && !(flags & posix::kBackupSemantics)) refusal = ERROR_ACCESS_DENIED;
  else if (exists) refusal = posix::CheckExisting(host, st, generic, creation, flags);
  if (refusal != ERROR_SUCCESS) {
    SetLastError(refusal);
    return INVALID_HANDLE_VALUE;
  }
  bool directory = exists && S_ISDIR(st.st_mode);
  int fd = posix::OpenForCall(host, exists, generic, directory);
  if (fd < 0) {
    SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : posix::Win32ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  fstat(fd, &st);
  DWORD deletion = access & (DELETE | posix::kGenericAll);
  int shareId = posix::RegisterOpen(st.st_dev, st.st_ino, generic | (deletion ? posix::kDeleteAccess : 0), shareMode);
  if (!shareId) {
    close(fd);
    if (!exists) unlink(host.c_str());
    SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  bool replaced = exists && (creation == CREATE_ALWAYS || creation == TRUNCATE_EXISTING);
  if (replaced && ftruncate(fd, 0) != 0) {
    DWORD error = posix::Win32ErrorFromErrno(errno);
    close(fd);
    posix::ForgetOpen(shareId);
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  if (!exists) posix::NoteEntryAdded(posix::HostParent(host), posix::HostLeaf(host));
  if (!exists || creation == CREATE_ALWAYS) posix::ApplyCreationAttributes(fd, flags, !exists);
  auto* object = new posix::FileObject(fd, generic, shareId);
  object->regular = S_ISREG(st.st_mode);
  // Only a handle with DELETE can rename its file: only it keeps the names.
  if (deletion) {
    object->winPath = posix::FullWinPath(fileName);
    object->hostPath = host;
    object->openedAs = st;
    object->mayDelete = true;
  }
  if (creation == CREATE_NEW && (generic & GENERIC_WRITE)) object->killAfter = posix::KillAfterBytesOfThisCopy();
  HANDLE handle = posix::NewHandle(object);
  // Opening an existing file "always" succeeds with ERROR_ALREADY_EXISTS.
  SetLastError(exists && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                : ERROR_SUCCESS);
  return handle;
}
