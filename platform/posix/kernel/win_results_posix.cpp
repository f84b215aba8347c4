// How the A functions hand results back.
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"

namespace posix {

BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD FailWithZero(DWORD error) {
  SetLastError(error);
  return 0;
}

DWORD CopyOutText(const std::string& text, char* buffer, DWORD size) {
  DWORD length = static_cast<DWORD>(text.size());
  if (!buffer || size <= length) return length + 1;
  std::memcpy(buffer, text.c_str(), length + 1);
  return length;
}

}  // namespace posix
