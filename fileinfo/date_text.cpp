// Date texts in the user's locale.
#include "fileinfo/date_text.h"

namespace {

// A locale picture or designator; the fallback when the locale gives none.
// Locale texts are at most 80 characters.
struct LocaleText {
  char text[81];
  LocaleText(LCTYPE type, const char* fallback) {
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) <= 0)
      CopyToBuffer(text, sizeof text, fallback);
    text[sizeof text - 1] = '\0';
  }
};

}  // namespace

void LocaleDateTimeText(const SYSTEMTIME& t, bool withTime, Str& text) {
  text.clear();
  LocaleText date(LOCALE_SSHORTDATE, "M/d/yyyy");
  AppendDateTimePicture(text, t, date.text, "", "");
  if (!withTime) return;
  LocaleText time(LOCALE_STIMEFORMAT, "h:mm:ss tt");
  LocaleText am(LOCALE_S1159, "AM");
  LocaleText pm(LOCALE_S2359, "PM");
  text += ' ';
  AppendDateTimePicture(text, t, time.text, am.text, pm.text);
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
