// The field rules of control-file values: quotes, doubled quotes, blanks,
// empty and missing fields, and the in-place split.
#include <gtest/gtest.h>

#include <string>

#include "values/fields.h"

namespace {

// Splits a copy of value into count fields and returns their texts joined by
// "|" (GetFieldText of each start), plus the number of fields present.
std::string Split(const char* value, int count, unsigned skip = 0, int* present = nullptr) {
  char buffer[256];
  snprintf(buffer, sizeof buffer, "%s", value);
  char* fields[8];
  int n = SplitFields(buffer, fields, count, skip);
  if (present) *present = n;
  std::string joined;
  for (int i = 0; i < count; ++i) {
    if (i) joined += "|";
    joined += GetFieldText(fields[i]).c_str();
  }
  return joined;
}

TEST(FindFieldEnd, UnquotedFieldEndsAtFirstCommaOrNul) {
  const char* text = "ab,c";
  EXPECT_EQ(FindFieldEnd(text), text + 2);
  const char* last = "abc";
  EXPECT_EQ(FindFieldEnd(last), last + 3);
  const char* empty = ",x";
  EXPECT_EQ(FindFieldEnd(empty), empty);
}

TEST(FindFieldEnd, QuotedFieldEndsBehindItsClosingQuote) {
  const char* text = "\"a,b\",c";
  EXPECT_EQ(FindFieldEnd(text), text + 5);
  const char* doubled = "\"a\"\"b\",c";  // "a""b",c
  EXPECT_EQ(FindFieldEnd(doubled), doubled + 6);
  // Whatever follows the closing quote is the separator.
  const char* glued = "\"a\"x,c";
  EXPECT_EQ(FindFieldEnd(glued), glued + 3);
}

TEST(FindFieldEnd, UnterminatedQuoteRunsToTheEndOfTheText) {
  const char* text = "\"a,b";
  EXPECT_EQ(FindFieldEnd(text), text + 4);
  const char* doubledAtEnd = "\"a\"\"";  // "a"" : the pair is one quote, no close
  EXPECT_EQ(FindFieldEnd(doubledAtEnd), doubledAtEnd + 4);
}

TEST(FindFieldEnd, BlankBeforeQuoteIsNotAQuotedField) {
  const char* text = " \"a,b\"";
  EXPECT_EQ(FindFieldEnd(text), text + 3);
}

TEST(GetFieldText, QuotedFieldLosesItsQuotesAndCollapsesPairs) {
  EXPECT_STREQ(GetFieldText("\"a,b\"").c_str(), "a,b");
  EXPECT_STREQ(GetFieldText("\"say \"\"hi\"\"\"").c_str(), "say \"hi\"");
  EXPECT_STREQ(GetFieldText("\"\"").c_str(), "");
  EXPECT_STREQ(GetFieldText("\"ab\"cd").c_str(), "ab");  // behind the close: ignored
  EXPECT_STREQ(GetFieldText("\"open").c_str(), "open");  // unterminated
}

TEST(GetFieldText, UnquotedFieldIsReturnedAsItStands) {
  EXPECT_STREQ(GetFieldText(" a \"b\" ").c_str(), " a \"b\" ");
  EXPECT_STREQ(GetFieldText("x,y").c_str(), "x,y");
  EXPECT_STREQ(GetFieldText("").c_str(), "");
  EXPECT_STREQ(GetFieldText(nullptr).c_str(), "");
}

TEST(GetFieldText, QuoteCharacterIsTheCallers) {
  EXPECT_STREQ(GetFieldText("'a''b'", '\'').c_str(), "a'b");
  EXPECT_STREQ(GetFieldText("'a'", '"').c_str(), "'a'");
}

TEST(SplitFields, QuotedFirstFieldWithComma) {
  int present = 0;
  EXPECT_EQ(Split("\"a,b\",c", 2, 0, &present), "a,b|c");
  EXPECT_EQ(present, 2);
}

TEST(SplitFields, DoubledQuotesDoNotEndTheField) {
  EXPECT_EQ(Split("\"x\"\",y\",z", 2), "x\",y|z");
}

TEST(SplitFields, LeadingCommaGivesEmptyFirstField) {
  int present = 0;
  EXPECT_EQ(Split(",b,c", 3, 0, &present), "|b|c");
  EXPECT_EQ(present, 3);
}

TEST(SplitFields, BlanksAreKeptUnlessTheCallerSkipsThem) {
  EXPECT_EQ(Split("a, b, c", 3), "a| b| c");
  EXPECT_EQ(Split("a, b, c", 3, SkipBlanksOf(1)), "a|b| c");
  // Skipping the blanks lets a quote behind them open a quoted field.
  EXPECT_EQ(Split("a, \"b,c\",d", 3, SkipBlanksOf(1) | SkipBlanksOf(2)), "a|b,c|d");
  EXPECT_EQ(Split("a, \"b,c\",d", 3), "a| \"b|c\",d");
}

TEST(SplitFields, MissingFieldsReadEmptyAndAreNotCounted) {
  int present = 0;
  EXPECT_EQ(Split("a,b", 5, 0, &present), "a|b|||");
  EXPECT_EQ(present, 2);
  EXPECT_EQ(Split("", 3, 0, &present), "||");
  EXPECT_EQ(present, 1);
}

TEST(SplitFields, LastWantedFieldKeepsTheRestWithItsCommas) {
  int present = 0;
  EXPECT_EQ(Split("HKLM,Sub,Name,Reg_SZ,x,y,z", 5, 0, &present), "HKLM|Sub|Name|Reg_SZ|x,y,z");
  EXPECT_EQ(present, 5);
  // A quoted rest is unquoted by GetFieldText.
  EXPECT_EQ(Split("a,\"b,c\"", 2), "a|b,c");
}

TEST(SplitFields, TrailingCommaGivesOneMoreEmptyField) {
  int present = 0;
  EXPECT_EQ(Split("a,b,", 4, 0, &present), "a|b||");
  EXPECT_EQ(present, 3);
}

TEST(SplitFields, CharacterAfterClosingQuoteIsConsumedAsSeparator) {
  EXPECT_EQ(Split("\"a\"b,c", 3), "a||c");
}

TEST(SplitFields, UnterminatedQuoteEndsTheSplit) {
  int present = 0;
  EXPECT_EQ(Split("\"a,b,c", 3, 0, &present), "a,b,c||");
  EXPECT_EQ(present, 1);
}

TEST(SplitFields, SplitsInPlaceOverwritingOnlySeparators) {
  char buffer[] = "a,\"b\",c";
  char* fields[3];
  SplitFields(buffer, fields, 3);
  EXPECT_EQ(fields[0], buffer);
  EXPECT_EQ(fields[1], buffer + 2);
  EXPECT_EQ(fields[2], buffer + 6);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string("a\0\"b\"\0c\0", 8));
}

}  // namespace
