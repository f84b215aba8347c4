// Files of the simulated machine: attributes, times, open files, bounded
// reads and the test faults of copies and searches.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"

namespace posix {

// ---- file attributes (attributes_posix.cpp) ----

// The Win32 attributes of a host path, INVALID_FILE_ATTRIBUTES when it does
// not exist. Read-only is the lack of the owner's write permission; hidden
// and system come from the extended attribute user.DOSATTRIB as Samba and
// Wine keep it.
DWORD HostAttributes(const std::string& hostPath);
bool SetHostAttributes(const std::string& hostPath, DWORD attributes);

// The attributes of an entry whose stat the caller already has.
DWORD AttributesFromStat(const std::string& hostPath, const struct stat& st);
// HIDDEN, SYSTEM and ARCHIVE as the user.DOSATTRIB extended attribute keeps
// them; false when the file has no such attribute.
bool ReadDosAttrib(const std::string& hostPath, DWORD* attributes);
// Stores HIDDEN, SYSTEM and ARCHIVE (removes the attribute when `remove`).
bool WriteDosAttrib(const std::string& hostPath, DWORD attributes, bool remove);
bool WriteDosAttribFd(int fd, DWORD attributes, bool remove);
// The attribute bits kept in user.DOSATTRIB.
constexpr DWORD kStoredAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// ---- times (file_time_posix.cpp) ----

struct EntryTimes {
  FILETIME creation;
  FILETIME lastAccess;
  FILETIME lastWrite;
};
// The three Windows times of an open file, or of a path with its mode and
// size from a single look; the creation time is the birth time where the
// host records one.
bool EntryTimesOfFd(int fd, EntryTimes* times);
bool EntryOfPath(const std::string& hostPath, EntryTimes* times, mode_t* mode, uint64_t* size);

// ---- open files (file_handles_posix.cpp) ----

class FileObject : public HandleObject {
 public:
  FileObject(int fd, DWORD access, int shareId) : fd_(fd), access_(access), shareId_(shareId) {}
  ~FileObject() override;
  int fd() const { return fd_; }
  bool CanRead() const { return access_ & GENERIC_READ; }
  bool CanWrite() const { return access_ & GENERIC_WRITE; }
  int shareId() const { return shareId_; }
  // The test hook's kill point for a file created new for writing (a copy
  // made through the handles): bytes still to go, or -1.
  long long killAfter = -1;
  // Where the file is (its full Windows path and the host path), and
  // whether the handle may rename it (DELETE access), for NtSetInformationFile.
  std::string winPath;
  std::string hostPath;
  struct stat openedAs;  // the file's fstat when it was opened (device and inode stay)
  bool mayDelete = false;
  // A regular file, where a short read means the end of the file.
  bool regular = false;

 private:
  int fd_;
  DWORD access_;  // GENERIC_READ and/or GENERIC_WRITE
  int shareId_;
};

// A handle for a regular file that its lookup opened to read (CreateFileA
// asked for reading an existing file); the fd is closed on a refusal.
HANDLE HandleForOpenFile(int fd, const struct stat& st, DWORD generic, DWORD shareMode);

// ---- bounded reads of untrusted files (bounded_file_posix.cpp) ----

class BoundedFile {
 public:
  BoundedFile() = default;
  BoundedFile(const BoundedFile&) = delete;
  BoundedFile& operator=(const BoundedFile&) = delete;
  ~BoundedFile();

  // Opens a regular host file for reading; on failure *err is the errno
  // (EISDIR for a directory).
  bool Open(const std::string& hostPath, int* err);
  uint64_t size() const { return size_; }
  // Reads exactly length bytes at offset, false when they are not all there.
  bool ReadAt(uint64_t offset, void* buffer, size_t length) const;
  bool ReadU16(uint64_t offset, uint16_t* value) const;
  bool ReadU32(uint64_t offset, uint32_t* value) const;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Little-endian fields out of bytes already read.
inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// ---- faults for the tests (test_faults_posix.cpp) ----

// Called once by every CopyFileA that gets to write: the number of bytes after
// which this copy is to kill the process, or -1 (the usual case).
long long KillAfterBytesOfThisCopy();
[[noreturn]] void KillNow();

// With the host variable SETUP_TEST_MEDIUM_GONE_AFTER=N, the Nth call of
// FindNextFileA in the process first moves the searched folder away, as if
// its medium were taken out; the folder stays beside, renamed to
// "<folder>.gone". No effect without the variable.
void TakeMediumAwayWhenDue(const std::string& hostDir);

}  // namespace posix
