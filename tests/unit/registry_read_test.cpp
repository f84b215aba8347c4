// [RegRead]: variables from the registry, written into [Strings] of the
// installed copy; the warnings that go on and the errors that end the run.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/unit/registry_test_support.h"
#include "values/registry_read.h"

namespace {

const char kCopy[] = "C:\\WINDOWS\\INF\\APP.INF";

class RegistryReadTest : public RegistryPhaseTest {
 protected:
  void SetUp() override {
    RegistryPhaseTest::SetUp();
    WriteRegistry(
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
        "@=\"default text\"\r\n"
        "\"Dir\"=\"C:\\\\Other\"\r\n"
        "\"a,b\"=\"with commas\"\r\n"
        "\"Ref\"=\"%windir%\\\\x\"\r\n"
        "\"Empty\"=\"\"\r\n"
        "\"Count\"=dword:00000010\r\n"
        "\"Expand\"=" + ExpandSz("%windir%") + "\r\n");
  }
  TRegReadResult Read(const std::string& entries) {
    WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n[RegRead]\r\n" + entries);
    return ReadRegistryVariables(kCopy);
  }
  // The variable and the [Strings] entry of the installed copy agree.
  void ExpectVariable(const char* name, const std::string& value) {
    EXPECT_EQ(Env(name), value) << name;
    EXPECT_EQ(IniValue(kCopy, "Strings", name), value) << name;
  }
};

TEST_F(RegistryReadTest, NamedAndDefaultValuesBecomeVariablesAndStrings) {
  EXPECT_EQ(Read("Dir=HKLM,Software\\Other,Dir\r\n"
                 "Commas=hklm,Software\\Other,a,b\r\n"
                 "Default=HKLM,Software\\Other\r\n"
                 "EmptyName=HKLM,Software\\Other,\r\n"
                 "Ref=HKLM,Software\\Other,Ref\r\n"
                 "Empty=HKLM,Software\\Other,Empty\r\n"),
            RegReadDone);
  ExpectVariable("Dir", "C:\\Other");
  ExpectVariable("Commas", "with commas");
  ExpectVariable("Default", "default text");
  ExpectVariable("EmptyName", "default text");
  // A registry value that holds references is expanded before it is stored.
  ExpectVariable("Ref", "C:\\WINDOWS\\x");
  ExpectVariable("Empty", "");
  EXPECT_NE(Env("Empty"), "<unset>");
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  EXPECT_EQ(ErrorLevel, 0);
}

TEST_F(RegistryReadTest, RootSubkeyAndValueNameMayAllComeFromVariables) {
  SetEnvironmentVariableA("Root", "HKLM");
  SetEnvironmentVariableA("Key", "Software\\Other");
  SetEnvironmentVariableA("Name", "a,b");
  EXPECT_EQ(Read("X=%Root%,%Key%,%Name%\r\n"), RegReadDone);
  ExpectVariable("X", "with commas");
}

TEST_F(RegistryReadTest, EntryWithoutCommaEndsTheRun) {
  SetEnvironmentVariableA("Key", "Software\\Other");
  EXPECT_EQ(Read("Key=%Key%\r\nDir=HKLM,Software\\Other,Dir\r\n"), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "INF Syntax error: missing \",\" in [ReadReg], Key\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(Env("Dir"), "<unset>");
}

TEST_F(RegistryReadTest, ALaterEntryRefersToAVariableThatAnEarlierOneSet) {
  WriteRegistry("[HKEY_CURRENT_USER\\Software\\A]\r\n\"Next\"=\"Software\\\\B\"\r\n\r\n"
                "[HKEY_CURRENT_USER\\Software\\B]\r\n\"V\"=\"found\"\r\n");
  SetEnvironmentVariableA("Root", "HKCU");
  EXPECT_EQ(Read("Next=%Root%,Software\\A,Next\r\nV=%Root%,%Next%,V\r\n"), RegReadDone);
  ExpectVariable("V", "found");
}

TEST_F(RegistryReadTest, TheRunsOwnNamesAreSkippedButNotTheDirectories) {
  SetEnvironmentVariableA("rundll", "rundll32");
  EXPECT_EQ(Read("RUNDLL=HKLM,Software\\Other,Dir\r\nsetupx=x\r\nInfPath=x\r\nprojectversion=x\r\n"
                 "MyProgramPath=HKLM,Software\\Other,Dir\r\nMyStartMenu=HKLM,Software\\Other\r\n"),
            RegReadDone);
  EXPECT_EQ(Env("rundll"), "rundll32");
  EXPECT_EQ(IniValue(kCopy, "Strings", "rundll"), "<absent>");
  ExpectVariable("MyProgramPath", "C:\\Other");
  ExpectVariable("MyStartMenu", "default text");
  EXPECT_STREQ(MessageBuffer.c_str(), "");
}

TEST_F(RegistryReadTest, MissingKeyOrValueIsAWarningAndTheWalkGoesOn) {
  SetEnvironmentVariableA("Kept", "before");
  EXPECT_EQ(Read("Kept=HKLM,Software\\Missing,Dir\r\n"
                 "Lost=HKCU,Software\\Other,Dir\r\n"
                 "NoValue=HKLM,Software\\Other,a,c\r\n"
                 "NoDefault=HKLM,Software\r\n"
                 "Dir=HKLM,Software\\Other,Dir\r\n"),
            RegReadDone);
  EXPECT_STREQ(MessageBuffer.c_str(),
               "Couldn't open Kept\\Software\\Missing\r\n"
               "Couldn't open Lost\\Software\\Other\r\n"
               "Couldn't query value NoValue\\Software\\Other,a,c\r\n"
               "Couldn't query value NoDefault\\Software,\r\n");
  EXPECT_EQ(ErrorLevel, 4);
  EXPECT_EQ(Env("Kept"), "before");
  ExpectVariable("Dir", "C:\\Other");
}

TEST_F(RegistryReadTest, ValuesOtherThanRegSzEndTheRun) {
  ErrorLevel = 2;
  EXPECT_EQ(Read("Count=HKLM,Software\\Other,Count\r\nDir=HKLM,Software\\Other,Dir\r\n"), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "Error in RegRead_Expand_Strings: only REG_SZ supported HKLM\r\n");
  EXPECT_EQ(ErrorLevel, 103);
  EXPECT_EQ(Env("Count"), "<unset>");
  EXPECT_EQ(Env("Dir"), "<unset>");

  MessageBuffer.clear();
  ErrorLevel = 0;
  EXPECT_EQ(Read("Expand=hklm,Software\\Other,Expand\r\n"), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "Error in RegRead_Expand_Strings: only REG_SZ supported hklm\r\n");
  EXPECT_EQ(ErrorLevel, 101);
}

TEST_F(RegistryReadTest, EntryOf520CharactersCountsAsCut) {
  // "HKLM,Software\Other," and a value name that fills the rest.
  std::string head = "HKLM,Software\\Other,";
  std::string entry519 = head + std::string(519 - head.size(), 'n');
  EXPECT_EQ(Read("Long=" + entry519 + "\r\n"), RegReadDone);
  EXPECT_EQ(ErrorLevel, 1);  // processed: the value does not exist
  MessageBuffer.clear();
  ErrorLevel = 0;
  EXPECT_EQ(Read("Long=" + entry519 + "n\r\nDir=HKLM,Software\\Other,Dir\r\n"), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "Internal error: Buffer in RegRead_Expand_Strings too small!\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(Env("Dir"), "<unset>");
}

TEST_F(RegistryReadTest, ExpansionBeyond521CharactersEndsTheRun) {
  SetEnvironmentVariableA("Big", std::string(510, 'b').c_str());
  ErrorLevel = 100;
  EXPECT_EQ(Read("X=HKLM,Software\\%Big%\r\n"), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "Internal error: Buffer in RegRead_Expand_Strings too small!\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  // 520 characters after expansion still fit.
  MessageBuffer.clear();
  ErrorLevel = 0;
  std::string head = "HKLM,Software\\Other,";
  SetEnvironmentVariableA("Big", std::string(520 - head.size(), 'b').c_str());
  EXPECT_EQ(Read("X=" + head + "%Big%\r\n"), RegReadDone);
  EXPECT_EQ(ErrorLevel, 1);
}

TEST_F(RegistryReadTest, KeyListThatDoesNotFitEndsTheRun) {
  std::string entries;
  for (int i = 0; i < 300; ++i) {
    char name[16];
    snprintf(name, sizeof name, "Name%04d", i);
    entries += std::string(name) + "=HKLM,Software\\Other,Dir\r\n";
  }
  EXPECT_EQ(Read(entries), RegReadStop);
  EXPECT_STREQ(MessageBuffer.c_str(), "Internal error: Buffer in RegRead_Expand_Strings too small!\r\n");
  EXPECT_EQ(ErrorLevel, 101);
  EXPECT_EQ(Env("Name0000"), "<unset>");
}

TEST_F(RegistryReadTest, NoSectionDoesNothing) {
  WriteHostFile("drive_c/WINDOWS/INF/APP.INF", "[Version]\r\nFormKw=TALVEN\r\n");
  EXPECT_EQ(ReadRegistryVariables(kCopy), RegReadDone);
  EXPECT_EQ(Read(""), RegReadDone);
  EXPECT_STREQ(MessageBuffer.c_str(), "");
  EXPECT_EQ(ErrorLevel, 0);
}

}  // namespace
