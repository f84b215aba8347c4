// %name% expansion into fixed buffers and the overflow of ExpandEnvPasString.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/temp_machine.h"
#include "values/expand.h"

namespace {

TEST(ExpandOverflowMessage, NamesBufferTextAndNeededSize) {
  EXPECT_STREQ(ExpandOverflowMessage(521, "%Long%\\x", 600).c_str(),
               "Buffersize = 521 at ExpandEnvPasString %Long%\\x too small, 600 required");
}

class ExpandTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    ASSERT_TRUE(SetEnvironmentVariableA("AppDir", "C:\\Program Files\\App"));
    ASSERT_TRUE(SetEnvironmentVariableA("Nested", "in%AppDir%side"));
  }
  // Sets variable Long to a value of length characters.
  void SetLong(size_t length) {
    ASSERT_TRUE(SetEnvironmentVariableA("Long", std::string(length, 'v').c_str()));
  }
};

TEST_F(ExpandTest, ReplacesReferencesWithoutRegardToCase) {
  char buffer[261];
  EXPECT_EQ(ExpandInto("%appdir%\\bin", buffer), 24u);
  EXPECT_STREQ(buffer, "C:\\Program Files\\App\\bin");
}

TEST_F(ExpandTest, UnsetReferenceStaysAndValuesAreNotExpandedAgain) {
  char buffer[261];
  ExpandInto("%NoSuchVar%;%Nested%", buffer);
  EXPECT_STREQ(buffer, "%NoSuchVar%;in%AppDir%side");
}

TEST_F(ExpandTest, ResultThatDoesNotFitIsCutToTheBuffer) {
  char buffer[8];
  EXPECT_EQ(ExpandInto("%AppDir%", buffer), 7u);
  EXPECT_STREQ(buffer, "C:\\Prog");
  // Exactly fitting: all characters and the NUL.
  char exact[21];
  EXPECT_EQ(ExpandInto("%AppDir%", exact), 20u);
  EXPECT_STREQ(exact, "C:\\Program Files\\App");
}

TEST_F(ExpandTest, BufferOfOneGivesTheEmptyText) {
  char buffer[1] = {'x'};
  EXPECT_EQ(ExpandInto("%AppDir%", buffer), 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(ExpandTest, PasStringAcceptsFiveHundredTwentyCharacters) {
  SetLong(520);
  Str result;
  Str message;
  EXPECT_TRUE(TryExpandEnvPasString("%Long%", result, message));
  EXPECT_EQ(result.size(), 520u);
  EXPECT_TRUE(message.empty());
}

TEST_F(ExpandTest, PasStringOverflowsAtFiveHundredTwentyOne) {
  SetLong(521);
  Str result;
  Str message;
  EXPECT_FALSE(TryExpandEnvPasString("%Long%", result, message));
  EXPECT_STREQ(message.c_str(),
               "Buffersize = 521 at ExpandEnvPasString %Long% too small, 522 required");
}

TEST_F(ExpandTest, PasStringOverflowNamesTheRealNeededSize) {
  SetLong(4000);
  Str result;
  Str message;
  EXPECT_FALSE(TryExpandEnvPasString("x%Long%y", result, message));
  EXPECT_STREQ(message.c_str(),
               "Buffersize = 521 at ExpandEnvPasString x%Long%y too small, 4003 required");
}

TEST_F(ExpandTest, PasStringExpandsShortText) {
  Str result;
  Str message;
  EXPECT_TRUE(TryExpandEnvPasString("%AppDir%\\%Missing%", result, message));
  EXPECT_STREQ(result.c_str(), "C:\\Program Files\\App\\%Missing%");
}

}  // namespace
