// The emulation's date-time picture formatter, its GetDateFormatA and
// GetTimeFormatA, and the date texts of files.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/kernel/kernel_posix.h"

namespace {

SYSTEMTIME Time(int y, int mo, int d, int h, int mi, int s) {
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(y);
  t.wMonth = static_cast<WORD>(mo);
  t.wDay = static_cast<WORD>(d);
  t.wHour = static_cast<WORD>(h);
  t.wMinute = static_cast<WORD>(mi);
  t.wSecond = static_cast<WORD>(s);
  return t;
}

std::string Format(const SYSTEMTIME& t, const char* picture) {
  std::string text;
  AppendDateTimePicture(text, t, picture, "AM", "PM");
  return text;
}

TEST(DateTimePicture, DayMonthYearElements) {
  SYSTEMTIME t = Time(2003, 3, 5, 14, 5, 32);
  EXPECT_EQ(Format(t, "d.M.y"), "5.3.3");
  EXPECT_EQ(Format(t, "dd.MM.yy"), "05.03.03");
  EXPECT_EQ(Format(t, "dd.MM.yyyy"), "05.03.2003");
  EXPECT_EQ(Format(t, "M/d/yyyy"), "3/5/2003");
  EXPECT_EQ(Format(t, "yyyy-MM-dd"), "2003-03-05");
  EXPECT_EQ(Format(t, "ddd, MMM d"), "Wed, Mar 5");
  EXPECT_EQ(Format(t, "dddd, MMMM dd, yyyy"), "Wednesday, March 05, 2003");
}

TEST(DateTimePicture, DayNamesFollowTheCalendar) {
  EXPECT_EQ(Format(Time(1980, 1, 1, 0, 0, 0), "dddd"), "Tuesday");
  EXPECT_EQ(Format(Time(2000, 2, 29, 0, 0, 0), "dddd"), "Tuesday");
  EXPECT_EQ(Format(Time(2107, 12, 31, 0, 0, 0), "dddd"), "Saturday");
  EXPECT_EQ(Format(Time(2024, 9, 1, 0, 0, 0), "ddd"), "Sun");
}

TEST(DateTimePicture, TwentyFourAndTwelveHourClocks) {
  SYSTEMTIME afternoon = Time(2003, 3, 21, 14, 5, 32);
  EXPECT_EQ(Format(afternoon, "HH:mm:ss"), "14:05:32");
  EXPECT_EQ(Format(afternoon, "H:m:s"), "14:5:32");
  EXPECT_EQ(Format(afternoon, "h:mm:ss tt"), "2:05:32 PM");
  EXPECT_EQ(Format(afternoon, "hh:mm t"), "02:05 P");
  SYSTEMTIME morning = Time(2003, 3, 21, 0, 7, 4);
  EXPECT_EQ(Format(morning, "h:mm:ss tt"), "12:07:04 AM");
  EXPECT_EQ(Format(morning, "HH:mm:ss"), "00:07:04");
  EXPECT_EQ(Format(Time(2003, 3, 21, 12, 0, 0), "h tt"), "12 PM");
}

TEST(DateTimePicture, QuotedLiteralsAndOtherCharacters) {
  SYSTEMTIME t = Time(2003, 3, 21, 9, 5, 0);
  EXPECT_EQ(Format(t, "HH'h'mm"), "09h05");
  EXPECT_EQ(Format(t, "'d''M' d"), "d'M 21");
  EXPECT_EQ(Format(t, "yyyy. MM. dd."), "2003. 03. 21.");
  EXPECT_EQ(Format(t, "'open d"), "open d");
}

TEST(DateTimePicture, EmptyDesignatorsLeaveNothing) {
  std::string text;
  AppendDateTimePicture(text, Time(2003, 3, 21, 9, 5, 0), "h tt|t", "", "");
  EXPECT_EQ(text, "9 |");
}

}  // namespace

// ---- date texts of files, over the emulated machine ----

#include <fcntl.h>
#include <sys/stat.h>

#include "fileinfo/date_text.h"
#include "fileinfo/file_info.h"
#include "tests/unit/temp_machine.h"

