#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "expr/expression.h"
#include "expr/number_text.h"

namespace quillon {
namespace {

struct Outcome {
  bool value = false;
  float re = -7.0f;  // untouched outputs keep these
  float im = -7.0f;
  int error = 0;
  std::string description;
};

// The start of a text, for failure messages about very long ones.
std::string Shown(const std::string& text) {
  return text.size() <= 60 ? text : text.substr(0, 60) + "...";
}

Outcome Eval(const std::string& postfix, float x = 0.0f, float y = 0.0f) {
  Cls6 expression;
  Outcome o;
  try {
    o.value = expression.DoEvaluate(postfix, o.re, o.im, x, y, false);
  } catch (const RuntimeError& e) {
    o.error = e.Number();
    o.description = e.Description();
  }
  return o;
}

void ExpectValue(const std::string& postfix, float x, float y, float re, float im, float tolerance = 0.0f) {
  const Outcome o = Eval(postfix, x, y);
  ASSERT_EQ(o.error, 0) << Shown(postfix) << ": " << o.description;
  ASSERT_TRUE(o.value) << Shown(postfix);
  EXPECT_NEAR(o.re, re, tolerance) << Shown(postfix);
  EXPECT_NEAR(o.im, im, tolerance) << Shown(postfix);
}

void ExpectError(const std::string& postfix, int error, float x = 0.0f, float y = 0.0f) {
  EXPECT_EQ(Eval(postfix, x, y).error, error) << Shown(postfix);
}

TEST(DoEvaluate, InputsAndNumbers) {
  ExpectValue("XX YY + ", 3, 4, 3, 4);
  ExpectValue("ZZ ", 3, 4, 3, 4);
  ExpectValue("XX ", 3, 4, 3, 0);
  ExpectValue("YY ", 0, 2, 0, 2);
  ExpectValue("i ", 0, 0, 0, 1);
  ExpectValue("I ", 0, 0, 0, 1);
  ExpectValue("2i ", 0, 0, 0, 2);
  ExpectValue("2,5I ", 0, 0, 0, 2.5);
  ExpectValue("2.5 ", 0, 0, 2.5, 0);
  ExpectValue("1,5 ", 0, 0, 1.5, 0);
  ExpectValue(".5 ", 0, 0, 0.5, 0);
  ExpectValue("5, ", 0, 0, 5, 0);
  ExpectValue("3.1415926 ", 0, 0, 3.1415926f, 0);
  // Numbers are rounded to single precision.
  EXPECT_EQ(Eval("0.1 ").re, 0.1f);
  EXPECT_EQ(Eval("16777217 ").re, 16777216.0f);
}

TEST(DoEvaluate, Operators) {
  ExpectValue("ZZ (-) ", 1, 2, -1, -2);
  ExpectValue("ZZ 2 ^ ", 1, 1, 0, 2, 1e-6f);
  ExpectValue("1 2 - 3 - ", 0, 0, -4, 0);
  ExpectValue("8 4 / 2 / ", 0, 0, 1, 0);
  ExpectValue("ZZ ZZ * ", 1, 2, -3, 4);
  ExpectValue("1 ZZ / ", 0, 1, 0, -1);
  ExpectValue("2 3 ^ 2 ^ ", 0, 0, 64, 0, 1e-4f);
  ExpectValue("ZZ SIN ", 0, 0, 0, 0);
  ExpectValue("ZZ COS ", 0, 0, 1, 0);
  ExpectValue("ZZ EXP ", 0, 3.14159265f, -1, 0, 1e-6f);
  ExpectValue("ZZ LOG ", -1, 0, 0, 3.1415927f);
  ExpectValue("ZZ SQR ", -4, 0, 0, 2, 1e-6f);
  ExpectValue("ZZ ABS ", 3, -4, 5, 0);
  ExpectValue("ZZ TAN ZZ CTAN * ", 0.5f, 0.5f, 1, 0, 1e-6f);
  ExpectValue("ZZ TANH ZZ CTANH * ", 0.5f, 0.5f, 1, 0, 1e-6f);
  // Extra values below the top are discarded.
  ExpectValue("1 2 3 ", 0, 0, 3, 0);
}

TEST(DoEvaluate, ZeroPowersAndRoots) {
  ExpectValue("ZZ 2 ^ ", 0, 0, 0, 0);
  ExpectValue("ZZ 0 ^ ", 0, 0, 1, 0);
  ExpectValue("ZZ ZZ ^ ", 0, 0, 1, 0);
  ExpectValue("ZZ 0.5 i + ^ ", 0, 0, 0, 0);
  ExpectError("ZZ 1 (-) ^ ", err::kDivisionByZero);
  ExpectError("ZZ i ^ ", err::kDivisionByZero);
  ExpectValue("ZZ SQR ", 0, 0, 0, 0);
  ExpectValue("ZZ LOG ", 0, 0, 0, 0);
}

TEST(DoEvaluate, TokensThatDoNothing) {
  ExpectValue("TT VV AA RR BB NN ZZ ", 1, 2, 1, 2);
  // Unknown tokens, empty tokens from doubled spaces and lower-case names are skipped too.
  ExpectValue("ZZ  sin foo ( ) ", 1, 2, 1, 2);
  // Text after the last space is not a token.
  ExpectValue("ZZ 1", 1, 2, 1, 2);
  ExpectValue("ZZ 1 +", 1, 2, 1, 0);
}

TEST(DoEvaluate, NoValue) {
  for (const std::string text : {"", "ZZ", "TT ", "   ", "foo bar "}) {
    const Outcome o = Eval(text, 1, 2);
    EXPECT_FALSE(o.value) << text;
    EXPECT_EQ(o.error, 0) << text;
    EXPECT_EQ(o.re, -7.0f) << "outputs untouched: " << text;
    EXPECT_EQ(o.im, -7.0f) << text;
  }
}

TEST(DoEvaluate, RunTimeErrors) {
  const Outcome pop = Eval("TT 1 + ");
  EXPECT_EQ(pop.error, err::kPopOnEmptyStack);
  EXPECT_EQ(pop.description, "Pop method invoked on empty stack");
  ExpectError("+ ", err::kPopOnEmptyStack);
  ExpectError("SIN ", err::kPopOnEmptyStack);
  ExpectError("(-) ", err::kPopOnEmptyStack);
  ExpectError("1 ZZ / ", err::kDivisionByZero, 0, 0);
  ExpectError("ZZ 0 / ", err::kDivisionByZero, 1, 1);
  ExpectError("ZZ SIN ", err::kOverflow, 0, -100);
  ExpectError("ZZ CTAN ", err::kDivisionByZero, 0, 0);
  // e^100 is a double; it only overflows when the result is stored in single precision.
  ExpectError("100 EXP ", err::kOverflow);
  ExpectValue("100 EXP 100 EXP - ", 0, 0, 0, 0);
  ExpectError("1000 EXP ", err::kOverflow);
  // The first error wins: the division comes before the bad number.
  ExpectError("1 0 / 2i3 ", err::kDivisionByZero);
  ExpectError("2i3 1 0 / ", err::kTypeMismatch);
  ExpectError("+ 1 0 / ", err::kPopOnEmptyStack);
}

TEST(DoEvaluate, NumberTokensThatDoNotConvert) {
  for (const std::string token :
       {"2i3", "i2", "ii", "1.2.3", "1,2.3", ",", ".", "Ii", "1e5", "5x", "0-1", "1\t"}) {
    const Outcome o = Eval(token + " ");
    EXPECT_EQ(o.error, err::kTypeMismatch) << token;
    EXPECT_EQ(o.description, "Type mismatch") << token;
  }
  ExpectError(std::string(50, '9') + " ", err::kOverflow);
  ExpectError("340282356779733661637539395458142568448 ", err::kOverflow);
  ExpectValue("340282346638528859811704183484516925440 ", 0, 0, 3.40282347e38f, 0);
  // Too small to tell from zero.
  ExpectValue("0." + std::string(60, '0') + "1 ", 0, 0, 0, 0);
}

TEST(DoEvaluate, DecimalPointDoesNotDependOnTheLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8", "C"}) {
    if (!std::setlocale(LC_NUMERIC, name)) continue;
    EXPECT_EQ(Eval("1,5 ").re, 1.5f) << name;
    EXPECT_EQ(Eval("1.5 ").re, 1.5f) << name;
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(TextToSingle("0,25"), 0.25f);
  EXPECT_EQ(TextToSingle("007"), 7.0f);
}

TEST(DoEvaluate, HostileTextsNeitherCrashNorHang) {
  const auto start = std::chrono::steady_clock::now();
  // A megabyte of digits, of values, of operators and of bytes the evaluator does not know.
  ExpectError(std::string(1 << 20, '7') + " ", err::kOverflow);
  ExpectValue(std::string(1 << 20, '0') + " ", 0, 0, 0, 0);
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "ZZ ";
  for (int i = 0; i < 99999; ++i) many += "+ ";
  ExpectValue(many, 1, -1, 100000, -100000);
  // A single long token that is no operator is skipped; many operator tokens fail at the first.
  EXPECT_FALSE(Eval(std::string(1 << 20, '+') + " ").value);
  std::string plus;
  for (int i = 0; i < (1 << 19); ++i) plus += "+ ";
  ExpectError(plus, err::kPopOnEmptyStack);
  std::string bytes;
  for (int i = 0; i < 256 * 64; ++i) bytes += static_cast<char>(i % 256);
  EXPECT_NO_FATAL_FAILURE(Eval(bytes, 1, 1));
  EXPECT_EQ(Eval(std::string("ZZ\0 ZZ ", 7), 1, 2).re, 1.0f);
  ExpectError(std::string("1\0 ", 3), err::kTypeMismatch);
  ExpectValue("ZZ \xC3\xA9 \xFF ", 1, 2, 1, 2);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20.0);
}

}  // namespace
}  // namespace quillon
