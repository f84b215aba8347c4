// File names between the A functions (code page 1252) and the host (UTF-8),
// so that "Büro" made by the emulation is the same folder that Wine or a
// host tool shows as "Büro".
#include <cstdint>
#include <string>

#include "platform/posix/files_posix.h"

namespace posix {
namespace {

// Code page 1252 in 0x80..0x9F; 0 where the code page has no character and
// the byte stands for U+0080..U+009F itself.
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t CodePointOfAnsi(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0) return kCp1252High[c - 0x80];
  return c;
}

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

char AnsiOfCodePoint(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  if (cp <= 0x9F) return static_cast<char>(cp);
  return '?';  // what WideCharToMultiByte puts for a character 1252 lacks
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
    else AppendUtf8(CodePointOfAnsi(c), &out);
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
    out += AnsiOfCodePoint(DecodeUtf8(host, &i));
  }
  return out;
}

}  // namespace posix