namespace {

// Seconds since 1970 of a UTC date and time.
int64_t UnixTime(int y, int mo, int d, int h, int mi, int s) {
  struct tm tm = {};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  return timegm(&tm);
}

uint64_t FileTimeOfUnix(int64_t seconds) {
  return static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ull;
}

class FileDateTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    WriteHostFile("drive_c/f.txt", "x");
  }
  // Sets the last write time of C:\f.txt (and its last access time to
  // accessSeconds) on the host.
  void SetTimes(int64_t writeSeconds, int64_t accessSeconds = 0) {
    struct timespec times[2] = {{static_cast<time_t>(accessSeconds), 0},
                                {static_cast<time_t>(writeSeconds), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, Host("drive_c/f.txt").c_str(), times, 0), 0);
  }
  void SetLocale(const char* valueName, const char* value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\International", &key), 0);
    ASSERT_EQ(RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(strlen(value) + 1)),
              0);
    RegCloseKey(key);
  }
  // FileDateStr of C:\f.txt: the text, and the time in fileTime.
  std::string DateOf(int selector = FileTimeLastWrite) {
    Str text = "junk";
    FileDateStr("C:\\f.txt", selector, fileTime, text);
    return text.c_str();
  }
  uint64_t FileTimeNumber() const {
    return (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
  }
  FILETIME fileTime = {1, 1};
};

TEST_F(FileDateTest, OddSecondGoesDownToTheEvenOneInTheUsersFormat) {
  SetLocale("sShortDate", "dd.MM.yyyy");
  SetLocale("sTimeFormat", "HH:mm:ss");
  int64_t when = UnixTime(2003, 3, 21, 14, 5, 33);
  SetTimes(when);
  EXPECT_EQ(DateOf(), "21.03.2003 14:05:32");
  // The time itself is the file's, not cut to the even second.
  EXPECT_EQ(FileTimeNumber(), FileTimeOfUnix(when));
}

TEST_F(FileDateTest, DefaultFormatIsEnglishUnitedStates) {
  SetTimes(UnixTime(2003, 3, 21, 14, 5, 33));
  EXPECT_EQ(DateOf(), "3/21/2003 2:05:32 PM");
}

TEST_F(FileDateTest, MidnightInDosTimeGivesTheDateOnly) {
  SetTimes(UnixTime(2003, 3, 21, 0, 0, 1));
  EXPECT_EQ(DateOf(), "3/21/2003");
  SetTimes(UnixTime(2003, 3, 21, 0, 0, 2));
  EXPECT_EQ(DateOf(), "3/21/2003 12:00:02 AM");
}

TEST_F(FileDateTest, SelectorPicksTheStamp) {
  SetTimes(UnixTime(2010, 7, 4, 8, 30, 0), UnixTime(2011, 1, 2, 9, 15, 10));
  EXPECT_EQ(DateOf(FileTimeLastAccess), "1/2/2011 9:15:10 AM");
  EXPECT_EQ(FileTimeNumber(), FileTimeOfUnix(UnixTime(2011, 1, 2, 9, 15, 10)));
  EXPECT_EQ(DateOf(FileTimeLastWrite), "7/4/2010 8:30:00 AM");
}

TEST_F(FileDateTest, UnopenableFileGivesEmptyTextAndZeroTime) {
  Str text = "junk";
  FileDateStr("C:\\missing.txt", FileTimeLastWrite, fileTime, text);
  EXPECT_STREQ(text.c_str(), "");
  EXPECT_EQ(FileTimeNumber(), 0u);
}

TEST_F(FileDateTest, TimeOutsideTheDosRangeGivesEmptyTextButTheTime) {
  int64_t before = UnixTime(1979, 12, 31, 23, 59, 59);
  SetTimes(before);
  EXPECT_EQ(DateOf(), "");
  EXPECT_EQ(FileTimeNumber(), FileTimeOfUnix(before));
  SetTimes(UnixTime(2108, 1, 1, 0, 0, 0));
  EXPECT_EQ(DateOf(), "");
  // The edges of the range itself are expressed.
  SetTimes(UnixTime(1980, 1, 1, 0, 0, 0));
  EXPECT_EQ(DateOf(), "1/1/1980");
  SetTimes(UnixTime(2107, 12, 31, 23, 59, 59));
  EXPECT_EQ(DateOf(), "12/31/2107 11:59:58 PM");
}

