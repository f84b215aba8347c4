#include "actions/registry_value_status.h"

#include <string.h>

namespace {
// Larger values are not compared, only replaced.
enum { CompareBufferSize = 2601 };

// Stored strings are compared without the NUL that ends them: a value
// written without its NUL holds the same text.
bool SameString(const BYTE* present, DWORD presentSize, const BYTE* data, DWORD size) {
  if (presentSize > 0 && present[presentSize - 1] == 0) --presentSize;
  if (size > 0 && data[size - 1] == 0) --size;
  return presentSize == size && memcmp(present, data, size) == 0;
}
}  // namespace

const char* StatusOfNewValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  DWORD presentType = REG_NONE;
  DWORD presentSize = 0;
  if (RegQueryValueExA(key, name, nullptr, &presentType, nullptr, &presentSize) != ERROR_SUCCESS)
    return " created";
  if (presentType != type || presentSize >= CompareBufferSize) return " set";
  BYTE present[CompareBufferSize];
  presentSize = sizeof present;
  if (RegQueryValueExA(key, name, nullptr, &presentType, present, &presentSize) != ERROR_SUCCESS ||
      presentType != type || presentSize >= CompareBufferSize)
    return " set";  // changed between the two queries: nothing to compare
  bool same = type == REG_DWORD
                  ? presentSize == size && memcmp(present, data, size) == 0
                  : SameString(present, presentSize, data, size);
  return same ? " refreshed" : " changed";
}
