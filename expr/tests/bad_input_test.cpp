// Hostile texts: none may crash, hang or take quadratic time; each ends in a postfix string
// or a syntax error box.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

class BadInputTest : public ::testing::Test {
 protected:
  int32_t Compile(const std::string& text) {
    buffer_.clear();
    sink_.Clear();
    return expression_.InfixToPostfix(text, buffer_);
  }
  std::string BoxText() const { return sink_.Requests().empty() ? "" : sink_.Requests().back().text; }

  RecordingSink sink_;
  ScopedMessageSink guard_{&sink_};
  Cls6 expression_;
  std::string buffer_;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST_F(BadInputTest, OneMegabyteOfTextStaysFast) {
  std::string text;
  while (text.size() < (1u << 20)) text += "sin(z)*2.5+x-";
  text += "y";
  const auto start = std::chrono::steady_clock::now();
  const std::string withSigns = AddMultiplySigns(text);
  EXPECT_EQ(withSigns, text);
  EXPECT_EQ(Compile(withSigns), 0);
  // A quadratic scan of a megabyte would take minutes.
  EXPECT_LT(Seconds(start), 5.0);
  EXPECT_EQ(buffer_.substr(0, 24), "ZZ SIN 2.5 * XX + ZZ SIN");
  EXPECT_EQ(buffer_.substr(buffer_.size() - 5), "YY - ");
  EXPECT_TRUE(sink_.Requests().empty());

  // One megabyte of a single number, and of a single undefined name.
  EXPECT_EQ(Compile(std::string(1u << 20, '7')), 0);
  EXPECT_EQ(buffer_.size(), (1u << 20) + 1);
  EXPECT_EQ(Compile("1+" + std::string(1u << 20, 'q')), 2);
  EXPECT_EQ(BoxText().size(), std::string("Character 2:  Undefined symbol : ''").size() + (1u << 20));
  EXPECT_LT(Seconds(start), 10.0);
}

TEST_F(BadInputTest, DeepNesting) {
  const std::size_t depth = 100000;
  EXPECT_EQ(Compile(std::string(depth, '(') + "z" + std::string(depth, ')')), 0);
  EXPECT_EQ(buffer_, "ZZ ");

  EXPECT_EQ(Compile(std::string(depth, '(') + "z"), static_cast<int32_t>(depth + 1));
  EXPECT_EQ(BoxText(), "Character 100001:  Closing parenthesis expected");

  // Nested function calls with unary minus keep every name on the stack until the end.
  std::string calls;
  for (std::size_t i = 0; i < depth; ++i) calls += "-sin(";
  calls += "z" + std::string(depth, ')');
  EXPECT_EQ(Compile(calls), 0);
  EXPECT_EQ(buffer_.size(), 3 + depth * 8);
  EXPECT_EQ(buffer_.substr(0, 15), "ZZ SIN (-) SIN ");
}

TEST_F(BadInputTest, ManyOperators) {
  std::string sum = "z";
  std::string power = "2";
  for (int i = 0; i < 10000; ++i) {
    sum += "+z";
    power += "^2";
  }
  EXPECT_EQ(Compile(sum), 0);
  EXPECT_EQ(buffer_.size(), 3 + 10000 * 5);
  EXPECT_EQ(Compile(power), 0);
  EXPECT_EQ(buffer_.substr(0, 10), "2 2 ^ 2 ^ ");

  // Unary minus may repeat only after "*", "/" or "^"; a run of signs is an error.
  std::string signs = "z*" + std::string(10000, '-') + "z";
  EXPECT_EQ(Compile(signs), 3);
  EXPECT_EQ(BoxText(), "Character 3:  Operand expected");
  EXPECT_EQ(Compile(std::string(10000, '*')), 1);
}

TEST_F(BadInputTest, BytesAboveAsciiAreUnexpectedCharacters) {
  EXPECT_EQ(Compile("z+\xC3\xA9"), 2);
  EXPECT_EQ(BoxText(), "Character 2:  Unexpected character encountered");
  EXPECT_EQ(Compile("\xFF"), 1);
  EXPECT_EQ(BoxText(), "Character 1:  Unexpected character encountered");
  EXPECT_EQ(Compile("\x80z"), 1);
  EXPECT_EQ(AddMultiplySigns("2\xFF(z)\x80"), "2\xFF(z)\x80");
}

TEST_F(BadInputTest, NulAndControlBytesAreSkipped) {
  EXPECT_EQ(Compile(std::string("z\0+\0\x01"
                                "2\x1f",
                                7)),
            0);
  EXPECT_EQ(buffer_, "ZZ 2 + ");
  EXPECT_EQ(Compile(std::string(1000, '\0')), 0);
  EXPECT_EQ(buffer_, "");
  EXPECT_TRUE(sink_.Requests().empty());
  EXPECT_EQ(AddMultiplySigns(std::string("2\0z", 3)), std::string("2\0z", 3));
}

}  // namespace
}  // namespace quillon