// The copy takes a new file's date from the directory search that found it
// instead of opening the file: the search's time must give the same text
// and the same time as the file itself, across the cases of the text.
TEST_F(FileDateTest, SearchTimeGivesTheSameTextAsTheFile) {
  const int64_t times[] = {UnixTime(2003, 3, 21, 14, 5, 33), UnixTime(2003, 3, 21, 0, 0, 1),
                           UnixTime(1979, 12, 31, 23, 59, 59), UnixTime(1980, 1, 1, 0, 0, 0),
                           UnixTime(2107, 12, 31, 23, 59, 59), UnixTime(2019, 12, 31, 23, 59, 58)};
  int row = 0;
  for (int64_t when : times) {
    ++row;
    SetTimes(when);
    std::string fromFile = DateOf();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("C:\\f.txt", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "row " << row;
    FindClose(search);
    Str fromSearch = "junk";
    FileTimeDateStr(entry.ftLastWriteTime, fromSearch);
    EXPECT_EQ(fromSearch.c_str(), fromFile) << "row " << row;
    EXPECT_EQ(entry.ftLastWriteTime.dwLowDateTime, fileTime.dwLowDateTime) << "row " << row;
    EXPECT_EQ(entry.ftLastWriteTime.dwHighDateTime, fileTime.dwHighDateTime) << "row " << row;
  }
}

// The emulation's GetDateFormatA and GetTimeFormatA, as Windows documents
// them: result with the NUL counted, the size needed for size 0, error 122
// for a buffer too small, 87 for a day that does not exist, 1004 for flags
// that do not go together.
TEST_F(FileDateTest, DateAndTimeFormatCalls) {
  SetLocale("sShortDate", "ddd dd MMM yyyy");
  SetLocale("sLongDate", "dddd, MMMM d");
  SetLocale("sTimeFormat", "HH:mm");
  SYSTEMTIME t = Time(2003, 3, 21, 14, 5, 32);
  SYSTEMTIME feb29 = Time(2003, 2, 29, 0, 0, 0), hour24 = Time(2003, 3, 21, 24, 0, 0);
  const struct {
    bool date;
    DWORD flags;
    const SYSTEMTIME* time;
    const char* format;
    int size;
    int result;
    DWORD error;
    const char* text;
  } rows[] = {
      {true, DATE_SHORTDATE, &t, nullptr, 64, 16, 0, "Fri 21 Mar 2003"},
      {true, 0, &t, nullptr, 64, 16, 0, "Fri 21 Mar 2003"},
      {true, DATE_LONGDATE, &t, nullptr, 64, 17, 0, "Friday, March 21"},
      {true, 0, &t, "yyyy-MM-dd", 64, 11, 0, "2003-03-21"},
      {true, DATE_SHORTDATE, &t, "yyyy", 64, 0, 1004, ""},
      {true, DATE_SHORTDATE | DATE_LONGDATE, &t, nullptr, 64, 0, 1004, ""},
      {true, DATE_SHORTDATE, &t, nullptr, 0, 16, 0, ""},
      {true, DATE_SHORTDATE, &t, nullptr, 15, 0, 122, ""},
      {true, DATE_SHORTDATE, &feb29, nullptr, 64, 0, 87, ""},
      {false, 0, &t, nullptr, 64, 6, 0, "14:05"},
      {false, 0, &t, "h:mm:ss tt", 64, 11, 0, "2:05:32 PM"},
      {false, 0, &hour24, nullptr, 64, 0, 87, ""},
      {false, 1, &t, nullptr, 64, 0, 1004, ""},
      {false, 0, &t, nullptr, 5, 0, 122, ""},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    char buffer[64] = "";
    SetLastError(0);
    int result = rows[i].date ? GetDateFormatA(LOCALE_USER_DEFAULT, rows[i].flags, rows[i].time,
                                               rows[i].format, buffer, rows[i].size)
                              : GetTimeFormatA(LOCALE_USER_DEFAULT, rows[i].flags, rows[i].time,
                                               rows[i].format, buffer, rows[i].size);
    EXPECT_EQ(result, rows[i].result) << "row " << i;
    EXPECT_EQ(GetLastError(), rows[i].error) << "row " << i;
    if (rows[i].result && rows[i].size) {
      EXPECT_STREQ(buffer, rows[i].text) << "row " << i;
    }
  }
}

// The file date texts come from the platform's locale formatting: a user's
// picture with day and month names gets the platform's names.
TEST_F(FileDateTest, PicturesWithNamesUseThePlatformsNames) {
  SetLocale("sShortDate", "dddd d MMMM yyyy");
  SetLocale("sTimeFormat", "HH:mm:ss");
  SetTimes(UnixTime(2003, 3, 21, 14, 5, 33));
  EXPECT_EQ(DateOf(), "Friday 21 March 2003 14:05:32");
}

TEST_F(FileDateTest, CurrentDateTimeAlwaysHasTheTime) {
  SetLocale("sShortDate", "'D'yyyy");
  SetLocale("sTimeFormat", "'T'");
  Str text;
  CurrentDateTimeText(text);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(std::string(text.c_str()), "D" + std::to_string(now.wYear) + " T");
}

}  // namespace
