// File names between the A functions (code page 1252) and the host (UTF-8),
// so that "Büro" made by the emulation is the same folder that Wine or a
// host tool shows as "Büro".
#include <cstdint>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at s[i]; a byte that starts no valid sequence
// stands for itself (host names need not be UTF-8).
uint32_t DecodeUtf8(const std::string& s, size_t* i) {
  unsigned char c = static_cast<unsigned char>(s[*i]);
  int extra = (c >= 0xC2 && c < 0xE0) ? 1 : (c >= 0xE0 && c < 0xF0) ? 2 : (c >= 0xF0 && c < 0xF5) ? 3 : 0;
  if (extra == 0 || *i + extra >= s.size()) {
    ++*i;
    return c;
  }
  uint32_t cp = c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = static_cast<unsigned char>(s[*i + k]);
    if ((next & 0xC0) != 0x80) {
      ++*i;
      return c;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  *i += extra + 1;
  return cp;
}

}  // namespace

std::string HostNameFromAnsi(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (unsigned char c : ansi) {
    if (c < 0x80) out += static_cast<char>(c);
    else AppendUtf8(CodePointFromAnsi(c), &out);
  }
  return out;
}

std::string AnsiFromHostName(const std::string& host) {
  std::string out;
  out.reserve(host.size());
  size_t i = 0;
  while (i < host.size()) {
    if (static_cast<unsigned char>(host[i]) < 0x80) {
      out += host[i++];
      continue;
    }
    out += AnsiFromCodePoint(DecodeUtf8(host, &i));
  }
  return out;
}

}  // namespace posix
