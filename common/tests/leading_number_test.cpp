#include "common/leading_number.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LeadingNumber, TakesTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber("2*pi"), 2.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("pi"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(" -1.5e3x"), -1500.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1.5E-05"), 1.5e-05);
  EXPECT_DOUBLE_EQ(LeadingNumber("3e"), 3.0);  // exponent without digits is not part of it
  EXPECT_DOUBLE_EQ(LeadingNumber("4e+x"), 4.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1,5"), 1.0);  // the comma ends the number
  EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::max());
}

TEST(LeadingNumber, RoundsHalfToEvenAndClamps) {
  EXPECT_EQ(RoundToLong(2.5), 2);
  EXPECT_EQ(RoundToLong(3.5), 4);
  EXPECT_EQ(RoundToLong(-2.5), -2);
  EXPECT_EQ(RoundToLong(2.4999), 2);
  EXPECT_EQ(RoundToLong(1e20), 2147483647);
  EXPECT_EQ(RoundToLong(-1e20), -2147483647 - 1);
  EXPECT_EQ(LeadingLong("40"), 40);
  EXPECT_EQ(LeadingLong("abc"), 0);
}

}  // namespace
}  // namespace quillon
