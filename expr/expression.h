#pragma once
// The expression object: compiles a function text into a postfix token string
// (InfixToPostfix) and evaluates such a string at a point with complex arithmetic
// (DoEvaluate). The sampler uses the faster CompiledProgram (expr/program.h), which gives the
// same values and errors as DoEvaluate.

#include <cstdint>
#include <string>

namespace quillon {

// An expression: compiles a function text to postfix and evaluates it at a point.
class Cls6 {
 public:
  // Result of InfixToPostfix for a syntax error whose position marker is 0 (an invalid
  // number at the very start, such as "."): a distinct failure, never read as success.
  static constexpr int32_t kFailedAtStart = -1;

  // Appends the postfix tokens of sExpression to sBuffer, each followed by one space.
  // Returns 0 on success; otherwise the error position (or kFailedAtStart) after the
  // "Syntax Error" message box has been shown through the message sink.
  int32_t InfixToPostfix(const std::string& sExpression, std::string& sBuffer);

  // Evaluates a postfix string at x + yi. True when a value was produced (real part in
  // sngResult, imaginary in sngResult2); false, outputs untouched, when the stack is empty at
  // the end. Run-time errors (1011, type mismatch, overflow, division by zero) are raised.
  // bolUnused is accepted for callers that pass it and is not read.
  bool DoEvaluate(const std::string& sExpression, float& sngResult, float& sngResult2, float sngX, float sngY,
                  bool bolUnused = false);

  // "+" "-" 1; "*" "/" 2; "(-)" 3; "^" 4; function names 5; anything else 0.
  static int32_t GetPriority(const std::string& token);
  // True for "_" and the letters A-Z in either case.
  static bool IsNameChar(char c);

  // The message of the last syntax error.
  const std::string& ErrorText() const { return errorText_; }

 private:
  std::string errorText_;
};

}  // namespace quillon
