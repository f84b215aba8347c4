// Scratch files through CreateFileA, ReadFile and WriteFile.
#include "tests/contract/scratch.h"

#include <stdio.h>
#include <string.h>

namespace contract {

bool WriteBytes(const char* path, const void* bytes, size_t length) {
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
  return ok && written == length;
}

bool WriteText(const char* path, const char* text) { return WriteBytes(path, text, strlen(text)); }

long ReadBytes(const char* path, char* buffer, size_t capacity) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  DWORD read = 0;
  if (!ReadFile(file, buffer, static_cast<DWORD>(capacity - 1), &read, nullptr)) read = 0;
  CloseHandle(file);
  buffer[read] = '\0';
  return static_cast<long>(read);
}

void MakeScratchFolder(const char* name, char* path) {
  CreateDirectoryA("C:\\contract", nullptr);
  snprintf(path, MAX_PATH, "C:\\contract\\%s", name);
  CreateDirectoryA(path, nullptr);
}

void JoinPath(const char* folder, const char* name, char* out) {
  snprintf(out, MAX_PATH, "%s\\%s", folder, name);
}

}  // namespace contract
