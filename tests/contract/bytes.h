// Byte strings with NULs inside, for the rows of the tables.
#pragma once

#include <stddef.h>

namespace contract {

struct Bytes {
  const char* data;  // nullptr: no such file / nothing given
  size_t length;
};

}  // namespace contract

// A literal with its length, so that embedded NULs count.
#define BYTES(literal) (contract::Bytes{literal, sizeof(literal) - 1})
#define NO_BYTES (contract::Bytes{nullptr, 0})
