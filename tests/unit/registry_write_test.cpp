// [RegWrite] / [RegWriteUninstall]: the line fields, value types, the status
// of each value, the early ends of a section and the uninstall fallback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/registry_line.h"
#include "actions/registry_write.h"
#include "actions/uninstall_fallback.h"
#include "common/root_key.h"
#include "tests/unit/registry_test_support.h"

namespace {

const char kInf[] = "C:\\pkg\\APP.INF";

TEST(RootKeyNames, OnlyTheThreeShortNamesInAnyCase) {
  HKEY key = nullptr;
  EXPECT_TRUE(LookUpRootKey("HKLM", key));
  EXPECT_EQ(key, HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(LookUpRootKey("hkcu", key));
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  EXPECT_TRUE(LookUpRootKey("HkCr", key));
  EXPECT_EQ(key, HKEY_CLASSES_ROOT);
  for (const char* name : {"HKU", "HKCC", "HKEY_LOCAL_MACHINE", "HKLM ", " HKLM", ""})
    EXPECT_FALSE(LookUpRootKey(name, key)) << name;
}

TEST(DwordData, HexadecimalOfAtMostEightDigitsBetweenBlanks) {
  DWORD value = 7;
  EXPECT_EQ(ParseDwordData("00000010", value), DwordParsed);
  EXPECT_EQ(value, 16u);
  EXPECT_EQ(ParseDwordData(" ff ", value), DwordParsed);
  EXPECT_EQ(value, 255u);
  EXPECT_EQ(ParseDwordData("FFFFFFFF", value), DwordParsed);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  EXPECT_EQ(ParseDwordData("", value), DwordParsed);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(ParseDwordData("   ", value), DwordParsed);
  EXPECT_EQ(value, 0u);
  value = 7;
  EXPECT_EQ(ParseDwordData("123456789", value), DwordTooLong);
  EXPECT_EQ(ParseDwordData("12G4", value), DwordNotHex);
  EXPECT_EQ(ParseDwordData("1 2", value), DwordNotHex);
  EXPECT_EQ(ParseDwordData("0x10", value), DwordNotHex);
  EXPECT_EQ(value, 7u);  // untouched when the data is refused
}

TEST(RegWriteLine, FieldsTypeAndData) {
  char line[] = "HKLM,Software\\X,Name,Reg_SZ,\"a,b\"\"c\"";
  TRegWriteLine parts;
  ASSERT_TRUE(SplitRegWriteLine(line, parts));
  EXPECT_STREQ(parts.Root, "HKLM");
  EXPECT_STREQ(parts.Subkey, "Software\\X");
  EXPECT_STREQ(parts.ValueName, "Name");
  EXPECT_STREQ(parts.Type, "Reg_SZ");
  EXPECT_STREQ(parts.Data.c_str(), "a,b\"c");

  char unquoted[] = "HKCU,S,N,,a, b,c";
  ASSERT_TRUE(SplitRegWriteLine(unquoted, parts));
  EXPECT_STREQ(parts.Data.c_str(), "a, b,c");

  // A type at the end of the line does not count.
  char typeOnly[] = "HKLM,S,N,Reg_DWORD";
  ASSERT_TRUE(SplitRegWriteLine(typeOnly, parts));
  EXPECT_STREQ(parts.ValueName, "N");
  EXPECT_STREQ(parts.Type, "");
  EXPECT_STREQ(parts.Data.c_str(), "");

  char rootOnly[] = "HKLM";
  EXPECT_FALSE(SplitRegWriteLine(rootOnly, parts));
}

TEST(RegWriteLine, TypeNames) {
  EXPECT_EQ(RegWriteTypeOf("reg_sz"), RegWriteString);
  EXPECT_EQ(RegWriteTypeOf("????"), RegWriteString);
  EXPECT_EQ(RegWriteTypeOf(""), RegWriteString);
  EXPECT_EQ(RegWriteTypeOf("REG_DWORD"), RegWriteDword);
  EXPECT_EQ(RegWriteTypeOf("Reg_Binary"), RegWriteUnknownType);
  EXPECT_EQ(RegWriteTypeOf(" Reg_SZ"), RegWriteUnknownType);
}

class RegistryWriteTest : public RegistryPhaseTest {
 protected:
  void SetUp() override {
    RegistryPhaseTest::SetUp();
    WriteRegistry("");
  }
  void WriteSection(const std::string& section, const std::string& lines) {
    WriteHostFile("drive_c/pkg/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n[" + section + "]\r\n" + lines);
  }
  int32_t Write(const std::string& lines, const char* section = "RegWrite") {
    WriteSection(section, lines);
    return WriteRegistrySection(section, kInf);
  }
  static DWORD DwordValue(HKEY root, const char* subkey, const char* name) {
    DWORD type;
    std::string data;
    if (!ReadValue(root, subkey, name, type, data) || type != REG_DWORD || data.size() != 4)
      return 0xDEADBEEF;
    return static_cast<unsigned char>(data[0]) | static_cast<unsigned char>(data[1]) << 8 |
           static_cast<unsigned char>(data[2]) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(data[3])) << 24;
  }
};

TEST_F(RegistryWriteTest, CreatedThenRefreshedThenChanged) {
  EXPECT_EQ(Write("a=HKLM,Software\\X,N,Reg_SZ,abc\r\n"), 0);
  EXPECT_STREQ(MessageBuffer.c_str(), "HKLM\\Software\\X\tcreated\r\nHKLM\\Software\\X\tN created\r\n");
  MessageBuffer.clear();
  EXPECT_EQ(Write("a=HKLM,Software\\X,N,Reg_SZ,abc\r\n"), 0);
  EXPECT_STREQ(MessageBuffer.c_str(), "HKLM\\Software\\X\tN refreshed\r\n");
  MessageBuffer.clear();
  // Compared byte for byte: a change of case is a change.
  EXPECT_EQ(Write("a=HKLM,Software\\X,N,Reg_SZ,ABC\r\n"), 0);
  EXPECT_STREQ(MessageBuffer.c_str(), "HKLM\\Software\\X\tN changed\r\n");
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", "N"), "ABC");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(RegistryWriteTest, DwordRefreshedChangedAndATypeChangeIsSet) {
  EXPECT_EQ(Write("a=HKCU,Software\\X,N,Reg_SZ,10\r\nb=hkcu,Software\\X,N,Reg_DWORD,00000010\r\n"
                  "c=HKCU,Software\\X,N,reg_dword,10\r\nd=HKCU,Software\\X,N,Reg_DWORD,11\r\n"),
            0);
  // The root is logged as written.
  EXPECT_STREQ(MessageBuffer.c_str(),
               "HKCU\\Software\\X\tcreated\r\nHKCU\\Software\\X\tN created\r\n"
               "hkcu\\Software\\X\tN set\r\nHKCU\\Software\\X\tN refreshed\r\n"
               "HKCU\\Software\\X\tN changed\r\n");
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, "Software\\X", "N"), 0x11u);
}

