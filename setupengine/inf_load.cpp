// Reads a file whole through the platform's file functions.
#include "setupengine/inf_load.h"

#include "platform/platform.h"

bool ReadWholeFile(const char* path, Str* content, unsigned long* error) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return false;
  }
  DWORD size = GetFileSize(file, nullptr);
  content->clear();
  char* buffer = content->reserve(size);
  DWORD read = 0;
  BOOL ok = ReadFile(file, buffer, size, &read, nullptr);
  *error = ok ? 0 : GetLastError();
  CloseHandle(file);
  content->setLength(ok ? read : 0);
  return ok != 0;
}
