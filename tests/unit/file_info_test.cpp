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

// ---- ReadVersionInfo over the emulated machine and the generated PE files ----

#include <dirent.h>

#include <fstream>
#include <sstream>

#include "tests/unit/temp_machine.h"

namespace {

const int64_t TwoToThe32 = 4294967296LL;

class ReadVersionInfoTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    VersionInfo = TVersionInfo();
  }
  // Copies the generated PE file name into the machine as C:\name and returns
  // that path.
  std::string Place(const std::string& name) {
    std::ifstream in(std::string(SETUP_BINARY_DIR) + "/test-pe/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing test-pe/" << name;
    std::stringstream content;
    content << in.rdbuf();
    WriteHostFile("drive_c/" + name, content.str());
    return "C:\\" + name;
  }
  int64_t Read(const std::string& name, Str& text) { return ReadVersionInfo(Place(name).c_str(), text); }
};

TEST_F(ReadVersionInfoTest, FillsTextNumberAndRecord) {
  Str text;
  EXPECT_EQ(Read("v2700_pe32.dll", text), 2 * TwoToThe32 + 7);
  EXPECT_STREQ(text.c_str(), "2.07.0000.0000");
  EXPECT_EQ(VersionInfo.Major, 2);
  EXPECT_EQ(VersionInfo.Minor, 7);
  EXPECT_EQ(VersionInfo.Release, 0);
  EXPECT_EQ(VersionInfo.Build, 0);
  EXPECT_STREQ(VersionInfo.Translation.c_str(), "04E40409");
  EXPECT_STREQ(VersionInfo.CompanyName.c_str(), "Talven Test");
  EXPECT_STREQ(VersionInfo.FileDescription.c_str(), "Test file v2700");
  EXPECT_STREQ(VersionInfo.FileVersion.c_str(), "2.7.0.0");
  EXPECT_STREQ(VersionInfo.InternalName.c_str(), "v2700");
  EXPECT_STREQ(VersionInfo.LegalCopyright.c_str(), "Copyright (C) 2026 Talven Test");
  EXPECT_STREQ(VersionInfo.OriginalFilename.c_str(), "v2700.dll");
  EXPECT_STREQ(VersionInfo.ProductName.c_str(), "Test product v2700");
  EXPECT_STREQ(VersionInfo.ProductVersion.c_str(), "2.7.0.0");
  EXPECT_STREQ(VersionInfo.LegalTrademarks.c_str(), "");
}

TEST_F(ReadVersionInfoTest, ProductVersionCountsNotFileVersion) {
  Str text;
  EXPECT_EQ(Read("v1234_pe32.dll", text), TwoToThe32 + 2);
  EXPECT_STREQ(text.c_str(), "1.02.0003.0004");
  EXPECT_EQ(VersionInfo.Release, 3);
  EXPECT_EQ(VersionInfo.Build, 4);
  EXPECT_STREQ(VersionInfo.FileVersion.c_str(), "9.8.7.6");
}

TEST_F(ReadVersionInfoTest, WideFieldsAndSixtyFourBitImages) {
  Str text;
  EXPECT_EQ(Read("v10_pe64.dll", text), 10 * TwoToThe32 + 123);
  EXPECT_STREQ(text.c_str(), "10.123.45678.0009");
}

TEST_F(ReadVersionInfoTest, ZeroMajorAndMinorGiveNumberZero) {
  Str text;
  EXPECT_EQ(Read("v0056_pe32.dll", text), 0);
  EXPECT_STREQ(text.c_str(), "0.00.0005.0006");
}

TEST_F(ReadVersionInfoTest, NoResourceChangesNothing) {
  Str text;
  Read("v2700_pe32.dll", text);
  WriteHostFile("drive_c/readme.txt", "just text\r\n");
  // Too short for a header, and a text that only starts like an image.
  WriteHostFile("drive_c/empty.dll", "");
  WriteHostFile("drive_c/m.dll", "M");
  WriteHostFile("drive_c/mz.dll", "MZ but no image\r\n");
  std::string nover = Place("nover_pe32.dll");
  std::string otherId = Place("otherid_pe32.dll");
  for (const char* path : {"C:\\readme.txt", "C:\\missing.dll", "C:\\empty.dll", "C:\\m.dll",
                           "C:\\mz.dll", nover.c_str(), otherId.c_str()}) {
    Str kept = "kept";
    EXPECT_EQ(ReadVersionInfo(path, kept), -1) << path;
    EXPECT_STREQ(kept.c_str(), "kept");
    EXPECT_EQ(VersionInfo.Major, 2);
    EXPECT_EQ(VersionInfo.Minor, 7);
    EXPECT_STREQ(VersionInfo.Translation.c_str(), "04E40409");
    EXPECT_STREQ(VersionInfo.CompanyName.c_str(), "Talven Test");
  }
}

