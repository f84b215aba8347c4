// Files of the tests, made and read through the API under test itself, in
// the scratch folder C:\contract that each run starts without.
#pragma once

#include <stddef.h>

#include "platform/platform.h"

namespace contract {

// Writes the bytes as the whole file; false when it cannot be created.
bool WriteBytes(const char* path, const void* bytes, size_t length);
bool WriteText(const char* path, const char* text);
// Reads at most capacity-1 bytes and ends them with a NUL; the count read,
// or -1 when the file cannot be opened.
long ReadBytes(const char* path, char* buffer, size_t capacity);
// A fresh empty folder C:\contract\<name>, its path in `path` (MAX_PATH).
void MakeScratchFolder(const char* name, char* path);
// "<folder>\<name>" into `out` (MAX_PATH).
void JoinPath(const char* folder, const char* name, char* out);

}  // namespace contract
