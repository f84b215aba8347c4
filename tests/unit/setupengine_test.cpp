// The setup engine's INF syntax and its uninstall command lines.
#include <gtest/gtest.h>

#include <cstring>

#include "setupengine/hinf_command.h"
#include "setupengine/inf_file.h"
#include "setupengine/inf_strings.h"

namespace {

// Each row: one INF text, the section and key looked up, the fields expected
// of that line joined by '|' (after %...% substitution).
struct TParseRow {
  const char* text;
  const char* section;
  const char* key;
  const char* fields;
};

const TParseRow kParseRows[] = {
    {"[S]\nk = a , b \n", "s", "K", "a|b"},
    {"[S]\nk=\"a, b;c\"\n", "S", "k", "a, b;c"},
    {"[S]\nk=say \"\"hi\"\"; comment\n", "S", "k", "say hi"},
    {"[S]\nk=\"say \"\"hi\"\"\"\n", "S", "k", "say \"hi\""},
    {"[S]\nk=C:\\dir\\\nnext=x\n", "S", "k", "C:\\dirnext=x"},
    {"[S]\nk=a\\  ; note\n   b\n", "S", "k", "ab"},
    {"[S]\nk=C:\\a\\b\n", "S", "k", "C:\\a\\b"},
    {"[S]\nk=\n", "S", "k", ""},
    {"[S]\nk=%x%\\y\n[Strings]\nx=\"P Q\"\n", "S", "k", "P Q\\y"},
    {"[S]\nk=%unknown% 100%% %\n", "S", "k", "%unknown% 100% %"},
    {"[S]\nk=1\n[s]\nm=2\n", "S", "m", "2"},
    {"[S] trailing text\r\nk=v\r\n", "S", "k", "v"},
};

TEST(SetupEngineInf, FieldsAsTheEngineReadsThem) {
  static TInfFile inf;
  for (size_t row = 0; row < sizeof kParseRows / sizeof *kParseRows; ++row) {
    const TParseRow& r = kParseRows[row];
    TInfError error{};
    ASSERT_TRUE(ParseInfText(r.text, std::strlen(r.text), &inf, &error)) << "row " << row << ": " << error.text;
    int section = FindInfSection(inf, r.section);
    ASSERT_GE(section, 0) << "row " << row;
    const TInfLine* line = FindInfLine(inf, section, r.key);
    ASSERT_NE(line, nullptr) << "row " << row;
    Str joined;
    for (int i = 1; i <= line->fieldCount; ++i) {
      if (i > 1) joined.append('|');
      joined.append(SubstituteInfStrings(inf, InfLineField(inf, *line, i), "C:\\INF"));
    }
    EXPECT_STREQ(r.fields, joined.c_str()) << "row " << row;
  }
}

TEST(SetupEngineInf, RefusedFiles) {
  static TInfFile inf;
  const struct {
    const char* text;
    int lineNumber;
  } rows[] = {{"; c\nk=v\n[S]\n", 2}, {"[S]\n[broken\nk=v\n", 2}};
  for (size_t row = 0; row < sizeof rows / sizeof *rows; ++row) {
    TInfError error{};
    EXPECT_FALSE(ParseInfText(rows[row].text, std::strlen(rows[row].text), &inf, &error)) << "row " << row;
    EXPECT_EQ(rows[row].lineNumber, error.lineNumber) << "row " << row;
  }
}

TEST(SetupEngineCommand, CommandLines) {
  const struct {
    const char* line;
    bool accepted;
    const char* section;
    const char* path;
  } rows[] = {
      {"rundll32 setupAPI.dll,InstallHinfSection DefaultUninstall 132 C:\\WINDOWS\\INF\\APP.INF", true,
       "DefaultUninstall", "C:\\WINDOWS\\INF\\APP.INF"},
      {"\"C:\\WINDOWS\\system32\\RUNDLL32.EXE\" setupapi,InstallHinfSection U 132 \"C:\\My Dir\\A.INF\"", true, "U",
       "C:\\My Dir\\A.INF"},
      {"rundll32.exe setupapi.dll InstallHinfSection U 4 A.INF", true, "U", "A.INF"},
      {"rundll32 setupapi.dll,installhinfsection U 132 A.INF", false, "", ""},
      {"rundll setupx.dll,InstallHinfSection U 132 A.INF", false, "", ""},
      {"rundll32 shell32.dll,InstallHinfSection U 132 A.INF", false, "", ""},
      {"rundll32 setupapi.dll,InstallHinfSection U 132", false, "", ""},
  };
  for (size_t row = 0; row < sizeof rows / sizeof *rows; ++row) {
    THinfCommand command{};
    const char* why = "";
    EXPECT_EQ(rows[row].accepted, ParseHinfCommandLine(rows[row].line, &command, &why)) << "row " << row << ": " << why;
    if (!rows[row].accepted) continue;
    EXPECT_STREQ(rows[row].section, command.section) << "row " << row;
    EXPECT_STREQ(rows[row].path, command.infPath) << "row " << row;
  }
}

}  // namespace
