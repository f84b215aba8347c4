// Windows file times (100-nanosecond units since 1601-01-01 UTC) over host
// times, and the time functions of the file API.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"

namespace posix {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Gregorian calendar date of a day counted from 1970-01-01.
void CivilFromDays(int64_t days, int* year, unsigned* month, unsigned* day) {
  days += 719468;
  int64_t era = FloorDiv(days, 146097);
  unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
  unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  unsigned mp = (5 * dayOfYear + 2) / 153;
  *day = dayOfYear - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2));
}

FILETIME FromTimespec(const struct statx_timestamp& t) { return FileTimeFromUnix(t.tv_sec, t.tv_nsec); }

bool EarlierStamp(const struct statx_timestamp& a, const struct statx_timestamp& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

void TimesFromStatx(const struct statx& sx, EntryTimes* times) {
  times->lastAccess = FromTimespec(sx.stx_atime);
  times->lastWrite = FromTimespec(sx.stx_mtime);
  // Without a birth time the earlier of the change times is the closest to it.
  if (sx.stx_mask & STATX_BTIME) times->creation = FromTimespec(sx.stx_btime);
  else times->creation = FromTimespec(EarlierStamp(sx.stx_mtime, sx.stx_ctime) ? sx.stx_mtime : sx.stx_ctime);
}

}  // namespace

FILETIME FileTimeFromUnix(int64_t seconds, long nanoseconds) {
  int64_t ticks = (seconds + kSecondsFrom1601To1970) * kTicksPerSecond + nanoseconds / 100;
  return FileTimeOfValue(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
}

void UnixFromFileTime(const FILETIME& ft, int64_t* seconds, long* nanoseconds) {
  int64_t ticks = static_cast<int64_t>(FileTimeValue(ft) & 0x7FFFFFFFFFFFFFFFULL);
  *seconds = ticks / kTicksPerSecond - kSecondsFrom1601To1970;
  *nanoseconds = static_cast<long>(ticks % kTicksPerSecond) * 100;
}

uint64_t FileTimeValue(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FileTimeOfValue(uint64_t value) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(value);
  ft.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return ft;
}

bool EntryTimesOfFd(int fd, EntryTimes* times) {
  struct statx sx;
  if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return false;
  TimesFromStatx(sx, times);
  return true;
}

bool EntryOfPath(const std::string& hostPath, EntryTimes* times, mode_t* mode, uint64_t* size) {
  struct statx sx;
  if (statx(AT_FDCWD, hostPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return false;
  TimesFromStatx(sx, times);
  *mode = sx.stx_mode;
  *size = sx.stx_size;
  return true;
}

}  // namespace posix

extern "C" BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime) {
  if (!fileTime || !fatDate || !fatTime) return posix::FailWith(ERROR_INVALID_PARAMETER);
  int64_t seconds;
  long nanoseconds;
  posix::UnixFromFileTime(*fileTime, &seconds, &nanoseconds);
  int64_t days = posix::FloorDiv(seconds, 86400);
  int64_t secondOfDay = seconds - days * 86400;
  int year;
  unsigned month, day;
  posix::CivilFromDays(days, &year, &month, &day);
  // A DOS date holds the years 1980 to 2107 only.
  if (year < 1980 || year > 2107) return posix::FailWith(ERROR_INVALID_PARAMETER);
  *fatDate = static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
  unsigned hour = static_cast<unsigned>(secondOfDay / 3600);
  unsigned minute = static_cast<unsigned>(secondOfDay / 60 % 60);
  unsigned second = static_cast<unsigned>(secondOfDay % 60);
  *fatTime = static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
  return TRUE;
}
