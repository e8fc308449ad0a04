#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

class CompilerTest : public ::testing::Test {
 protected:
  // Compiles text into a fresh buffer; the message boxes land in sink_.
  int32_t Compile(const std::string& text) {
    buffer_.clear();
    sink_.Clear();
    return expression_.InfixToPostfix(text, buffer_);
  }

  void ExpectPostfix(const std::string& text, const std::string& postfix) {
    EXPECT_EQ(Compile(text), 0) << text;
    EXPECT_EQ(buffer_, postfix) << text;
    EXPECT_TRUE(sink_.Requests().empty()) << text;
  }

  void ExpectSyntaxError(const std::string& text, int32_t result, const std::string& boxText) {
    EXPECT_EQ(Compile(text), result) << text;
    ASSERT_EQ(sink_.Requests().size(), 1u) << text;
    const MessageRequest& box = sink_.Requests()[0];
    EXPECT_EQ(box.text, boxText) << text;
    EXPECT_EQ(box.title, "Syntax Error");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
  }

  RecordingSink sink_;
  ScopedMessageSink guard_{&sink_};
  Cls6 expression_;
  std::string buffer_;
};

TEST_F(CompilerTest, OperatorPrecedenceAndLeftAssociativity) {
  ExpectPostfix("z^2+1", "ZZ 2 ^ 1 + ");
  ExpectPostfix("1+2*3", "1 2 3 * + ");
  ExpectPostfix("1-2-3", "1 2 - 3 - ");
  ExpectPostfix("8/4/2", "8 4 / 2 / ");
  ExpectPostfix("2^3^2", "2 3 ^ 2 ^ ");
  ExpectPostfix("2*(z+1)", "2 ZZ 1 + * ");
  ExpectPostfix("((z))", "ZZ ");
}

TEST_F(CompilerTest, UnaryMinusAndPlus) {
  ExpectPostfix("-z^2", "ZZ 2 ^ (-) ");
  ExpectPostfix("-2*3", "2 (-) 3 * ");
  ExpectPostfix("2^-3", "2 3 (-) ^ ");
  ExpectPostfix("2*-z", "2 ZZ (-) * ");
  ExpectPostfix("-(-z)", "ZZ (-) (-) ");
  ExpectPostfix("+z", "ZZ ");
  ExpectPostfix("sin -z", "ZZ (-) SIN ");
}

TEST_F(CompilerTest, NamesNumbersAndVariables) {
  ExpectPostfix("pi", "3.1415926 ");
  ExpectPostfix("Pi", "3.1415926 ");
  ExpectPostfix("X", "XX ");
  ExpectPostfix("x", "XX ");
  ExpectPostfix("z+v+x+y+a+r+b+t+n", "ZZ VV + XX + YY + AA + RR + BB + TT + NN + ");
  ExpectPostfix("Z*V*X*Y*A*R*B*T*N", "ZZ VV * XX * YY * AA * RR * BB * TT * NN * ");
  ExpectPostfix("2.5+1,5", "2.5 1,5 + ");
  ExpectPostfix("i", "i ");
  ExpectPostfix("2i3", "2i3 ");
  ExpectPostfix("I+.5", "I .5 + ");
  ExpectPostfix(" \tz\n ", "ZZ ");
  ExpectPostfix("", "");
}

