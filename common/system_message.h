// The system's text for an error code.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

// The system's message text for code in the default language. width is the
// line width given to the platform: FORMAT_MESSAGE_MAX_WIDTH_MASK for no
// line breaks of its own, or a number of characters. Returns false (and an
// empty text) when the system has no text for the code.
bool SystemMessageText(DWORD code, DWORD width, Str& text);

// The system's text for code as one line for a box or the log: no line
// breaks of its own and without the blanks and line end that the system's
// texts close with. False (and an empty text) when the system has none.
bool SystemMessageLine(DWORD code, Str& text);