TEST_F(RegistryWriteTest, DwordDataAsHexadecimal) {
  EXPECT_EQ(Write("a=HKCU,Software\\D,Sixteen,Reg_DWORD,00000010\r\n"
                  "b=\"HKCU,Software\\D,Blanks,Reg_DWORD, ff \"\r\n"
                  "c=HKCU,Software\\D,Empty,Reg_DWORD,\r\n"),
            0);
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, "Software\\D", "Sixteen"), 16u);
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, "Software\\D", "Blanks"), 255u);
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, "Software\\D", "Empty"), 0u);
}

TEST_F(RegistryWriteTest, DwordDataThatIsNotANumberStopsTheSectionAsAFailure) {
  EXPECT_EQ(Write("a=HKCU,Software\\D,Long,Reg_DWORD,123456789\r\nb=HKCU,Software\\D,After,,x\r\n"),
            101);
  EXPECT_STREQ(MessageBuffer.c_str(), "MessageBox: max. 8 digit!\r\n");
  MessageBuffer.clear();
  EXPECT_EQ(Write("a=HKCU,Software\\D,Bad,Reg_DWORD,12G4\r\nb=HKCU,Software\\D,After,,x\r\n"), 101);
  EXPECT_STREQ(MessageBuffer.c_str(), "MessageBox: String can't be converted to DWord\r\n");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\D", "After"), "<none>");
  // The result is for the caller to add; the section itself leaves ErrorLevel alone.
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(RegistryWriteTest, TypeFieldWithoutDataWritesAnEmptyString) {
  EXPECT_EQ(Write("a=HKLM,Software\\X,N,Reg_DWORD\r\n"), 0);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", "N"), "");
}

TEST_F(RegistryWriteTest, DefaultValuesAreLoggedAsDefault) {
  EXPECT_EQ(Write("a=HKLM,Software\\X,,Reg_SZ,abc\r\nb=HKCU,Software\\Y\r\n"), 0);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", ""), "abc");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\Y", ""), "");
  EXPECT_STREQ(MessageBuffer.c_str(),
               "HKLM\\Software\\X\tcreated\r\nHKLM\\Software\\X\t<default> created\r\n"
               "HKCU\\Software\\Y\tcreated\r\nHKCU\\Software\\Y\t<default> created\r\n");
}

