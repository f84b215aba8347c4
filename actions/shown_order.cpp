#include "actions/shown_order.h"

#include <cstdint>

#include "fileinfo/file_info.h"

namespace {
// Reads the number at *text and steps past it and the dot after it. Parts
// of a version are 16-bit; a longer run of digits is held at its ceiling
// rather than wrapped, so that it can never compare as small.
uint32_t TakePart(const char*& text) {
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text)
    value = value > 0xFFFFFu ? 0xFFFFFFu : value * 10 + static_cast<uint32_t>(*text - '0');
  if (*text == '.') ++text;
  return value;
}

int Sign(uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }
}  // namespace

int CompareVersionTexts(const char* a, const char* b) {
  if (!*a || !*b) return (*a ? 1 : 0) - (*b ? 1 : 0);
  for (int part = 0; part < 4; ++part) {
    int order = Sign(TakePart(a), TakePart(b));
    if (order) return order;
  }
  return 0;
}

int CompareDateTexts(const FILETIME& a, const FILETIME& b) {
  return Sign(DosStampOf(a), DosStampOf(b));
}
