// Version texts and numbers of files, and their version-resource strings.
#include <gtest/gtest.h>

#include <string>

#include "fileinfo/file_info.h"
#include "fileinfo/version_text.h"

namespace {

std::string VersionText(uint32_t ms, uint32_t ls) {
  char text[VersionTextSize];
  return FormatVersionText(ms, ls, text);
}

TEST(VersionText, PadsMinorToTwoAndReleaseAndBuildToFourDigits) {
  EXPECT_EQ(VersionText(0x00020007, 0x00000000), "2.07.0000.0000");
  EXPECT_EQ(VersionText(0x00010002, 0x00030004), "1.02.0003.0004");
  EXPECT_EQ(VersionText((10u << 16) | 123, (45678u << 16) | 9), "10.123.45678.0009");
  EXPECT_EQ(VersionText(0, 0), "0.00.0000.0000");
}

TEST(VersionText, LongestTextHasTwentyThreeCharacters) {
  std::string text = VersionText(0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_EQ(text, "65535.65535.65535.65535");
  EXPECT_EQ(text.size() + 1, static_cast<size_t>(VersionTextSize));
}

TEST(VersionNumber, MajorTimesTwoToTheThirtyTwoPlusMinor) {
  EXPECT_EQ(VersionNumberFromProductMS(0x00020007), 2 * 4294967296LL + 7);
  EXPECT_EQ(VersionNumberFromProductMS(0x00000000), 0);
  EXPECT_EQ(VersionNumberFromProductMS(0xFFFFFFFF), 65535 * 4294967296LL + 65535);
}

TEST(TranslationText, CodePageFirstInUpperCaseHex) {
  char text[TranslationTextSize];
  // Language 0x0409 in the low word, code page 0x04E4 in the high word.
  EXPECT_STREQ(FormatTranslationText(0x04E40409, text), "04E40409");
  EXPECT_STREQ(FormatTranslationText(0x04B00407, text), "04B00407");
  EXPECT_STREQ(FormatTranslationText(0xabcdef01, text), "ABCDEF01");
}

TEST(StringTableName, LanguageThenCodePage) {
  char table[TranslationTextSize];
  StringTableName("04E40409", table);
  EXPECT_STREQ(table, "040904E4");
  StringTableName("", table);
  EXPECT_STREQ(table, "");
}

}  // namespace
