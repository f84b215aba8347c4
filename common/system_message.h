// The system's text for an error code.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

// The system's message text for code in the default language. width is the
// line width given to the platform: FORMAT_MESSAGE_MAX_WIDTH_MASK for no
// line breaks of its own, or a number of characters. Returns false (and an
// empty text) when the system has no text for the code.
bool SystemMessageText(DWORD code, DWORD width, Str& text);

// The system's text for code on one line, without the blanks and line break
// the system ends it with, for a log line or a message that goes on. Empty
// when the system has no text for the code.
Str SystemReasonText(DWORD code);

// The same, or "error " and the code in decimal when the system has no text
// for it: a failure is never reported without a reason.
Str SystemReasonOrNumber(DWORD code);
