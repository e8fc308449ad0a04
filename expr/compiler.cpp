// The infix-to-postfix half of Cls6: a single left-to-right scan with an operator stack
// (shunting-yard) that checks the syntax and writes space-terminated postfix tokens.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/value_stack.h"

namespace quillon {
namespace {

constexpr std::array<std::string_view, 29> kFunctionNames = {
    "SIN",   "COS",  "LOG",   "EXP",   "ABS",   "ATAN",  "RND",   "SQR",    "TAN",   "SEC",
    "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",  "TANH",
    "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

constexpr std::string_view kPiToken = "3.1415926";
constexpr std::string_view kNumberChars = "0123456789.,iI";

bool IsFunctionName(std::string_view upper) {
  for (std::string_view name : kFunctionNames) {
    if (name == upper) return true;
  }
  return false;
}

// One-letter variable names; each is written to the output doubled ("z" -> "ZZ").
constexpr std::string_view kVariableLetters = "ZVXYARBTN";

bool IsVariableName(std::string_view upper) {
  return upper.size() == 1 && kVariableLetters.find(upper[0]) != std::string_view::npos;
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsNumberChar(char c) {
  return c != '\0' && kNumberChars.find(c) != std::string_view::npos;
}

bool IsOperatorChar(char c) {
  return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

struct SyntaxError {
  std::size_t marker;
  std::string message;
};

// What the scanner has just read; decides how the next character is taken.
enum class ScanState {
  kStart,     // nothing yet, or only "("
  kOperand,   // a number, PI, a variable or ")"
  kOpen,      // "(" after something, an implicit "*", or a binary "*", "/", "^"
  kSign,      // a binary "+" or "-", or a unary sign
  kFunction,  // a function name
};

// One compilation: the scan position, state, parenthesis depth, operator stack and the
// position marker reported with a syntax error.
class InfixScanner {
 public:
  InfixScanner(const std::string& text, std::string& out) : text_(text), out_(out) {}

  std::optional<SyntaxError> Run() {
    const std::size_t length = text_.size();
    std::size_t n = 1;  // one-based index of the current character
    while (n <= length) {
      const char c = text_[n - 1];
      std::optional<SyntaxError> error;
      if (c == '(') {
        error = OpenParenthesis(n);
        ++n;
      } else if (c == ')') {
        error = CloseParenthesis(n);
        ++n;
      } else if (IsOperatorChar(c)) {
        error = state_ == ScanState::kOperand ? BinaryOperator(c, n) : UnaryOperator(c, n);
        ++n;
      } else if (IsNumberChar(c)) {
        error = Number(n);
      } else if (static_cast<unsigned char>(c) <= static_cast<unsigned char>(' ')) {
        ++n;
      } else {
        error = Name(n);
      }
      if (error) return error;
    }
    marker_ = length;
    if (state_ == ScanState::kOpen || state_ == ScanState::kSign || state_ == ScanState::kFunction) {
      return Fail("Operand expected");
    }
    if (depth_ > 0) return Fail("Closing parenthesis expected");
    while (stack_.StackSize() > 0) PopToOutput();
    return std::nullopt;
  }

 private:
  std::optional<SyntaxError> Fail(std::string message) const {
    return SyntaxError{marker_, std::move(message)};
  }

  const std::string& Top() const { return std::get<std::string>(stack_.GetPopValue()); }

  void Emit(std::string_view token) {
    out_ += token;
    out_ += ' ';
  }

  void PopToOutput() { Emit(std::get<std::string>(stack_.Pop())); }

  // Pops every operator that binds at least as tightly as one of the given priority
  // (left associativity for all binary operators, "^" included).
  void PopWhileAtLeast(int32_t priority) {
    while (stack_.StackSize() > 0 && Cls6::GetPriority(Top()) >= priority) PopToOutput();
  }

  void ImplicitMultiply() {
    PopWhileAtLeast(Cls6::GetPriority("*"));
    stack_.Push(std::string("*"));
    state_ = ScanState::kOpen;
  }

  std::optional<SyntaxError> OpenParenthesis(std::size_t n) {
    if (state_ == ScanState::kOperand) {
      ImplicitMultiply();
    } else if (state_ == ScanState::kSign || state_ == ScanState::kFunction) {
      state_ = ScanState::kOpen;
    }
    stack_.Push(std::string("("));
    ++depth_;
    marker_ = n;
    return std::nullopt;
  }

  std::optional<SyntaxError> CloseParenthesis(std::size_t n) {
    if (state_ != ScanState::kOperand) return Fail("Operand expected");
    if (depth_ == 0) return Fail("Closing parenthesis without matching open parenthesis");
    while (Top() != "(") PopToOutput();
    stack_.Pop();
    --depth_;
    marker_ = n;
    return std::nullopt;
  }

  std::optional<SyntaxError> UnaryOperator(char c, std::size_t n) {
    if (state_ == ScanState::kSign) return Fail("Operand expected");
    if (c == '-') {
      stack_.Push(std::string("(-)"));
    } else if (c != '+') {
      return Fail("Operand expected");
    }
    marker_ = n;
    state_ = ScanState::kSign;
    return std::nullopt;
  }

  std::optional<SyntaxError> BinaryOperator(char c, std::size_t n) {
    std::string op(1, c);
    PopWhileAtLeast(Cls6::GetPriority(op));
    stack_.Push(std::move(op));
    marker_ = n;
    state_ = (c == '+' || c == '-') ? ScanState::kSign : ScanState::kOpen;
    return std::nullopt;
  }

  // Reads the number starting at n and moves n past it.
  std::optional<SyntaxError> Number(std::size_t& n) {
    if (state_ == ScanState::kOperand) return Fail("Operator expected");
    const std::size_t first = n;
    bool decimalPoint = false;
    while (n <= text_.size() && IsNumberChar(text_[n - 1])) {
      const char c = text_[n - 1];
      if (c == '.' || c == ',') {
        if (decimalPoint) return Fail("Operand contains multiple decimal points");
        decimalPoint = true;
      }
      ++n;
    }
    const std::size_t last = n - 1;
    marker_ = last - 1;
    const std::string_view number(text_.data() + first - 1, last - first + 1);
    if (number == "." || number == ",") return Fail("Invalid operand");
    if (state_ == ScanState::kFunction) return Fail("Open parenthesis expected");
    Emit(number);
    state_ = ScanState::kOperand;
    return std::nullopt;
  }

  // Reads the name starting at n and moves n past it.
  std::optional<SyntaxError> Name(std::size_t& n) {
    if (!Cls6::IsNameChar(text_[n - 1])) return Fail("Unexpected character encountered");
    const std::size_t first = n;
    std::string upper;
    while (n <= text_.size() && Cls6::IsNameChar(text_[n - 1])) {
      upper += AsciiUpper(text_[n - 1]);
      ++n;
    }
    marker_ = first - 1;
    if (state_ == ScanState::kOperand) ImplicitMultiply();
    if (IsFunctionName(upper)) {
      stack_.Push(std::move(upper));
      state_ = ScanState::kFunction;
      return std::nullopt;
    }
    if (upper == "PI" || IsVariableName(upper)) {
      Emit(upper == "PI" ? std::string(kPiToken) : std::string(2, upper[0]));
      state_ = ScanState::kOperand;
      return std::nullopt;
    }
    const std::string_view typed(text_.data() + first - 1, n - first);
    return Fail("Undefined symbol : '" + std::string(typed) + "'");
  }

  const std::string& text_;
  std::string& out_;
  Cls13 stack_;
  ScanState state_ = ScanState::kStart;
  std::size_t depth_ = 0;
  std::size_t marker_ = 1;
};

}  // namespace

int32_t Cls6::InfixToPostfix(const std::string& sExpression, std::string& sBuffer) {
  std::optional<SyntaxError> error = InfixScanner(sExpression, sBuffer).Run();
  if (!error) return 0;
  errorText_ = error->message;
  MsgBox("Character " + std::to_string(error->marker) + ":  " + errorText_, "Syntax Error", MsgIcon::Critical,
         MsgButtons::Ok);
  // A marker of 0 would read as success, so it gets its own failure code.
  if (error->marker == 0) return kFailedAtStart;
  return static_cast<int32_t>(std::min<std::size_t>(error->marker, std::numeric_limits<int32_t>::max()));
}

int32_t Cls6::GetPriority(const std::string& token) {
  if (token.size() == 1) {
    switch (token[0]) {
      case '+':
      case '-':
        return 1;
      case '*':
      case '/':
        return 2;
      case '^':
        return 4;
      default:
        return 0;
    }
  }
  if (token == "(-)") return 3;
  if (IsFunctionName(token)) return 5;
  return 0;
}

bool Cls6::IsNameChar(char c) {
  const char upper = AsciiUpper(c);
  return upper == '_' || (upper >= 'A' && upper <= 'Z');
}

}  // namespace quillon
