// Date texts in the user's locale.
#include "fileinfo/date_text.h"

namespace {
// A date or time text of a locale: its pictures are at most 80 characters,
// and day and month names make the text longer than its picture.
enum { LocaleTextSize = 256 };
}  // namespace

void LocaleDateTimeText(const SYSTEMTIME& t, bool withTime, Str& text) {
  text.clear();
  char part[LocaleTextSize];
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, part, sizeof part) <= 0) return;
  text = part;
  if (!withTime) return;
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, part, sizeof part) <= 0) return;
  text += ' ';
  text += part;
}

void CurrentDateTimeText(Str& text) {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  LocaleDateTimeText(now, true, text);
}

void DosDateTimeText(WORD dosDate, WORD dosTime, Str& text) {
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
  t.wMonth = static_cast<WORD>((dosDate >> 5) & 0x0F);
  t.wDay = static_cast<WORD>(dosDate & 0x1F);
  t.wHour = static_cast<WORD>(dosTime >> 11);
  t.wMinute = static_cast<WORD>((dosTime >> 5) & 0x3F);
  t.wSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
  LocaleDateTimeText(t, dosTime != 0, text);
}