TEST_F(CompilerTest, FunctionsBindTighterThanEveryOperator) {
  ExpectPostfix("sin(z)^2", "ZZ SIN 2 ^ ");
  ExpectPostfix("sin z", "ZZ SIN ");
  ExpectPostfix("sin z^2", "ZZ SIN 2 ^ ");
  ExpectPostfix("sin cos z", "ZZ COS SIN ");
  ExpectPostfix("exp(-z)/2", "ZZ (-) EXP 2 / ");
  ExpectPostfix("AsInH(z)+acsech(z)", "ZZ ASINH ZZ ACSECH + ");
  const std::vector<std::string> names = {
      "SIN",   "COS",  "LOG",   "EXP",   "ABS",   "ATAN",  "RND",   "SQR",    "TAN",   "SEC",
      "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",  "TANH",
      "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};
  for (const std::string& name : names) ExpectPostfix(name + "(z)", "ZZ " + name + " ");
}

TEST_F(CompilerTest, ImplicitMultiplicationInTheCompilerItself) {
  ExpectPostfix("(z)(z)", "ZZ ZZ * ");
  ExpectPostfix("2 z", "2 ZZ * ");
  ExpectPostfix("z sin z", "ZZ ZZ SIN * ");
  ExpectPostfix("1+2(z)", "1 2 ZZ * + ");
  ExpectPostfix("z^2 z", "ZZ 2 ^ ZZ * ");
}

TEST_F(CompilerTest, AfterAddingMultiplySigns) {
  Compile(AddMultiplySigns("2z^2+3sin(z)"));
  EXPECT_EQ(buffer_, "2 ZZ 2 ^ * 3 ZZ SIN * + ");
  EXPECT_EQ(Compile(AddMultiplySigns("pi(z)")), 0);
  EXPECT_EQ(buffer_, "3.1415926 ZZ * ");
}

TEST_F(CompilerTest, AppendsToTheCallersBuffer) {
  std::string buffer = "XX ";
  EXPECT_EQ(expression_.InfixToPostfix("z", buffer), 0);
  EXPECT_EQ(buffer, "XX ZZ ");
}

TEST_F(CompilerTest, SyntaxErrorsReportMessageAndMarker) {
  ExpectSyntaxError("(z", 2, "Character 2:  Closing parenthesis expected");
  ExpectSyntaxError("(((", 3, "Character 3:  Closing parenthesis expected");
  ExpectSyntaxError("2+z)", 2, "Character 2:  Closing parenthesis without matching open parenthesis");
  ExpectSyntaxError("z+", 2, "Character 2:  Operand expected");
  ExpectSyntaxError("sin", 3, "Character 3:  Operand expected");
  ExpectSyntaxError("(z)*", 4, "Character 4:  Operand expected");
  ExpectSyntaxError("*z", 1, "Character 1:  Operand expected");
  ExpectSyntaxError("()", 1, "Character 1:  Operand expected");
  ExpectSyntaxError("2+-z", 2, "Character 2:  Operand expected");
  ExpectSyntaxError("2*+", 3, "Character 3:  Operand expected");
  ExpectSyntaxError("(/z)", 1, "Character 1:  Operand expected");
  ExpectSyntaxError("2.3.4", 1, "Character 1:  Operand contains multiple decimal points");
  ExpectSyntaxError("z+1.2,3", 2, "Character 2:  Operand contains multiple decimal points");
  ExpectSyntaxError("1+#", 2, "Character 2:  Unexpected character encountered");
  ExpectSyntaxError("z+foo", 2, "Character 2:  Undefined symbol : 'foo'");
  ExpectSyntaxError("1+Zz", 2, "Character 2:  Undefined symbol : 'Zz'");
  ExpectSyntaxError("1+a_b", 2, "Character 2:  Undefined symbol : 'a_b'");
  ExpectSyntaxError("int(z)", 1, "Character 1:  Undefined symbol : 'nt'");
  ExpectSyntaxError("sin 2", 4, "Character 4:  Open parenthesis expected");
  ExpectSyntaxError("(z)2", 3, "Character 3:  Operator expected");
  ExpectSyntaxError("z+,", 2, "Character 2:  Invalid operand");
  EXPECT_EQ(expression_.ErrorText(), "Invalid operand");
  // The empty function after AddMultiplySigns.
  ExpectSyntaxError("*", 1, "Character 1:  Operand expected");
}

TEST_F(CompilerTest, MarkerZeroIsAFailureNotSuccess) {
  ExpectSyntaxError(".", Cls6::kFailedAtStart, "Character 0:  Invalid operand");
  ExpectSyntaxError(",", Cls6::kFailedAtStart, "Character 0:  Invalid operand");
  ExpectSyntaxError("z)", Cls6::kFailedAtStart,
                    "Character 0:  Closing parenthesis without matching open parenthesis");
  ExpectSyntaxError("z#", Cls6::kFailedAtStart, "Character 0:  Unexpected character encountered");
  ExpectSyntaxError("w", Cls6::kFailedAtStart, "Character 0:  Undefined symbol : 'w'");
  EXPECT_EQ(expression_.ErrorText(), "Undefined symbol : 'w'");
  ExpectSyntaxError("sin)", Cls6::kFailedAtStart, "Character 0:  Operand expected");
}

TEST_F(CompilerTest, ErrorTextKeepsTheLastSyntaxError) {
  Compile("(z");
  EXPECT_EQ(expression_.ErrorText(), "Closing parenthesis expected");
  Compile("z");
  EXPECT_EQ(expression_.ErrorText(), "Closing parenthesis expected");
}

TEST(CompilerPriority, TableOfPriorities) {
  EXPECT_EQ(Cls6::GetPriority("+"), 1);
  EXPECT_EQ(Cls6::GetPriority("-"), 1);
  EXPECT_EQ(Cls6::GetPriority("*"), 2);
  EXPECT_EQ(Cls6::GetPriority("/"), 2);
  EXPECT_EQ(Cls6::GetPriority("(-)"), 3);
  EXPECT_EQ(Cls6::GetPriority("^"), 4);
  EXPECT_EQ(Cls6::GetPriority("SIN"), 5);
  EXPECT_EQ(Cls6::GetPriority("ACTANH"), 5);
  EXPECT_EQ(Cls6::GetPriority("("), 0);
  EXPECT_EQ(Cls6::GetPriority("ZZ"), 0);
  EXPECT_EQ(Cls6::GetPriority(""), 0);
}

TEST(CompilerNameChar, LettersAndUnderscoreOnly) {
  for (char c : std::string("azAZiI_")) EXPECT_TRUE(Cls6::IsNameChar(c)) << c;
  for (char c : std::string("09 .,()#@[`{~")) EXPECT_FALSE(Cls6::IsNameChar(c)) << c;
  EXPECT_FALSE(Cls6::IsNameChar('\0'));
  EXPECT_FALSE(Cls6::IsNameChar('\xC3'));
  EXPECT_FALSE(Cls6::IsNameChar('\xFF'));
}

}  // namespace
}  // namespace quillon
