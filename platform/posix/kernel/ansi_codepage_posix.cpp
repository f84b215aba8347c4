// The ANSI code page of the emulated machine (1252, Western European) where
// Unicode text has to become the bytes the A functions see, and those bytes
// become UTF-16 again (MultiByteToWideChar).
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"

namespace posix {
namespace {

// The characters that code page 1252 places in 0x80..0x9F; 0 where the code
// page has no character (Windows passes those bytes through as U+0080..U+009F).
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const UINT kWesternCodePage = 1252;

int FailWithZeroCount(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

char AnsiFromCodePoint(uint32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  if (c <= 0x9F) return kHighControls[c - 0x80] == 0 ? static_cast<char>(c) : '?';
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return '?';  // the default character of WideCharToMultiByte
}

unsigned char UpperAnsi(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

uint16_t CodePointFromAnsi(unsigned char c) {
  if (c < 0x80 || c > 0x9F) return c;
  return kHighControls[c - 0x80] == 0 ? c : kHighControls[c - 0x80];
}

std::string AnsiFromUtf16(const std::string& utf16le) {
  std::string out;
  out.reserve(utf16le.size() / 2);
  for (size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    uint16_t c = static_cast<unsigned char>(utf16le[i]) |
                 static_cast<uint16_t>(static_cast<unsigned char>(utf16le[i + 1]) << 8);
    // A surrogate pair is one character that the code page cannot show.
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < utf16le.size()) {
      uint16_t next = static_cast<unsigned char>(utf16le[i + 2]) |
                      static_cast<uint16_t>(static_cast<unsigned char>(utf16le[i + 3]) << 8);
      if (next >= 0xDC00 && next <= 0xDFFF) i += 2;
    }
    out += AnsiFromCodePoint(c);
  }
  return out;
}

}  // namespace posix

extern "C" int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length,
                                   LPWSTR wide, int wideSize) {
  using posix::FailWithZeroCount;
  if (codePage != CP_ACP && codePage != posix::kWesternCodePage)
    return FailWithZeroCount(ERROR_INVALID_PARAMETER);
  if (text == nullptr || length == 0 || length < -1 || wideSize < 0 ||
      (wide == nullptr && wideSize != 0) || (flags & ~MB_ERR_INVALID_CHARS) != 0)
    return FailWithZeroCount(ERROR_INVALID_PARAMETER);
  // -1: the text and its NUL. Every byte of the code page is one character.
  int count = length == -1 ? static_cast<int>(std::strlen(text)) + 1 : length;
  if (wideSize == 0) return count;
  if (wideSize < count) return FailWithZeroCount(ERROR_INSUFFICIENT_BUFFER);
  for (int i = 0; i < count; ++i)
    wide[i] = posix::CodePointFromAnsi(static_cast<unsigned char>(text[i]));
  return count;
}
