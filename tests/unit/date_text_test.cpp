// The date-time picture formatter and the date texts of files.
#include <gtest/gtest.h>

#include <string>

#include "fileinfo/date_text.h"

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
  Str text;
  AppendDateTimePicture(text, t, picture, "AM", "PM");
  return text.c_str();
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
  Str text;
  AppendDateTimePicture(text, Time(2003, 3, 21, 9, 5, 0), "h tt|t", "", "");
  EXPECT_STREQ(text.c_str(), "9 |");
}

}  // namespace
