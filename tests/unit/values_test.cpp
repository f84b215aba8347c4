// Reading control-file values and key lists into fixed buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/temp_machine.h"
#include "values/profile_values.h"

namespace {

std::vector<std::string> Names(const char* list) {
  std::vector<std::string> names;
  for (const char* key : KeyList(list)) names.push_back(key);
  return names;
}

TEST(KeyList, WalksNamesUpToTheEmptyOne) {
  const char list[] = "one\0two\0three\0\0ignored\0";
  EXPECT_EQ(Names(list), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(KeyList, EmptyListHasNoNames) {
  const char list[] = "\0\0";
  EXPECT_TRUE(Names(list).empty());
}

class ProfileValuesTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    WriteHostFile("drive_c/app.inf",
                  "[Strings]\r\n"
                  "Alpha = first value \r\n"
                  "Quoted=\"  kept blanks  \"\r\n"
                  "Inner=a \"b\" c\r\n"
                  "Empty=\r\n"
                  "[Empty]\r\n"
                  "[Files]\r\n"
                  "name1=x\r\nname2=y\r\nname4=z\r\n");
  }
  const char* inf = "C:\\app.inf";
};

TEST_F(ProfileValuesTest, ValueLosesSurroundingBlanksAndOneQuotePair) {
  char value[64];
  EXPECT_EQ(ReadProfileValue(inf, "strings", "ALPHA", value), 11u);
  EXPECT_STREQ(value, "first value");
  EXPECT_EQ(ReadProfileValue(inf, "Strings", "Quoted", value), 15u);
  EXPECT_STREQ(value, "  kept blanks  ");
  ReadProfileValue(inf, "Strings", "Inner", value);
  EXPECT_STREQ(value, "a \"b\" c");
}

TEST_F(ProfileValuesTest, AbsentAndEmptyReadTheSame) {
  char value[16] = "junk";
  EXPECT_EQ(ReadProfileValue(inf, "Strings", "Empty", value), 0u);
  EXPECT_STREQ(value, "");
  strcpy(value, "junk");
  EXPECT_EQ(ReadProfileValue(inf, "Strings", "Missing", value), 0u);
  EXPECT_STREQ(value, "");
  strcpy(value, "junk");
  EXPECT_EQ(ReadProfileValue("C:\\none.inf", "Strings", "Alpha", value), 0u);
  EXPECT_STREQ(value, "");
}

TEST_F(ProfileValuesTest, LongValueIsCutToTheBufferMinusOne) {
  char value[6];
  EXPECT_EQ(ReadProfileValue(inf, "Strings", "Alpha", value), 5u);
  EXPECT_STREQ(value, "first");
}

TEST_F(ProfileValuesTest, KeyListInFileOrder) {
  char keys[64];
  EXPECT_EQ(ReadProfileKeyList(inf, "FILES", keys), 18u);
  EXPECT_EQ(Names(keys), (std::vector<std::string>{"name1", "name2", "name4"}));
}

TEST_F(ProfileValuesTest, CutKeyListStillEndsInTwoNuls) {
  char keys[16];
  memset(keys, 'x', sizeof keys);
  EXPECT_EQ(ReadProfileKeyList(inf, "Files", keys), 14u);
  EXPECT_EQ(std::string(keys, 16), std::string("name1\0name2\0na\0\0", 16));
  EXPECT_EQ(Names(keys), (std::vector<std::string>{"name1", "name2", "na"}));
}

TEST_F(ProfileValuesTest, MissingOrEmptySectionIsAnEmptyList) {
  char keys[32];
  memset(keys, 'x', sizeof keys);
  EXPECT_EQ(ReadProfileKeyList(inf, "Empty", keys), 0u);
  EXPECT_TRUE(Names(keys).empty());
  memset(keys, 'x', sizeof keys);
  EXPECT_EQ(ReadProfileKeyList(inf, "NoSuchSection", keys), 0u);
  EXPECT_TRUE(Names(keys).empty());
  memset(keys, 'x', sizeof keys);
  EXPECT_EQ(ReadProfileKeyList("C:\\none.inf", "Files", keys), 0u);
  EXPECT_TRUE(Names(keys).empty());
}

}  // namespace
