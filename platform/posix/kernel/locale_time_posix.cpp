// The clock and the user's date and time formats.
//
// Times come from the host clock; local time follows the host's TZ. The
// formats are the user's settings in HKCU\Control Panel\International, with
// the en-US defaults of Windows where a value is missing.
#include <string.h>
#include <time.h>

#include <map>
#include <string>

#include "platform/posix/registry/registry_posix.h"

namespace {

const DWORD kErrorInvalidFlags = 1004;
const LCTYPE kNoUserOverride = 0x80000000u;
const LCTYPE kUseAnsiCodePage = 0x40000000u;

struct LocaleItem {
  LCTYPE type;
  const char* valueName;  // in HKCU\Control Panel\International
  const char* fallback;   // en-US
};

const LocaleItem kItems[] = {
    {LOCALE_SSHORTDATE, "sShortDate", "M/d/yyyy"},
    {LOCALE_SLONGDATE, "sLongDate", "dddd, MMMM d, yyyy"},
    {LOCALE_STIMEFORMAT, "sTimeFormat", "h:mm:ss tt"},
    {LOCALE_S1159, "s1159", "AM"},
    {LOCALE_S2359, "s2359", "PM"},
};

const LocaleItem* FindItem(LCTYPE type) {
  for (const LocaleItem& item : kItems)
    if (item.type == type) return &item;
  return nullptr;
}

// The user's setting, when the registry holds it as a string.
bool ReadUserSettingFromRegistry(const char* valueName, std::string* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return false;
  char data[256];
  DWORD size = sizeof data - 1;
  DWORD type = REG_NONE;
  LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  data[size < sizeof data ? size : sizeof data - 1] = '\0';
  *value = data;
  return true;
}

// A date text is made for every installed file: the user's settings are
// read from the registry again only after it changed.
bool ReadUserSetting(const char* valueName, std::string* value) {
  struct Kept {
    unsigned changeCount;
    bool found;
    std::string value;
  };
  static std::map<std::string, Kept> kept;
  auto it = kept.find(valueName);
  if (it == kept.end() || it->second.changeCount != posix::RegistryChangeCount()) {
    Kept fresh{posix::RegistryChangeCount(), false, std::string()};
    fresh.found = ReadUserSettingFromRegistry(valueName, &fresh.value);
    it = kept.insert_or_assign(valueName, fresh).first;
  }
  if (it->second.found) *value = it->second.value;
  return it->second.found;
}

void FromTm(const struct tm& tm, long nanoseconds, LPSYSTEMTIME time) {
  time->wYear = static_cast<WORD>(tm.tm_year + 1900);
  time->wMonth = static_cast<WORD>(tm.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  time->wDay = static_cast<WORD>(tm.tm_mday);
  time->wHour = static_cast<WORD>(tm.tm_hour);
  time->wMinute = static_cast<WORD>(tm.tm_min);
  time->wSecond = static_cast<WORD>(tm.tm_sec);
  time->wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
}

}  // namespace

extern "C" void GetLocalTime(LPSYSTEMTIME time) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm tm;
  localtime_r(&now.tv_sec, &tm);
  FromTm(tm, now.tv_nsec, time);
}

// Every locale is the user's: the machine has one user with one setting.
// Returns the characters stored including the NUL; with size 0 the size
// needed. A buffer that is too small receives what fits, without NUL, and
// the call fails with error 122 (as Wine does).
extern "C" int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
  if (size < 0 || (size > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const LocaleItem* item = FindItem(type & ~(kNoUserOverride | kUseAnsiCodePage));
  if (!item) {
    SetLastError(kErrorInvalidFlags);
    return 0;
  }
  std::string value = item->fallback;
  if (!(type & kNoUserOverride)) ReadUserSetting(item->valueName, &value);
  int needed = static_cast<int>(value.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    memcpy(data, value.data(), static_cast<size_t>(size));
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(data, value.c_str(), static_cast<size_t>(needed));
  return needed;
}
