// FileDateStr: one of a file's time stamps as a date text.
#include "fileinfo/date_text.h"
#include "fileinfo/file_info.h"

namespace {

// The range that a DOS date-time can express, 1980-01-01 00:00:00 up to the
// end of 2107, as file times. Windows refuses times outside it, Wine wraps the
// year; checking here first gives every platform the same (empty) text.
const uint64_t FirstDosFileTime = 119600064000000000ull;  // 1980-01-01
const uint64_t EndDosFileTime = 159992928000000000ull;    // 2108-01-01

uint64_t FileTimeValue(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The date text of a file time taken as it stands (UTC, no conversion to
// local time); odd seconds go down to the even second below, as DOS keeps
// them. A time that DOS cannot express gives the empty text.
void FileTimeText(const FILETIME& ft, Str& text) {
  uint32_t stamp = DosStampOf(ft);
  if (stamp) DosDateTimeText(static_cast<WORD>(stamp >> 16), static_cast<WORD>(stamp), text);
}

}  // namespace

uint32_t DosStampOf(const FILETIME& fileTime) {
  uint64_t value = FileTimeValue(fileTime);
  if (value < FirstDosFileTime || value >= EndDosFileTime) return 0;
  WORD dosDate = 0;
  WORD dosTime = 0;
  if (!FileTimeToDosDateTime(&fileTime, &dosDate, &dosTime)) return 0;
  return (static_cast<uint32_t>(dosDate) << 16) | dosTime;
}

void FileTimeDateStr(const FILETIME& fileTime, Str& dateText) {
  dateText.clear();
  FileTimeText(fileTime, dateText);
}

void OpenFileDateStr(HANDLE file, int selector, FILETIME& fileTime, Str& dateText) {
  dateText.clear();
  fileTime.dwLowDateTime = 0;
  fileTime.dwHighDateTime = 0;
  FILETIME stamps[3] = {};
  if (GetFileTime(file, &stamps[0], &stamps[1], &stamps[2]) && selector >= FileTimeCreation &&
      selector <= FileTimeLastWrite) {
    fileTime = stamps[selector - FileTimeCreation];
    FileTimeText(fileTime, dateText);
  }
}

void FileDateStr(const char* path, int selector, FILETIME& fileTime, Str& dateText) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  // An unopened file reads as no time and no text.
  OpenFileDateStr(file, selector, fileTime, dateText);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}
