// The HIDDEN, SYSTEM and ARCHIVE attributes in the extended attribute
// user.DOSATTRIB, in the forms Samba and Wine use:
//   - text "0x22" (hexadecimal attribute bits), which Wine reads and writes
//     and Samba 3 wrote;
//   - Samba 4's binary record: a NUL-terminated text (the same hexadecimal
//     form, or empty), then a 16-bit version, a 32-bit copy of it, 32-bit
//     valid-field flags and the 32-bit attributes, little-endian.
// We write the text form, which both of them read.
#include <sys/xattr.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/posix/files/files_posix.h"

namespace posix {
namespace {

const char kAttributeName[] = "user.DOSATTRIB";

uint32_t LittleEndian32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool ParseDosAttrib(const char* data, ssize_t length, DWORD* attributes) {
  if (length <= 0) return false;
  const char* nul = static_cast<const char*>(std::memchr(data, 0, length));
  std::string text(data, nul ? nul - data : length);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + 2, &end, 16);
    if (end && *end == 0) {
      *attributes = static_cast<DWORD>(value) & kStoredAttributes;
      return true;
    }
    return false;
  }
  if (!nul) return false;
  // Samba 4 record after an empty text: version 3, 4 or 5 carry the attributes.
  const unsigned char* record = reinterpret_cast<const unsigned char*>(nul + 1);
  ssize_t left = length - (nul + 1 - data);
  if (left < 2 + 4 + 4 + 4) return false;
  unsigned version = record[0] | (record[1] << 8);
  if (version < 3 || version > 5 || LittleEndian32(record + 2) != version) return false;
  *attributes = LittleEndian32(record + 10) & kStoredAttributes;
  return true;
}

int FormatDosAttrib(DWORD attributes, char* out, size_t size) {
  return std::snprintf(out, size, "0x%x", static_cast<unsigned>(attributes & kStoredAttributes));
}

}  // namespace

bool ReadDosAttrib(const std::string& hostPath, DWORD* attributes) {
  char data[256];
  ssize_t length = getxattr(hostPath.c_str(), kAttributeName, data, sizeof data);
  return ParseDosAttrib(data, length, attributes);
}

bool WriteDosAttrib(const std::string& hostPath, DWORD attributes, bool remove) {
  if (remove) return removexattr(hostPath.c_str(), kAttributeName) == 0 || errno == ENODATA || errno == ENOTSUP;
  char text[16];
  int length = FormatDosAttrib(attributes, text, sizeof text);
  return setxattr(hostPath.c_str(), kAttributeName, text, length, 0) == 0;
}

bool WriteDosAttribFd(int fd, DWORD attributes, bool remove) {
  if (remove) return fremovexattr(fd, kAttributeName) == 0 || errno == ENODATA || errno == ENOTSUP;
  char text[16];
  int length = FormatDosAttrib(attributes, text, sizeof text);
  return fsetxattr(fd, kAttributeName, text, length, 0) == 0;
}

}  // namespace posix
