// The emulation's date and time picture formatter, behind its
// GetDateFormatA and GetTimeFormatA.
#include "platform/posix/kernel/kernel_posix.h"

#include <string.h>

namespace {

const char* const DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const MonthNames[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};

// 0 = Sunday, for a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
  static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

void AppendNumber(std::string& text, unsigned value, int minDigits) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  while (count < minDigits) digits[count++] = '0';
  while (count) text += digits[--count];
}

// A name, whole or as its first three letters.
void AppendName(std::string& text, const char* name, bool whole) {
  text.append(name, whole ? strlen(name) : 3);
}

void AppendElement(std::string& text, const SYSTEMTIME& t, char c, int n, const char* am,
                   const char* pm) {
  switch (c) {
    case 'd':
      if (n <= 2) AppendNumber(text, t.wDay, n);
      else if (t.wYear >= 1 && t.wMonth >= 1 && t.wMonth <= 12)
        AppendName(text, DayNames[DayOfWeek(t.wYear, t.wMonth, t.wDay)], n >= 4);
      break;
    case 'M':
      if (n <= 2) AppendNumber(text, t.wMonth, n);
      else if (t.wMonth >= 1 && t.wMonth <= 12)
        AppendName(text, MonthNames[t.wMonth - 1], n >= 4);
      break;
    case 'y':
      if (n <= 2) AppendNumber(text, t.wYear % 100, n);
      else AppendNumber(text, t.wYear, 1);
      break;
    case 'h': {
      unsigned hour = t.wHour % 12;
      AppendNumber(text, hour ? hour : 12, n >= 2 ? 2 : 1);
      break;
    }
    case 'H': AppendNumber(text, t.wHour, n >= 2 ? 2 : 1); break;
    case 'm': AppendNumber(text, t.wMinute, n >= 2 ? 2 : 1); break;
    case 's': AppendNumber(text, t.wSecond, n >= 2 ? 2 : 1); break;
    case 't': {
      const char* designator = t.wHour < 12 ? am : pm;
      if (n == 1) {
        if (*designator) text += designator[0];
      } else {
        text += designator;
      }
      break;
    }
  }
}

bool IsPictureLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't';
}

}  // namespace

void AppendDateTimePicture(std::string& text, const SYSTEMTIME& t, const char* picture,
                           const char* am, const char* pm) {
  const char* p = picture;
  while (*p) {
    if (*p == '\'') {
      // A quoted literal; '' inside it is one quote. An open quote runs to
      // the end of the picture.
      ++p;
      while (*p) {
        if (*p == '\'') {
          if (p[1] != '\'') {
            ++p;
            break;
          }
          ++p;
        }
        text += *p++;
      }
      continue;
    }
    if (IsPictureLetter(*p)) {
      char c = *p;
      int n = 0;
      while (*p == c) ++p, ++n;
      AppendElement(text, t, c, n, am, pm);
      continue;
    }
    text += *p++;
  }
}