TEST_F(RegistryWriteTest, TypeNotImplementedIsAFailureButTheLineIsWrittenAsString) {
  ErrorLevel = 3;
  EXPECT_EQ(Write("a=HKLM,Software\\X,N,Reg_BINARY,01 02\r\nb=HKLM,Software\\X,M,,next\r\n"), 0);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Error RegWrite: Type not implemented: Reg_BINARY\r\n"
               "HKLM\\Software\\X\tcreated\r\nHKLM\\Software\\X\tN created\r\n"
               "HKLM\\Software\\X\tM created\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", "N"), "01 02");
}

TEST_F(RegistryWriteTest, QuotedDataLosesItsQuotesAndUnquotedDataKeepsItsCommas) {
  EXPECT_EQ(Write("a=HKLM,Software\\X,Q,Reg_SZ,\"a, \"\"b\"\"\"\r\n"
                  "b=HKLM,Software\\X,C,????,a,b, c\r\n"
                  "c=HKLM,Software\\%USERNAME%,E,,%windir%\\x\r\n"),
            0);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", "Q"), "a, \"b\"");
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\X", "C"), "a,b, c");
  // The line is expanded before it is split.
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, "Software\\user", "E"), "C:\\WINDOWS\\x");
}

TEST_F(RegistryWriteTest, LineWithoutSubkeyStopsTheSectionWithAWarningAndNoLine) {
  SetEnvironmentVariableA("R", "HKCU");
  EXPECT_EQ(Write("a=HKCU,Software\\First,N,,1\r\nb=%R%\r\nc=HKCU,Software\\Later,N,,x\r\n"), 1);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "HKCU\\Software\\First\tcreated\r\nHKCU\\Software\\First\tN created\r\n"
               "MessageBox: Error in the Line \"HKCU\", too less parameters\r\n");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\Later", "N"), "<none>");
}

TEST_F(RegistryWriteTest, EmptyLinesAreSkippedAndARepeatedKeyReadsTheFirstValue) {
  EXPECT_EQ(Write("a=\r\nb=HKCU,Software\\X,N,,first\r\nb=HKCU,Software\\X,N,,second\r\n"), 0);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "HKCU\\Software\\X\tcreated\r\nHKCU\\Software\\X\tN created\r\n"
               "HKCU\\Software\\X\tN refreshed\r\n");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\X", "N"), "first");
}

TEST_F(RegistryWriteTest, ValueThatCannotBeSetLogsFailedAndStopsWithAWarning) {
  WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Existing]\r\n\"Old\"=\"x\"\r\n");
  MakeNonAdmin();
  EXPECT_EQ(Write("a=HKLM,Software\\Existing,N,,v\r\nb=HKLM,Software\\Existing,Old,,v\r\n"), 1);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "MessageBox: Error at SetValue of Software\\Existing\r\n"
               "HKLM\\Software\\Existing\tN creat: failed!\r\n");
}

const char kFallbackLines[] =
    "Warning: couldn't write Uninstall to Registry for ControlPanel, Software\r\n"
    "         Actual User does not have Administtrator Rights assumed\r\n";

TEST_F(RegistryWriteTest, KeyThatCannotBeCreatedWithoutErrSectionIsAFailure) {
  MakeNonAdmin();
  EXPECT_EQ(Write("u=HKLM,Software\\Uninstall\\App,UninstallString,,x\r\nErrSection=Links\r\n",
                  "RegWriteUninstall"),
            101);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            std::string(kFallbackLines) + "         and no ErrSection=... set in [RegWriteUninstall]\r\n");
  // HKEY_CURRENT_USER stays writable, and each call starts without ErrSection.
  MessageBuffer.clear();
  WriteSection("RegWrite", "ErrSection=Links\r\na=HKCU,Software\\Y,N,,v\r\n");
  EXPECT_EQ(WriteRegistrySection("RegWrite", kInf), 0);
  EXPECT_EQ(Write("u=HKLM,Software\\Z,N,,x\r\n"), 101);
}

