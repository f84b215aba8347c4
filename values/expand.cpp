#include "values/expand.h"

#include <cstdlib>

namespace {

// A size report beyond this is not believed (Windows itself stops at 32K
// characters; the margin keeps the emulation's longer results intact).
const DWORD MaxExpandedSize = 16u << 20;

// Full expansion of text into result, for when the first attempt did not fit.
// reportedSize is what the platform said it needs. The actual length is taken
// from the text itself: the ANSI expansion of Windows may report one
// character more than it needs. Returns false when the expansion fails.
bool ExpandWhole(const char* text, DWORD reportedSize, Str& result) {
  DWORD size = reportedSize;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (size == 0 || size > MaxExpandedSize) return false;
    // One spare character beyond what was asked for covers the over-report.
    char* buffer = static_cast<char*>(malloc(size + 1));
    if (!buffer) return false;
    DWORD needed = ExpandEnvironmentStringsA(text, buffer, size + 1);
    if (needed != 0 && needed <= size + 1) {
      buffer[size] = '\0';
      result = buffer;
      free(buffer);
      return true;
    }
    free(buffer);
    size = needed;
  }
  return false;
}

}  // namespace

size_t ExpandInto(const char* text, char* buffer, size_t size) {
  if (size == 0) return 0;
  DWORD needed = ExpandEnvironmentStringsA(text, buffer, static_cast<DWORD>(size));
  if (needed != 0 && needed <= size) {
    buffer[size - 1] = '\0';
    return TextLength(buffer);
  }
  Str whole;
  if (needed == 0 || !ExpandWhole(text, needed, whole)) {
    buffer[0] = '\0';
    return 0;
  }
  return CopyToBuffer(buffer, size, whole.c_str());
}

namespace {
// The check of ExpandEnvPasString: false, with the size the text needs (its
// NUL included), when the expanded text does not fit.
bool ExpandWithinPasBuffer(const char* text, Str& result, size_t& needed) {
  char buffer[ExpandEnvPasBufferSize];
  DWORD reported = ExpandEnvironmentStringsA(text, buffer, ExpandEnvPasBufferSize);
  if (reported != 0 && reported <= ExpandEnvPasBufferSize) {
    buffer[ExpandEnvPasBufferSize - 1] = '\0';
    result = buffer;
    return true;
  }
  Str whole;
  if (reported == 0 || !ExpandWhole(text, reported, whole)) {
    // Failed outright: nothing to measure, nothing overflowed.
    result.clear();
    return true;
  }
  // Decided by the real length, so that both platforms agree on the limit.
  needed = whole.size() + 1;
  if (needed <= ExpandEnvPasBufferSize) {
    result = static_cast<Str&&>(whole);
    return true;
  }
  return false;
}
}  // namespace

bool ExpandFitsPasBuffer(const char* text, Str& result) {
  size_t needed = 0;
  return ExpandWithinPasBuffer(text, result, needed);
}

bool TryExpandEnvPasString(const char* text, Str& result, Str& overflowMessage) {
  size_t needed = 0;
  if (ExpandWithinPasBuffer(text, result, needed)) return true;
  overflowMessage = ExpandOverflowMessage(ExpandEnvPasBufferSize, text, needed);
  return false;
}

Str ExpandOverflowMessage(size_t bufferSize, const char* text, size_t needed) {
  Str message = "Buffersize = ";
  message.appendNumber(static_cast<long long>(bufferSize));
  message += " at ExpandEnvPasString ";
  message += text;
  message += " too small, ";
  message.appendNumber(static_cast<long long>(needed));
  message += " required";
  return message;
}
