#pragma once
// A postfix expression compiled once into a flat register program, for evaluating a function
// at many points without reading its text again. It gives the values and the run-time errors
// of Cls6::DoEvaluate, in the same order (bit for bit, except that whole powers are by default
// multiplied out, see IntegerPowers).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "expr/block_plan.h"
#include "expr/instruction.h"

namespace quillon {

// How a power with a constant whole exponent from 1 to kMaxMultipliedExponent is computed.
enum class IntegerPowers {
  // By repeated multiplication in double precision, rounded once: much faster, and exact where
  // the general power is not ((-2)^2 = 4 + 0i, i^2 = -1). Agrees with the general power within
  // single-precision rounding; near the end of the single range one may overflow where the
  // other does not.
  kByMultiplication,
  // As exp(w log z), exactly what Cls6::DoEvaluate computes.
  kAsGeneralPowers,
};
inline constexpr int kMaxMultipliedExponent = 32;

// A compiled postfix expression: instructions over value slots, inputs x, y and constants.
class CompiledProgram {
 public:
  // Never throws: a number token that does not convert or a missing operand becomes an error
  // that every evaluation raises once the instructions before it have run, just where the
  // text would meet it.
  static CompiledProgram FromPostfix(const std::string& postfix,
                                     IntegerPowers powers = IntegerPowers::kByMultiplication);

  // The value at x + yi: true with u + vi, or false (outputs untouched) when the program
  // yields no value. Raises the run-time errors of the arithmetic. With
  // IntegerPowers::kAsGeneralPowers the values and errors are exactly those of DoEvaluate.
  bool Evaluate(float x, float y, float& u, float& v) const;

  struct BlockOutcome {
    std::size_t completed = 0;          // points fully written before the stop
    bool noValue = false;               // the program yields no value; then completed = 0
    std::optional<RuntimeError> error;  // raised by point `completed`
  };
  // Evaluates the points (x[i], y[i]) in order into (u[i], v[i]) and stops at the first point
  // that raises. Points after the stop are not written.
  BlockOutcome EvaluateBlock(const float* x, const float* y, std::size_t n, float* u, float* v) const;

  // False when no evaluation can produce a value (an empty program, or one that always raises).
  bool YieldsValue() const { return result_.has_value() && !trailingError_; }
  std::size_t InstructionCount() const { return code_.size(); }
  std::size_t SlotCount() const { return slotCount_; }

 private:
  using Source = program_detail::Source;
  using Operand = program_detail::Operand;
  using Op = program_detail::Op;
  using Instruction = program_detail::Instruction;

  class Builder;

  Complex Fetch(const Operand& o, float x, float y, const Complex* slotValues) const;
  bool RunPoint(float x, float y, Complex* slotValues, float& u, float& v) const;

  std::vector<Instruction> code_;
  std::vector<Complex> constants_;
  std::optional<RuntimeError> trailingError_;  // raised after the instructions have run
  std::optional<Operand> result_;              // the value on top at the end
  uint32_t slotCount_ = 0;
  program_detail::BlockPlan blocks_;  // how EvaluateBlock runs the instructions
};

}  // namespace quillon
