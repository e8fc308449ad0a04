#pragma once
// A postfix expression compiled once into a flat register program, for evaluating a function
// at many points without reading its text again. It gives exactly the values and the run-time
// errors of Cls6::DoEvaluate, in the same order.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "expr/complex_math.h"
#include "expr/function_table.h"

namespace quillon {

// A compiled postfix expression: instructions over value slots, inputs x, y and constants.
class CompiledProgram {
 public:
  // Never throws: a number token that does not convert or a missing operand becomes an error
  // that every evaluation raises once the instructions before it have run, just where the
  // text would meet it.
  static CompiledProgram FromPostfix(const std::string& postfix);

  // The value at x + yi: true with u + vi, or false (outputs untouched) when the program
  // yields no value. Raises the run-time errors of the arithmetic.
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
  enum class Source : uint8_t { kSlot, kX, kY, kZ, kConstant };
  struct Operand {
    Source source = Source::kSlot;
    uint32_t index = 0;  // slot or constant index
  };
  enum class Op : uint8_t { kAdd, kSubtract, kMultiply, kDivide, kPower, kNegate, kFunction };

  // Computes the op over n points of a block; returns non-zero when a fault may have occurred.
  using BlockKernel = unsigned (*)(const double* ar, const double* ai, const double* br, const double* bi,
                                   double* outRe, double* outIm, std::size_t n);

  struct Instruction {
    Op op = Op::kAdd;
    FunctionId function = FunctionId::kSin;
    Operand a;
    Operand b;  // binary operations only
    uint32_t target = 0;
    BlockKernel kernel = nullptr;
  };

  class Builder;
  struct BlockBuffers;

  Complex Fetch(const Operand& o, float x, float y, const Complex* slots) const;
  bool RunPoint(float x, float y, Complex* slots, float& u, float& v) const;
  unsigned RunBlock(BlockBuffers& buffers, std::size_t m) const;

  std::vector<Instruction> code_;
  std::vector<Complex> constants_;
  std::optional<RuntimeError> trailingError_;  // raised after the instructions have run
  std::optional<Operand> result_;              // the value on top at the end
  uint32_t slotCount_ = 0;
};

}  // namespace quillon