TEST_F(RegistryWriteTest, KeyThatCannotBeCreatedWithErrSectionCreatesItsLinks) {
  MakeNonAdmin();
  int32_t result = Write("ErrSection=Links\r\nu=HKLM,Software\\Uninstall\\App,UninstallString,,x\r\n"
                         "v=HKCU,Software\\After,N,,x\r\n",
                         "RegWriteUninstall");
  std::string log = MessageBuffer.c_str();
  ASSERT_EQ(log.compare(0, sizeof kFallbackLines - 1, kFallbackLines), 0) << log;
  // Which of the two outcomes depends on the link section; the result agrees with the line.
  if (result == 1)
    EXPECT_NE(log.find("Alternate Uninstall via Link sucessfully set\r\n"), std::string::npos) << log;
  else
    EXPECT_NE(log.find("Alternate Uninstall via Link also failed\r\n"), std::string::npos) << log;
  EXPECT_TRUE(result == 1 || result == 101) << result;
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\After", "N"), "<none>");
}

struct LinkCall {
  std::string section, folder, file;
};
std::vector<LinkCall> g_linkCalls;
int LinksSucceed(const char* s, const char* f, const char* c) {
  g_linkCalls.push_back({s, f, c});
  return 0;
}
int LinksFail(const char* s, const char* f, const char* c) {
  g_linkCalls.push_back({s, f, c});
  return 2;
}

TEST_F(RegistryWriteTest, FallbackResultFollowsTheLinkCreation) {
  WriteSection("Links", "1=Uninstall App,rundll32.exe\r\n");
  g_linkCalls.clear();
  EXPECT_EQ(RunUninstallFallback("RegWriteUninstall", "Links", kInf, LinksSucceed), 1);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            std::string(kFallbackLines) + "Alternate Uninstall via Link sucessfully set\r\n");
  ASSERT_EQ(g_linkCalls.size(), 1u);
  EXPECT_EQ(g_linkCalls[0].section, "Links");
  EXPECT_EQ(g_linkCalls[0].folder, "");
  EXPECT_EQ(g_linkCalls[0].file, kInf);
  MessageBuffer.clear();
  EXPECT_EQ(RunUninstallFallback("RegWriteUninstall", "Links", kInf, LinksFail), 101);
  EXPECT_EQ(std::string(MessageBuffer.c_str()),
            std::string(kFallbackLines) + "Alternate Uninstall via Link also failed\r\n");
  MessageBuffer.clear();
  EXPECT_EQ(RunUninstallFallback("RegWrite", "", kInf, LinksFail), 101);
  EXPECT_EQ(g_linkCalls.size(), 2u);
  EXPECT_EQ(ErrorLevel, 0);
}

// An ErrSection that makes no link is no way to uninstall: the fallback
// fails without trying, whatever the link creation would have returned.
TEST_F(RegistryWriteTest, FallbackToASectionWithoutLinesFails) {
  struct {
    const char* file;
    bool tried;
  } rows[] = {
      {"[Version]\r\nFormKw=TALVEN\r\n", false},                             // no such section
      {"[Links]\r\n", false},                                                 // empty section
      {"[Links]\r\n; a comment\r\n1=\r\n2=  \r\n", false},                  // only empty lines
      {"[Links]\r\n1=\r\n2=Uninstall App,rundll32.exe\r\n", true},          // one line
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    WriteHostFile("drive_c/pkg/APP.INF", rows[i].file);
    MessageBuffer.clear();
    g_linkCalls.clear();
    int32_t expected = rows[i].tried ? 1 : 101;
    const char* line = rows[i].tried ? "Alternate Uninstall via Link sucessfully set\r\n"
                                     : "Alternate Uninstall via Link also failed\r\n";
    EXPECT_EQ(RunUninstallFallback("RegWriteUninstall", "Links", kInf, LinksSucceed), expected)
        << "row " << i;
    EXPECT_EQ(std::string(MessageBuffer.c_str()), std::string(kFallbackLines) + line) << "row " << i;
    EXPECT_EQ(g_linkCalls.size(), rows[i].tried ? 1u : 0u) << "row " << i;
  }
}

}  // namespace
