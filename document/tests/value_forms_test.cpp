#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "document/tokens.h"
#include "graph/record_text.h"

namespace quillon {
namespace {

TEST(RealText, GeneralFormWithSevenSignificantDigits) {
  EXPECT_EQ(RealText(0.5f), "0.5");
  EXPECT_EQ(RealText(-2.0f), "-2");
  EXPECT_EQ(RealText(1.5e-05f), "1.5E-05");
  EXPECT_EQ(RealText(std::numeric_limits<float>::max()), "3.402823E+38");
  EXPECT_EQ(RealText(0.0001f), "0.0001");
  EXPECT_EQ(RealText(1234567.0f), "1234567");
  EXPECT_EQ(RealText(12345678.0f), "1.234568E+07");
  EXPECT_EQ(RealText(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(RealText(0.1f), "0.1");
  EXPECT_EQ(RealText(-0.0f), "0");
  EXPECT_EQ(RealText(std::numeric_limits<float>::infinity()), "0");
}

TEST(RecordFields, EveryFieldEndsWithOneSpace) {
  EXPECT_EQ(IntegerField(-40), "-40 ");
  EXPECT_EQ(BooleanField(true), "1 ");
  EXPECT_EQ(BooleanField(false), "0 ");
  EXPECT_EQ(DelimitedField("two words"), "@two words@ ");
  EXPECT_EQ(DelimitedField(""), "@@ ");
  EXPECT_EQ(AxisCodeField(5), "5 ");
}

TEST(RecordFields, ExpressionsLoseTheirSpacesSoTheyStayOneToken) {
  EXPECT_EQ(ExpressionField("z^2 + 1"), "z^2+1 ");
  EXPECT_EQ(ExpressionField("  sin ( z ) "), "sin(z) ");
  EXPECT_EQ(ExpressionField(""), " ");
}

TEST(RecordFields, AxisCodesOutsideTheRangeKeepTheirSlot) {
  EXPECT_EQ(AxisCodeField(0), "0 ");
  EXPECT_EQ(AxisCodeField(6), "0 ");
  EXPECT_EQ(AxisCodeField(-1), "0 ");
}

TEST(StorableDelimitedText, LeavesOrdinaryTextsAlone) {
  for (const char* text : {"", "a", "two words", " leading", "trailing ", "a  b", "mail@", "@x", "a@b c"}) {
    EXPECT_EQ(StorableDelimitedText(text), text);
  }
}

TEST(StorableDelimitedText, DropsWhatWouldCloseTheFieldEarly) {
  EXPECT_EQ(StorableDelimitedText("a@ b"), "a b");
  EXPECT_EQ(StorableDelimitedText("x y@@ z@"), "x y z@");
  std::string many;
  for (int i = 0; i < 120; ++i) many += (i ? " w" : "w") + std::to_string(i);
  const std::string kept = StorableDelimitedText(many);
  EXPECT_EQ(std::count(kept.begin(), kept.end(), ' '), 100);
  EXPECT_EQ(kept.substr(kept.size() - 5), " w100");
}

TEST(RecordKinds, OnlyTheListedKindsWriteARecord) {
  for (int32_t t : {0, 1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15, 20, 21, 22, 23, 31, 32, 36, 37, 38}) {
    EXPECT_TRUE(WritesRecord(t)) << t;
  }
  for (int32_t t : {4, 5, 6, 16, 19, 24, 30, 33, 35, 39, -1, 100}) EXPECT_FALSE(WritesRecord(t)) << t;
  EXPECT_TRUE(IsTableKind(5));
  EXPECT_FALSE(IsTableKind(7));
}

TEST(Tokens, SpacesEndTokensAndATrailingSpaceAddsNone) {
  auto t = TokenList::Split("S12 1  a ", 100);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->size(), 4u);
  EXPECT_EQ((*t)[0], "S12");
  EXPECT_EQ((*t)[1], "1");
  EXPECT_EQ((*t)[2], "");
  EXPECT_EQ((*t)[3], "a");
  EXPECT_EQ((*t)[4], "");  // past the end reads as an empty slot
  EXPECT_EQ((*t)[100000], "");

  EXPECT_EQ(TokenList::Split("", 5)->size(), 0u);
  EXPECT_EQ(TokenList::Split(" ", 5)->size(), 1u);  // one empty token before the space
  EXPECT_EQ(TokenList::Split("0", 5)->size(), 1u);
}

TEST(Tokens, RefusesMoreTokensThanSlots) {
  EXPECT_TRUE(TokenList::Split("a b c", 3));
  EXPECT_TRUE(TokenList::Split("a b c ", 3));
  EXPECT_FALSE(TokenList::Split("a b c d", 3));
  EXPECT_FALSE(TokenList::Split("a b c  ", 3));
}

TEST(Tokens, PopFirstCharTakesOneCharacterFromTheFront) {
  std::string_view text = "ab";
  EXPECT_EQ(PopFirstChar(text), "a");
  EXPECT_EQ(text, "b");
  EXPECT_EQ(PopFirstChar(text), "b");
  EXPECT_EQ(PopFirstChar(text), "");
  EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace quillon