TEST_F(ReadVersionInfoTest, NoTranslationEmptiesItAndKeepsTheStrings) {
  Str text;
  Read("v2700_pe32.dll", text);
  EXPECT_EQ(Read("notrans_pe32.dll", text), 3 * TwoToThe32 + 1);
  EXPECT_STREQ(text.c_str(), "3.01.0004.0001");
  EXPECT_STREQ(VersionInfo.Translation.c_str(), "");
  EXPECT_STREQ(VersionInfo.CompanyName.c_str(), "Talven Test");
  EXPECT_STREQ(VersionInfo.ProductVersion.c_str(), "2.7.0.0");
}

TEST_F(ReadVersionInfoTest, StringsTheLatestFileLacksKeepEarlierValues) {
  Str text;
  Read("v2700_pe32.dll", text);
  EXPECT_EQ(Read("german_pe32.dll", text), 5 * TwoToThe32);
  EXPECT_STREQ(VersionInfo.Translation.c_str(), "04B00407");
  EXPECT_STREQ(VersionInfo.CompanyName.c_str(), "M\xFCller GmbH");
  EXPECT_STREQ(VersionInfo.ProductVersion.c_str(), "5.0.0.1");
  EXPECT_STREQ(VersionInfo.FileVersion.c_str(), "2.7.0.0");
  EXPECT_STREQ(VersionInfo.InternalName.c_str(), "v2700");
}

TEST_F(ReadVersionInfoTest, DamagedImagesDoNotCrash) {
  DIR* dir = opendir((std::string(SETUP_BINARY_DIR) + "/test-pe").c_str());
  ASSERT_NE(dir, nullptr);
  int files = 0;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.rfind("hostile_", 0) != 0 && name.rfind("damaged_", 0) != 0) continue;
    Str text = "kept";
    int64_t number = Read(name, text);
    if (number == -1) {
      EXPECT_STREQ(text.c_str(), "kept") << name;
    }
    ++files;
  }
  closedir(dir);
  EXPECT_GT(files, 0);
}

}  // namespace

// ---- The handle that the version check keeps for a copy ----

namespace {

class KeptHeadTest : public TempMachineTest {};

std::string ReadOn(HANDLE file) {
  char rest[64];
  DWORD got = 0;
  if (!ReadFile(file, rest, sizeof rest, &got, nullptr)) return "<read failed>";
  return std::string(rest, got);
}

TEST_F(KeptHeadTest, TheFirstReadFillsTheRoomAndTheHandleGoesOnFromThere) {
  struct Row {
    const char* content;  // nullptr: no such file
    DWORD room;
    bool kept;
    const char* head;  // what the room holds when kept
    const char* rest;  // what a read on the kept handle gives
  } rows[] = {
      {"", 8, true, "", ""},
      {"M", 8, true, "M", ""},
      {"just text", 64, true, "just text", ""},
      {"just text", 4, true, "just", " text"},
      {"MZ but no image", 64, false, "", ""},
      {nullptr, 64, false, "", ""},
  };
  int n = 0;
  for (const Row& row : rows) {
    ++n;
    std::string name = "head" + std::to_string(n) + ".txt";
    if (row.content) WriteHostFile("drive_c/" + name, row.content);
    char room[64];
    FileHead head{room, row.room, 99};
    HANDLE kept = INVALID_HANDLE_VALUE;
    Str text = "kept";
    EXPECT_EQ(ReadVersionInfo(("C:\\" + name).c_str(), text, &kept, &head), -1) << "row " << n;
    EXPECT_EQ(kept != INVALID_HANDLE_VALUE, row.kept) << "row " << n;
    if (kept == INVALID_HANDLE_VALUE) continue;
    EXPECT_EQ(std::string(room, head.got), row.head) << "row " << n;
    EXPECT_EQ(ReadOn(kept), row.rest) << "row " << n;
    CloseHandle(kept);
  }
}

TEST_F(KeptHeadTest, WithoutRoomTheHandleStandsAfterTheTwoBytesLookedAt) {
  WriteHostFile("drive_c/plain.txt", "just text");
  HANDLE kept = INVALID_HANDLE_VALUE;
  Str text;
  EXPECT_EQ(ReadVersionInfo("C:\\plain.txt", text, &kept), -1);
  ASSERT_NE(kept, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadOn(kept), "st text");
  CloseHandle(kept);
}

}  // namespace
