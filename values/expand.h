// %name% expansion of control-file values through the process environment.
//
// A reference to a variable that is not set stays as written, percent signs
// included; a value that itself holds a reference is inserted unexpanded (the
// platform expands in one pass).
#pragma once

#include <cstddef>

#include "common/str.h"
#include "platform/platform.h"

// Expands text into buffer (size characters, the NUL included). A result that
// does not fit is cut to size - 1 characters, the same on every platform
// (Windows leaves such a buffer undefined, so the cut is made from a full
// expansion). An expansion that fails outright gives the empty text.
// Returns the number of characters stored, without the NUL.
size_t ExpandInto(const char* text, char* buffer, size_t size);

template <size_t Size>
size_t ExpandInto(const char* text, char (&buffer)[Size]) {
  return ExpandInto(text, buffer, Size);
}

// The buffer size that ExpandEnvPasString promises: a result of up to 520
// characters is accepted.
enum { ExpandEnvPasBufferSize = 521 };

// The checking half of ExpandEnvPasString, without ending the run: on success
// result := the expanded text and true; when the expanded text needs more than
// ExpandEnvPasBufferSize characters (its NUL included), overflowMessage := the
// EBufferOverflow message and false. A failed expansion gives the empty text.
bool TryExpandEnvPasString(const char* text, Str& result, Str& overflowMessage);

// The same check for a caller that reports an overflow in its own words.
bool ExpandFitsPasBuffer(const char* text, Str& result);

// "Buffersize = <bufferSize> at ExpandEnvPasString <text> too small, <needed>
// required", text unexpanded, needed with the NUL.
Str ExpandOverflowMessage(size_t bufferSize, const char* text, size_t needed);

// The expanded text of text. When it would need more than 521 characters (the
// NUL included), the run ends with the uncaught error EBufferOverflow: nothing
// in the installer handles it, so this does not return then.
Str ExpandEnvPasString(const char* text);
