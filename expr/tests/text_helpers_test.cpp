#include "expr/text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quillon {
namespace {

TEST(AddMultiplySigns, InsertsImpliedProducts) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2z", "2*z"},
      {"2(z+1)", "2*(z+1)"},
      {"(z+1)(z-1)", "(z+1)*(z-1)"},
      {"(z)2", "(z)*2"},
      {")z", ")*z"},
      {"3sin(z)", "3*sin(z)"},
      {"z2", "z*2"},
      {"z(", "z*("},
      {"x.5", "x*.5"},
      {"1+z2", "1+z*2"},
      {"+z(", "+z*("},
      {"pi(z)", "pi*(z)"},
      {"Pi(z)", "Pi*(z)"},
      {"PI2", "PI*2"},
      {"2i", "2*i"},
      {"2x^2+3x", "2*x^2+3*x"},
      {"tan(2z)", "tan(2*z)"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(AddMultiplySigns(text), expected) << text;
}

TEST(AddMultiplySigns, LeavesNamesSpacesAndOtherTextAlone) {
  for (const std::string text :
       {"sin(z)", "atan(z)", "zz", "sinz2", "2 z", "z)", "exp(z)^2", "a_b", "2\xC3\xA9"}) {
    EXPECT_EQ(AddMultiplySigns(text), text) << text;
  }
}

TEST(AddMultiplySigns, ShortTexts) {
  EXPECT_EQ(AddMultiplySigns("z"), "z");
  EXPECT_EQ(AddMultiplySigns("("), "(");
  // An empty function is turned into something the compiler rejects.
  EXPECT_EQ(AddMultiplySigns(""), "*");
  // Only the last character is copied without being examined.
  EXPECT_EQ(AddMultiplySigns("2("), "2*(");
}

TEST(NormalizeNumberText, CleansAcceptedText) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : std::vector<Case>{{"1,5", "1.5"},
                                         {" 2 ", "2"},
                                         {"-1.5E3", "-1.5E3"},
                                         {"1e-3", "1e-3"},
                                         {"", "0"},
                                         {" ", "0"},
                                         {"  ", ""}}) {
    std::string text = c.in;
    std::string out = "stale";
    EXPECT_TRUE(NormalizeNumberText(text, out)) << c.in;
    EXPECT_EQ(out, c.out) << c.in;
    EXPECT_EQ(text, "") << "every character was examined: " << c.in;
  }
}

TEST(NormalizeNumberText, StopsAtFirstRejectedCharacterAndLeavesTheRest) {
  std::string text = "2a3,4";
  std::string out;
  EXPECT_FALSE(NormalizeNumberText(text, out));
  EXPECT_EQ(out, "2");
  EXPECT_EQ(text, "3,4");

  text = "+1";
  EXPECT_FALSE(NormalizeNumberText(text, out));
  EXPECT_EQ(text, "1");

  text = "2a";
  EXPECT_FALSE(NormalizeNumberText(text, out));
  EXPECT_EQ(text, "");
}

TEST(NormalizeValueText, AcceptsShortExpressions) {
  std::string text = "2 * pi";
  std::string out;
  EXPECT_TRUE(NormalizeValueText(text, out));
  EXPECT_EQ(out, "2*pi");
  EXPECT_EQ(text, "");

  text = "(1,5+X)/3^y-Ee";
  EXPECT_TRUE(NormalizeValueText(text, out));
  EXPECT_EQ(out, "(1.5+X)/3^y-Ee");

  text = "";
  EXPECT_TRUE(NormalizeValueText(text, out));
  EXPECT_EQ(out, "0");

  text = "2#x";
  EXPECT_FALSE(NormalizeValueText(text, out));
  EXPECT_EQ(text, "x");

  // Bytes above 127 are not letters.
  text = "2\xE9";
  EXPECT_FALSE(NormalizeValueText(text, out));
  EXPECT_EQ(out, "2");
}

TEST(FilterValueText, ReturnsWhatWasGatheredBeforeTheFirstRejectedCharacter) {
  std::string text = "3,5 pi#x";
  EXPECT_EQ(FilterValueText(text), "3.5pi");
  EXPECT_EQ(text, "x");

  text = "";
  EXPECT_EQ(FilterValueText(text), "");

  text = " ";
  EXPECT_EQ(FilterValueText(text), "");

  text = "1+2";
  EXPECT_EQ(FilterValueText(text), "1+2");
  EXPECT_EQ(text, "");

  text = std::string(
      "1\0"
      "2",
      3);
  EXPECT_EQ(FilterValueText(text), "1");
  EXPECT_EQ(text, "2");
}

}  // namespace
}  // namespace quillon
