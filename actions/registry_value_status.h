// How a value about to be written compares with what the registry holds.
#pragma once

#include "platform/platform.h"

// " created" when key has no value name, " refreshed" when it holds the same
// type and the same bytes, " changed" when the same type with other data,
// " set" when another type (or 2601 bytes or more) stands there. data is the
// text with its NUL for REG_SZ, the four bytes for REG_DWORD.
const char* StatusOfNewValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
