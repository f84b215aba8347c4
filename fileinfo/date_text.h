// Date and time texts in the user's locale format, made by the platform's
// own locale formatting, so that a user's pictures with day or month names
// show them in the user's language.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

// The user's general date-time text of t: the short date, and unless
// withTime is false a blank and the time in the user's time format. Empty
// when the platform cannot express the date.
void LocaleDateTimeText(const SYSTEMTIME& t, bool withTime, Str& text);

// The current local date and time as text, always with the time (for the log
// header).
void CurrentDateTimeText(Str& text);

// The date text of a DOS date and time: the date, and the time unless it is
// exactly midnight.
void DosDateTimeText(WORD dosDate, WORD dosTime, Str& text);
