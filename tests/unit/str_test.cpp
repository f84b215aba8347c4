// The program's own string and buffer helpers: decimal numbers over the whole
// 64-bit range, appending a string to itself, and the cut of fixed buffers.
#include <gtest/gtest.h>

#include <climits>

#include "common/str.h"

namespace {

TEST(FormatDecimal, WholeRangeWithoutLibraryDivision) {
  char buffer[24];
  EXPECT_STREQ(FormatDecimal(0, buffer), "0");
  EXPECT_STREQ(FormatDecimal(-1, buffer), "-1");
  EXPECT_STREQ(FormatDecimal(65535, buffer), "65535");
  EXPECT_STREQ(FormatDecimal(65536, buffer), "65536");
  EXPECT_STREQ(FormatDecimal(4294967296LL, buffer), "4294967296");
  EXPECT_STREQ(FormatDecimal(1234567890123456789LL, buffer), "1234567890123456789");
  EXPECT_STREQ(FormatDecimal(LLONG_MAX, buffer), "9223372036854775807");
  EXPECT_STREQ(FormatDecimal(LLONG_MIN, buffer), "-9223372036854775808");
}

TEST(Str, AppendsNumbersAndItself) {
  Str text("n=");
  text.appendNumber(-4294967297LL);
  EXPECT_STREQ(text.c_str(), "n=-4294967297");
  text += text;
  EXPECT_STREQ(text.c_str(), "n=-4294967297n=-4294967297");
}

TEST(FixedBuffers, CutAtTheirSize) {
  char buffer[8];
  EXPECT_EQ(CopyToBuffer(buffer, sizeof buffer, "0123456789"), 7u);
  EXPECT_STREQ(buffer, "0123456");
  CopyToBuffer(buffer, sizeof buffer, "ab");
  EXPECT_EQ(AppendToBuffer(buffer, sizeof buffer, "cdefghij"), 7u);
  EXPECT_STREQ(buffer, "abcdefg");
  EXPECT_EQ(AppendToBuffer(buffer, sizeof buffer, "x"), 7u);
  EXPECT_STREQ(buffer, "abcdefg");
}

}  // namespace
