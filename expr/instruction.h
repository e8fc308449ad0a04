#pragma once
// The instructions of a compiled program and what one computes, shared by the compiler of
// programs, their evaluation at a point and the kernels that run them over blocks of points.

#include <cstdint>

#include "expr/complex_math.h"
#include "expr/function_table.h"

namespace quillon::program_detail {

enum class Source : uint8_t { kSlot, kX, kY, kZ, kConstant };

struct Operand {
  Source source = Source::kSlot;
  uint32_t index = 0;  // slot or constant index
};

// The binary operations come first.
enum class Op : uint8_t { kAdd, kSubtract, kMultiply, kDivide, kPower, kNegate, kFunction, kIntegerPower };

inline bool IsBinary(Op op) {
  return op <= Op::kPower;
}

struct Instruction {
  Op op = Op::kAdd;
  FunctionId function = FunctionId::kSin;  // kFunction only
  uint8_t exponent = 0;                    // kIntegerPower only
  Operand a;
  Operand b;  // binary operations only
  uint32_t target = 0;
};

// The value of one instruction on operand values a and b under fault policy P.
template <class P>
inline Complex Compute(P& p, Op op, FunctionId function, unsigned exponent, Complex a, Complex b) {
  switch (op) {
    case Op::kAdd:
      return cmath::Add(p, a.re, a.im, b.re, b.im);
    case Op::kSubtract:
      return cmath::Subtract(p, a.re, a.im, b.re, b.im);
    case Op::kMultiply:
      return cmath::Multiply(p, a.re, a.im, b.re, b.im);
    case Op::kDivide:
      return cmath::Divide(p, a.re, a.im, b.re, b.im);
    case Op::kPower:
      return cmath::Power(p, a.re, a.im, b.re, b.im);
    case Op::kNegate:
      return cmath::Negate(a.re, a.im);
    case Op::kFunction:
      return cmath::Apply(p, function, a);
    case Op::kIntegerPower:
      return cmath::IntegerPower(p, a.re, a.im, exponent);
  }
  return a;
}

}  // namespace quillon::program_detail
