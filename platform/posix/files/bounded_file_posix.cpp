// Bounded reads of an untrusted host file.
#include "platform/posix/files/files_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace posix {

BoundedFile::~BoundedFile() {
  if (fd_ >= 0) close(fd_);
}

bool BoundedFile::Open(const std::string& hostPath, int* err) {
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *err = errno;
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<uint64_t>(st.st_size);
  return true;
}

bool BoundedFile::ReadAt(uint64_t offset, void* buffer, size_t length) const {
  if (fd_ < 0 || offset > size_ || length > size_ - offset) return false;
  auto* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < length) {
    ssize_t n = pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // the file shrank under us
    done += static_cast<size_t>(n);
  }
  return true;
}

bool BoundedFile::ReadU16(uint64_t offset, uint16_t* value) const {
  uint8_t b[2];
  if (!ReadAt(offset, b, sizeof b)) return false;
  *value = LoadU16(b);
  return true;
}

bool BoundedFile::ReadU32(uint64_t offset, uint32_t* value) const {
  uint8_t b[4];
  if (!ReadAt(offset, b, sizeof b)) return false;
  *value = LoadU32(b);
  return true;
}

}  // namespace posix
