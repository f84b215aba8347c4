// Date and time texts in the user's locale format, made by our own small
// formatter from the locale's pictures, so that every platform writes the
// same text for the same pictures.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

// Appends the date and/or time of t to text as the picture says. Picture
// elements (as in the Win32 locale pictures): d dd ddd dddd (day, two digits,
// short and full English day name), M MM MMM MMMM (month likewise), y yy
// (year in two digits, the first without a leading zero), yyy and more (the
// full year), h hh (12-hour clock), H HH (24-hour clock), m mm, s ss, t (first
// character of the AM or PM designator), tt (the whole designator). Text in
// single quotes is taken literally ('' inside gives one quote); every other
// character is copied as it stands. The day name is computed from the date, so
// t.wDayOfWeek is not needed.
void AppendDateTimePicture(Str& text, const SYSTEMTIME& t, const char* picture,
                           const char* am, const char* pm);

// The user's general date-time text of t: the short date picture, and unless
// withTime is false a blank and the long time picture. The pictures and the
// AM and PM designators come from the user's locale; where the locale gives
// none, those of English (United States) are used.
void LocaleDateTimeText(const SYSTEMTIME& t, bool withTime, Str& text);

// The current local date and time as text, always with the time (for the log
// header).
void CurrentDateTimeText(Str& text);

// The date text of a DOS date and time: the date, and the time unless it is
// exactly midnight.
void DosDateTimeText(WORD dosDate, WORD dosTime, Str& text);
