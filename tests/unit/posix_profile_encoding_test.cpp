// Profile files with a byte-order mark in the emulation, as Windows reads
// them: UTF-16LE ones are read and written back in UTF-16LE; a UTF-8 mark is
// only text of the first line.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/unit/temp_machine.h"

namespace {

const char kIni[] = "C:\\enc.ini";
const char kIniHost[] = "drive_c/enc.ini";

// UTF-16LE bytes of Latin-1 text (every character below U+0100), with the mark.
std::string Utf16(const std::string& latin1) {
  std::string bytes = "\xFF\xFE";
  for (char c : latin1) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

// The same with one character above U+00FF in place of each '#'.
std::string Utf16With(const std::string& latin1, char high, char low) {
  std::string bytes = Utf16(latin1);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    if (bytes[i] == '#') bytes[i] = low, bytes[i + 1] = high;
  return bytes;
}

class PosixProfileEncodingTest : public TempMachineTest {
 protected:
  std::string Read(const char* section, const char* key) const {
    char buffer[64];
    DWORD n = GetPrivateProfileStringA(section, key, "-", buffer, sizeof buffer, kIni);
    return std::string(buffer, n);
  }
};

TEST_F(PosixProfileEncodingTest, WhatEachFileReads) {
  const struct {
    std::string file;
    const char* section;
    const char* key;
    const char* value;
  } rows[] = {
      {Utf16("[Version]\r\nFormKw=TALVEN \xE9t\xE9\r\n"), "Version", "FormKw", "TALVEN \xE9t\xE9"},
      // A character the ANSI code page lacks reads as '?'.
      {Utf16With("[s]\r\nk=#\r\n", '\x04', '\x16'), "s", "k", "?"},
      // The UTF-8 mark belongs to the first line: no header there.
      {"\xEF\xBB\xBF[Version]\r\nFormKw=TALVEN\r\n", "Version", "FormKw", "-"},
      // ... and no harm to a header on a later line.
      {"\xEF\xBB\xBF; package\r\n[Version]\r\nFormKw=TALVEN\r\n", "Version", "FormKw", "TALVEN"},
      // A byte-swapped mark makes no UTF-16BE file: the text reads as ANSI.
      {std::string("\xFE\xFF\0[\0s\0]\0\r\0\nk=v\r\n", 16), "s", "k", "-"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    WriteHostFile(kIniHost, rows[i].file);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kIni);  // forget the last row's file
    EXPECT_EQ(Read(rows[i].section, rows[i].key), rows[i].value) << "row " << i;
  }
}

TEST_F(PosixProfileEncodingTest, AUnicodeProfileIsWrittenBackInUtf16) {
  WriteHostFile(kIniHost, Utf16("[Version]\r\nFormKw=TALVEN\r\n"));
  ASSERT_TRUE(WritePrivateProfileStringA("Strings", "Dir", "C:\\Caf\xE9", kIni));
  ASSERT_TRUE(WritePrivateProfileStringA("Version", "FormKw", "TALVEN 2", kIni));
  EXPECT_EQ(ReadHostFile(kIniHost),
            Utf16("[Version]\r\nFormKw=TALVEN 2\r\n[Strings]\r\nDir=C:\\Caf\xE9\r\n"));
  EXPECT_EQ(Read("Strings", "Dir"), "C:\\Caf\xE9");
}

// A file of the mark alone is an empty Unicode profile.
TEST_F(PosixProfileEncodingTest, TheMarkAloneMakesAUnicodeProfile) {
  WriteHostFile(kIniHost, "\xFF\xFE");
  ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", kIni));
  EXPECT_EQ(ReadHostFile(kIniHost), Utf16("[s]\r\nk=v\r\n"));
}

// With a UTF-8 mark before its first header, a write to that section
// cannot find it and adds a second one at the end; the mark stays.
TEST_F(PosixProfileEncodingTest, AUtf8MarkStaysAndHidesTheFirstHeader) {
  WriteHostFile(kIniHost, "\xEF\xBB\xBF[s]\r\nk=v\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "w", kIni));
  EXPECT_EQ(ReadHostFile(kIniHost), "\xEF\xBB\xBF[s]\r\nk=v\r\n[s]\r\nk=w\r\n");
}

}  // namespace
