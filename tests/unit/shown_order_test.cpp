// The order of version and date texts that decides the skip-or-overwrite
// prompt: numbers and dates as the texts show them, not their bytes.
#include <gtest/gtest.h>

#include <cstdint>

#include "actions/shown_order.h"

namespace {

struct VersionRow {
  const char* a;
  const char* b;
  int order;  // sign of CompareVersionTexts(a, b)
};

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(ShownOrder, VersionTextsByTheirFourNumbers) {
  const VersionRow rows[] = {
      {"10.00.0000.0000", "9.00.0000.0000", 1},
      {"9.00.0000.0000", "10.00.0000.0000", -1},
      {"1.100.0000.0000", "1.99.0000.0000", 1},
      {"1.00.10000.0000", "1.00.9999.0000", 1},
      {"1.00.0000.10000", "1.00.0000.9999", 1},
      {"1.00.0000.0005", "1.00.0000.0004", 1},
      {"1.02.0003.0004", "1.02.0003.0004", 0},
      {"2.00.0000.0000", "1.65535.65535.65535", 1},
      {"10.123.45678.0009", "10.123.45678.0009", 0},
      // Leading zeros are the text's form, not part of the number.
      {"1.02.0003.0004", "1.2.3.4", 0},
      {"", "", 0},
      {"", "0.00.0000.0000", -1},
      {"0.00.0000.0001", "", 1},
      // Digits beyond a 16-bit part stay large instead of wrapping.
      {"99999999999.00.0000.0000", "65535.00.0000.0000", 1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const VersionRow& row = rows[i];
    EXPECT_EQ(Sign(CompareVersionTexts(row.a, row.b)), row.order) << "row " << i << ": " << row.a << " / " << row.b;
    EXPECT_EQ(Sign(CompareVersionTexts(row.b, row.a)), -row.order) << "row " << i << " reversed";
  }
}

// A UTC calendar time plus extra 100-nanosecond units, as a FILETIME.
FILETIME At(int year, int month, int day, int hour, int minute, int second, uint64_t extra = 0) {
  // Days from 1601-01-01 by the proleptic Gregorian calendar.
  int y = year - (month <= 2);
  int era = y / 400;
  int yoe = y - era * 400;
  int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  int64_t daysFrom0000 = static_cast<int64_t>(era) * 146097 + doe;
  int64_t daysFrom1601 = daysFrom0000 - (1600 / 400 * 146097) - 306;
  uint64_t value = ((static_cast<uint64_t>(daysFrom1601) * 86400 + hour * 3600 + minute * 60 + second) * 10000000ull) + extra;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(value);
  ft.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return ft;
}

struct DateRow {
  FILETIME a;
  FILETIME b;
  int order;
};

TEST(ShownOrder, DateTextsByTheDateAndTimeTheyShow) {
  const FILETIME none = {0, 0};
  const DateRow rows[] = {
      {At(2020, 1, 1, 0, 0, 0), At(2019, 12, 31, 23, 59, 58), 1},
      {At(2003, 10, 1, 8, 0, 0), At(2003, 9, 30, 8, 0, 0), 1},
      {At(2003, 3, 21, 10, 0, 2), At(2003, 3, 21, 10, 0, 0), 1},
      // One DOS step is two seconds: the texts of these are the same.
      {At(2003, 3, 21, 10, 0, 1), At(2003, 3, 21, 10, 0, 0), 0},
      {At(2003, 3, 21, 10, 0, 1, 9999999), At(2003, 3, 21, 10, 0, 0, 1), 0},
      {At(2003, 3, 21, 10, 0, 0), At(2003, 3, 21, 10, 0, 0), 0},
      {At(1980, 1, 1, 0, 0, 0), none, 1},
      {none, none, 0},
      // Times that a DOS date cannot express have no text: as a missing file.
      {At(1979, 12, 31, 23, 59, 58), none, 0},
      {At(2108, 1, 1, 0, 0, 0), At(1980, 1, 1, 0, 0, 0), -1},
      {At(2107, 12, 31, 23, 59, 58), At(2020, 1, 1, 0, 0, 0), 1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const DateRow& row = rows[i];
    EXPECT_EQ(CompareDateTexts(row.a, row.b), row.order) << "row " << i;
    EXPECT_EQ(CompareDateTexts(row.b, row.a), -row.order) << "row " << i << " reversed";
  }
}

}  // namespace
