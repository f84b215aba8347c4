// Kernel handles of the emulation: one table for every kind of object a
// HANDLE can stand for (open files, directory searches, processes), so that
// CloseHandle can release any of them.
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// An object behind a HANDLE. Each kind derives from it and releases what it
// holds in its destructor.
class HandleObject {
 public:
  virtual ~HandleObject() = default;
};

// Enters an object (taking ownership) and returns its new handle.
HANDLE NewHandle(HandleObject* object);
// The object of a handle, nullptr for a handle that is not open.
HandleObject* ObjectOfHandle(HANDLE handle);
template <class T>
T* HandleAs(HANDLE handle) {
  return dynamic_cast<T*>(ObjectOfHandle(handle));
}
// Destroys the object and frees the handle; false when it was not open.
bool CloseHandleObject(HANDLE handle);

// ---- sharing of open files within the process (sharing_posix.cpp) ----

// Windows refuses to open a file in a way that another open handle does not
// share (ERROR_SHARING_VIOLATION). Access and share use the Win32 bits
// (GENERIC_READ, GENERIC_WRITE, DELETE; FILE_SHARE_*).
constexpr DWORD kDeleteAccess = 0x00010000;
// Registers an open of the file (dev, ino); returns 0 when it conflicts
// with an open already registered, else an id for ForgetOpen.
int RegisterOpen(dev_t dev, ino_t ino, DWORD access, DWORD share);
void ForgetOpen(int id);
// True when no open handle of the file forbids that access.
bool AccessShared(dev_t dev, ino_t ino, DWORD access);
// True when the process holds any handle of the file open.
bool IsOpenHere(dev_t dev, ino_t ino);

// ---- open files (file_handles_posix.cpp) ----

class FileObject : public HandleObject {
 public:
  FileObject(int fd, DWORD access, int shareId) : fd_(fd), access_(access), shareId_(shareId) {}
  ~FileObject() override;
  int fd() const { return fd_; }
  bool CanRead() const { return access_ & GENERIC_READ; }
  bool CanWrite() const { return access_ & GENERIC_WRITE; }

 private:
  int fd_;
  DWORD access_;  // GENERIC_READ and/or GENERIC_WRITE
  int shareId_;
};

}  // namespace posix
