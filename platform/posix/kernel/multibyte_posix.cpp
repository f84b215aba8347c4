// MultiByteToWideChar for the machine's ANSI code page (1252).
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"

namespace {
const UINT WesternCodePage = 1252;

int FailWith(DWORD error) {
  SetLastError(error);
  return 0;
}
}  // namespace

extern "C" int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length,
                                   LPWSTR wide, int wideSize) {
  if (codePage != CP_ACP && codePage != WesternCodePage) return FailWith(ERROR_INVALID_PARAMETER);
  if (text == nullptr || length == 0 || length < -1 || wideSize < 0 ||
      (wide == nullptr && wideSize != 0) || (flags & ~MB_ERR_INVALID_CHARS) != 0)
    return FailWith(ERROR_INVALID_PARAMETER);
  // -1: the text and its NUL. Every byte of the code page is one character.
  int count = length == -1 ? static_cast<int>(std::strlen(text)) + 1 : length;
  if (wideSize == 0) return count;
  if (wideSize < count) return FailWith(ERROR_INSUFFICIENT_BUFFER);
  for (int i = 0; i < count; ++i)
    wide[i] = posix::CodePointFromAnsi(static_cast<unsigned char>(text[i]));
  return count;
}
