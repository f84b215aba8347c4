// Message boxes on a terminal: the box is a block of text on standard error;
// on an interactive terminal the user types the button.
#pragma once

#include <string>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// The block written to standard error, e.g.
//   [SETUP V1.00] Error: C:\PKG\APP.INF-not found!
//     (error) [OK]
// Line breaks of the text ("\r", "\n", "\r\n") start new, indented lines.
std::string MessageBoxBlock(const char* text, const char* caption, UINT type);

// The button id that a typed answer chooses: a button's name or its first
// letter, without regard to case; an empty answer is the default button.
// 0 when the answer names no button of the box.
int MessageBoxAnswer(const std::string& typed, UINT type);

// The default button of the box (the first, or the one MB_DEFBUTTONn names).
int MessageBoxDefault(UINT type);

}  // namespace posix
