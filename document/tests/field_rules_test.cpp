#include "document/field_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quillon {
namespace {

TEST(FieldRules, BooleanIsTrueOnlyForTrueAndOne) {
  EXPECT_TRUE(BooleanToken("True"));
  EXPECT_TRUE(BooleanToken("1"));
  for (const char* no : {"true", "TRUE", "1.0", "01", "-1", "0", "", "Yes"})
    EXPECT_FALSE(BooleanToken(no)) << no;
}

TEST(FieldRules, NumbersAreLenientAndIntegersRoundHalfToEven) {
  EXPECT_EQ(IntegerToken("40"), 40);
  EXPECT_EQ(IntegerToken("2.5"), 2);
  EXPECT_EQ(IntegerToken("3.5"), 4);
  EXPECT_EQ(IntegerToken("-0.5"), 0);
  EXPECT_EQ(IntegerToken("12abc"), 12);
  EXPECT_EQ(IntegerToken("abc"), 0);
  EXPECT_EQ(IntegerToken(""), 0);
  EXPECT_EQ(IntegerToken("1e20"), std::numeric_limits<int32_t>::max());
  EXPECT_FLOAT_EQ(RealToken("1.5E-05"), 1.5e-05f);
  EXPECT_FLOAT_EQ(RealToken("-2x"), -2.0f);
  EXPECT_EQ(RealToken("1e300"), std::numeric_limits<float>::max());
  EXPECT_EQ(RealToken("-1e300"), -std::numeric_limits<float>::max());
}

TEST(FieldRules, AxisCodesAndRecordKindsMustMatchExactly) {
  EXPECT_EQ(AxisCodeToken("3"), 3);
  for (const char* no : {"0", "6", "03", "3.0", "", "x"}) EXPECT_FALSE(AxisCodeToken(no)) << no;
  EXPECT_EQ(RecordTypeToken("2"), 2);
  EXPECT_EQ(RecordTypeToken("0"), 0);
  EXPECT_EQ(RecordTypeToken("38"), 38);
  for (const char* no : {"4", "5", "6", "02", "2.0", "+2", "-2", "", "S12", "130", "16"}) {
    EXPECT_FALSE(RecordTypeToken(no)) << no;
  }
}

DelimitedRead Read(const std::string& text, size_t k = 0) {
  static std::string storage;
  storage = text;
  return ReadDelimitedText(*TokenList::Split(storage, 5000), k);
}

TEST(DelimitedText, OneTokenNames) {
  DelimitedRead r = Read("@name@ next");
  EXPECT_EQ(r.text, "name");
  EXPECT_EQ(r.next, 1u);
  r = Read("@@ next");
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(r.next, 1u);
  r = Read("@a@@ next");
  EXPECT_EQ(r.text, "a@");
}

TEST(DelimitedText, AbsentWhenTheTokenDoesNotOpenWithAt) {
  DelimitedRead r = Read("x @a@ 3", 1);
  EXPECT_EQ(r.text, "a");
  r = Read("plain 3");
  EXPECT_FALSE(r.text);
  EXPECT_EQ(r.next, 0u);  // the next field is read from the same token
}

TEST(DelimitedText, SpansTokensUntilOneEndsWithAt) {
  DelimitedRead r = Read("@two words@ 3");
  EXPECT_EQ(r.text, "two words");
  EXPECT_EQ(r.next, 2u);
  r = Read("@a  b@ 3");  // two spaces give an empty token in between
  EXPECT_EQ(r.text, "a  b");
  EXPECT_EQ(r.next, 3u);
  r = Read("@trailing @ 3");
  EXPECT_EQ(r.text, "trailing ");
}

TEST(DelimitedText, ALoneAtOpensATextThatBeganWithASpace) {
  DelimitedRead r = Read("@ leading@ 3");
  EXPECT_EQ(r.text, " leading");
  EXPECT_EQ(r.next, 2u);
  r = Read("@ @ 3");
  EXPECT_EQ(r.text, " ");
}

TEST(DelimitedText, GivesUpAfterAHundredFurtherTokens) {
  std::string text = "@w";
  for (int i = 0; i < 100; ++i) text += " w";
  DelimitedRead closed = Read(text + "@ 3");
  ASSERT_TRUE(closed.text);
  EXPECT_EQ(closed.next, 101u);
  DelimitedRead open = Read(text + " w@ 3");
  EXPECT_FALSE(open.text);
  EXPECT_EQ(open.next, 1u);
}

}  // namespace
}  // namespace quillon
