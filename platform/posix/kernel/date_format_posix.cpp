// GetDateFormatA and GetTimeFormatA over the emulation's picture formatter
// and the user's pictures of GetLocaleInfoA.
#include <string.h>

#include <string>

#include "platform/posix/kernel/kernel_posix.h"

namespace {

const DWORD kErrorInvalidFlags = 1004;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Windows refuses what no calendar day is, and years before 1601.
bool IsValidDate(const SYSTEMTIME& t) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1) return false;
  int last = days[t.wMonth - 1] + (t.wMonth == 2 && IsLeapYear(t.wYear) ? 1 : 0);
  return t.wDay <= last;
}

bool IsValidTime(const SYSTEMTIME& t) {
  return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

std::string LocalePicture(LCID locale, LCTYPE type) {
  char text[81];
  if (GetLocaleInfoA(locale, type, text, sizeof text) <= 0) return std::string();
  return text;
}

// Stores text as the Win32 text functions do: the characters with the NUL
// counted; with size 0 the size needed; a buffer too small fails with 122.
int StoreText(const std::string& text, LPSTR buffer, int size) {
  int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(buffer, text.c_str(), static_cast<size_t>(needed));
  return needed;
}

// The time given, or the current local time for a null one.
SYSTEMTIME TimeOrNow(const SYSTEMTIME* time) {
  SYSTEMTIME t;
  if (time) return *time;
  GetLocalTime(&t);
  return t;
}

// The first fault of a call's arguments, in the order Windows checks them
// (0 for none): the buffer, the flags, then the date or time itself.
DWORD ArgumentError(LPSTR buffer, int size, bool flagsValid, bool timeValid) {
  if (size < 0 || (size > 0 && !buffer)) return ERROR_INVALID_PARAMETER;
  if (!flagsValid) return kErrorInvalidFlags;
  return timeValid ? 0 : ERROR_INVALID_PARAMETER;
}

// t as the picture says into the buffer, or the call fails with error.
int FormatOrFail(DWORD error, const SYSTEMTIME& t, const std::string& picture, const std::string& am,
                 const std::string& pm, LPSTR buffer, int size) {
  if (error) {
    SetLastError(error);
    return 0;
  }
  std::string text;
  AppendDateTimePicture(text, t, picture.c_str(), am.c_str(), pm.c_str());
  return StoreText(text, buffer, size);
}

}  // namespace

// Flags: 0 or DATE_SHORTDATE (the short date picture), DATE_LONGDATE; no
// flag with an explicit picture.
extern "C" int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format,
                              LPSTR buffer, int size) {
  bool flagsValid = !(flags & ~(DATE_SHORTDATE | DATE_LONGDATE)) &&
                    flags != (DATE_SHORTDATE | DATE_LONGDATE) && !(format && flags);
  SYSTEMTIME t = TimeOrNow(date);
  std::string picture =
      format ? format : LocalePicture(locale, flags & DATE_LONGDATE ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE);
  return FormatOrFail(ArgumentError(buffer, size, flagsValid, IsValidDate(t)), t, picture, "", "",
                      buffer, size);
}

// Flags: 0 only (the locale's time picture, or the one given).
extern "C" int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCSTR format,
                              LPSTR buffer, int size) {
  SYSTEMTIME t = TimeOrNow(time);
  std::string picture = format ? format : LocalePicture(locale, LOCALE_STIMEFORMAT);
  return FormatOrFail(ArgumentError(buffer, size, flags == 0, IsValidTime(t)), t, picture,
                      LocalePicture(locale, LOCALE_S1159), LocalePicture(locale, LOCALE_S2359),
                      buffer, size);
}
