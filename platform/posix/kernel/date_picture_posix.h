// The emulation's own formatter of the Win32 date and time pictures, with
// English day and month names (the only locale the emulation knows).
#pragma once

#include <string>

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
void AppendDateTimePicture(std::string& text, const SYSTEMTIME& t, const char* picture,
                           const char* am, const char* pm);
