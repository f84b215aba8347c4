#include "common/environment_value.h"

#include "common/str.h"
#include "platform/platform.h"

size_t ReadEnvironmentValue(const char* name, char* buffer, size_t size) {
  if (size == 0) return 0;
  buffer[0] = '\0';
  DWORD length = GetEnvironmentVariableA(name, buffer, static_cast<DWORD>(size));
  if (length == 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (length < size) return length;
  // Too long for the buffer: the platform left it untouched and told the
  // size it needs; read the whole value and keep its beginning.
  Str whole;
  char* room = whole.reserve(length);
  DWORD again = GetEnvironmentVariableA(name, room, length + 1);
  if (again == 0 || again > length) {
    buffer[0] = '\0';
    return 0;
  }
  whole.setLength(again);
  return CopyToBuffer(buffer, size, whole.c_str());
}
