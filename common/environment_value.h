// Reading a process environment variable into a fixed buffer.
#pragma once

#include <cstddef>

// Reads variable name into buffer (size characters, the NUL included). A
// value longer than the buffer is cut to size - 1 characters; a variable
// that is not set gives the empty text. Returns the number of characters
// stored (0 for an unset or empty variable, as the platform makes no
// difference between the two).
size_t ReadEnvironmentValue(const char* name, char* buffer, size_t size);

template <size_t Size>
size_t ReadEnvironmentValue(const char* name, char (&buffer)[Size]) {
  return ReadEnvironmentValue(name, buffer, Size);
}
