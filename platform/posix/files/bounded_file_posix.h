// Reading an untrusted file piece by piece: every read names its offset and
// length and fails, rather than reading short or past the end, when the
// file does not hold those bytes. Executables are parsed through this so
// that no header field can make us read more than it takes to check it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace posix {

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

}  // namespace posix
