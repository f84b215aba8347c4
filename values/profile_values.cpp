#include "values/profile_values.h"

DWORD ReadProfileValue(const char* file, const char* section, const char* key, char* buffer,
                       DWORD size) {
  if (size == 0) return 0;
  DWORD length = GetPrivateProfileStringA(section, key, "", buffer, size, file);
  // The platform terminates what it stores; this only guards the callers'
  // buffer against a platform that reports more than it may.
  if (length > size - 1) length = size - 1;
  buffer[length] = '\0';
  return length;
}

DWORD ReadProfileKeyList(const char* file, const char* section, char* buffer, DWORD size) {
  if (size < 2) {
    if (size) buffer[0] = '\0';
    return 0;
  }
  DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer, size, file);
  // Below 1 means no keys. A list has at most size - 2 characters before its
  // final NUL; the two NULs behind the last name are set again so that a walk
  // never runs past the buffer, whatever the platform left there.
  if (length < 1) length = 0;
  if (length > size - 2) length = size - 2;
  buffer[length] = '\0';
  buffer[length + 1] = '\0';
  return length;
}
