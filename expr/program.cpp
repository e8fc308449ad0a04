#include "expr/program.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/single.h"
#include "expr/block_kernels.h"
#include "expr/number_text.h"

namespace quillon {
namespace {

// The operations as functors over a fault policy, shared by the point and the block paths.
struct AddOp {
  template <class P>
  static Complex Do(P& p, double a, double b, double c, double d) {
    return cmath::Add(p, a, b, c, d);
  }
};
struct SubtractOp {
  template <class P>
  static Complex Do(P& p, double a, double b, double c, double d) {
    return cmath::Subtract(p, a, b, c, d);
  }
};
struct MultiplyOp {
  template <class P>
  static Complex Do(P& p, double a, double b, double c, double d) {
    return cmath::Multiply(p, a, b, c, d);
  }
};
struct DivideOp {
  template <class P>
  static Complex Do(P& p, double a, double b, double c, double d) {
    return cmath::Divide(p, a, b, c, d);
  }
};
struct PowerOp {
  template <class P>
  static Complex Do(P& p, double a, double b, double c, double d) {
    return cmath::Power(p, a, b, c, d);
  }
};
struct NegateOp {
  template <class P>
  static Complex Do(P&, double a, double b) {
    return cmath::Negate(a, b);
  }
};
struct IntegerPowerOp {
  template <class P>
  static Complex Do(P& p, double a, double b, unsigned n) {
    return cmath::IntegerPower(p, a, b, n);
  }
};
template <FunctionId F>
struct FunctionOp {
  template <class P>
  static Complex Do(P& p, double a, double b) {
    return cmath::Apply(p, F, Complex{a, b});
  }
};

using program_detail::BlockFrame;
using program_detail::BlockKernel;
using program_detail::Instruction;
using program_detail::Operand;
using program_detail::Source;

// The columns of any operand; a constant is spread over scratch column pair `which`.
struct Columns {
  Columns(const Operand& o, const BlockFrame& f, int which, std::size_t m) {
    switch (o.source) {
      case Source::kSlot:
        re = f.SlotRe(o.index);
        im = f.SlotIm(o.index);
        return;
      case Source::kX:
        re = f.xd;
        im = f.zero;
        return;
      case Source::kY:
        re = f.zero;
        im = f.yd;
        return;
      case Source::kZ:
        re = f.xd;
        im = f.yd;
        return;
      case Source::kConstant: {
        const Complex c = f.constants[o.index];
        double* cr = f.scratch + 2 * which * f.k;
        double* ci = cr + f.k;
        std::fill(cr, cr + m, c.re);
        std::fill(ci, ci + m, c.im);
        re = cr;
        im = ci;
        return;
      }
    }
  }
  double Re(std::size_t i) const { return re[i]; }
  double Im(std::size_t i) const { return im[i]; }
  const double* re = nullptr;
  const double* im = nullptr;
};

// The costly operations, point by point over a column; faults are only flagged, the caller
// redoes the block point by point when any was seen.
template <class K>
unsigned BinaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const Columns a(ins.a, f, 0, m);
  const Columns b(ins.b, f, 1, m);
  double* outRe = f.SlotRe(ins.target);
  double* outIm = f.SlotIm(ins.target);
  FaultFlag p;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex r = K::Do(p, a.Re(i), a.Im(i), b.Re(i), b.Im(i));
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

template <class K>
unsigned UnaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const Columns a(ins.a, f, 0, m);
  double* outRe = f.SlotRe(ins.target);
  double* outIm = f.SlotIm(ins.target);
  FaultFlag p;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex r = K::Do(p, a.Re(i), a.Im(i));
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

template <std::size_t... I>
constexpr std::array<BlockKernel, kFunctionCount> MakeFunctionKernels(std::index_sequence<I...>) {
  return {&UnaryKernel<FunctionOp<static_cast<FunctionId>(I)>>...};
}
constexpr std::array<BlockKernel, kFunctionCount> kFunctionKernels =
    MakeFunctionKernels(std::make_index_sequence<kFunctionCount>{});

// The cheap operations have vectorised kernels; functions and general powers go point by point.
BlockKernel KernelFor(const Instruction& ins) {
  if (BlockKernel vector = program_detail::VectorKernelFor(ins)) return vector;
  switch (ins.op) {
    case program_detail::Op::kPower:
      return &BinaryKernel<PowerOp>;
    case program_detail::Op::kFunction:
      return kFunctionKernels[static_cast<std::size_t>(ins.function)];
    default:
      return nullptr;
  }
}

RuntimeError MissingOperand() {
  return RuntimeError(err::kPopOnEmptyStack, "Pop method invoked on empty stack");
}

// Blocks hold at most this many points, and less when a program needs many slots.
constexpr std::size_t kBlockPoints = 256;
// The zero column of kernels that read the single inputs x or y alone.
constexpr std::array<float, kBlockPoints> kZeroSingles{};
constexpr std::size_t kBlockDoubles = std::size_t{1} << 20;

}  // namespace

// Reads the postfix tokens into instructions, tracking at compile time which operand is where
// on the value stack. Computed values live in slots numbered from the bottom of the stack, so
// a slot is free again as soon as its value is popped.
class CompiledProgram::Builder {
 public:
  Builder(CompiledProgram& program, IntegerPowers powers) : p_(program), powers_(powers) {}

  // False once the program is known to raise here; later tokens are never reached.
  bool Token(std::string_view token) {
    if (IsNumberToken(token)) {
      try {
        PushConstant(NumberTokenValue(token));
      } catch (const RuntimeError& e) {
        p_.trailingError_ = e;
        return false;
      }
      return true;
    }
    if (token.size() == 1) {
      switch (token[0]) {
        case '+':
          return Binary(Op::kAdd);
        case '-':
          return Binary(Op::kSubtract);
        case '*':
          return Binary(Op::kMultiply);
        case '/':
          return Binary(Op::kDivide);
        case '^':
          return Binary(Op::kPower);
        default:
          return true;
      }
    }
    if (token == "XX") {
      stack_.push_back({Source::kX, 0});
    } else if (token == "YY") {
      stack_.push_back({Source::kY, 0});
    } else if (token == "ZZ") {
      stack_.push_back({Source::kZ, 0});
    } else if (token == "(-)") {
      return Unary(Op::kNegate, FunctionId::kSin);
    } else if (const FunctionInfo* f = FindFunction(token)) {
      return Unary(Op::kFunction, f->id);
    }
    return true;
  }

  void Finish() {
    if (!p_.trailingError_ && !stack_.empty()) p_.result_ = stack_.back();
    ReadInputsAsSingles();
    FinalOperationChecksNothing();
  }

  // The last operation's values go to the final store, which checks them itself.
  void FinalOperationChecksNothing() {
    if (!p_.result_ || p_.code_.empty()) return;
    Instruction& last = p_.code_.back();
    if (p_.result_->source != Source::kSlot || p_.result_->index != last.target) return;
    const bool singles = last.kernel == program_detail::VectorKernelFor(last, true) && !p_.needsDoubleInputs_;
    if (BlockKernel kernel = program_detail::VectorKernelFor(last, singles, true)) last.kernel = kernel;
  }

  // A program that reads x, y or z once, in a vectorised kernel, lets that kernel convert the
  // single inputs itself: filling the double columns first would be one more pass over the
  // block. (Read several times, converting at each reading costs more than filling them once.)
  void ReadInputsAsSingles() {
    auto isInput = [](const Operand& o) {
      return o.source != Source::kSlot && o.source != Source::kConstant;
    };
    if (p_.result_ && isInput(*p_.result_)) return;
    Instruction* reader = nullptr;
    int readings = 0;
    for (Instruction& ins : p_.code_) {
      const int here = (isInput(ins.a) ? 1 : 0) + (ins.op <= Op::kPower && isInput(ins.b) ? 1 : 0);
      if (here > 0) reader = &ins;
      readings += here;
    }
    if (readings == 0) {
      p_.needsDoubleInputs_ = false;
      return;
    }
    if (readings > 1) return;
    if (BlockKernel kernel = program_detail::VectorKernelFor(*reader, true)) {
      reader->kernel = kernel;
      p_.needsDoubleInputs_ = false;
    }
  }

 private:
  void PushConstant(Complex c) {
    stack_.push_back({Source::kConstant, static_cast<uint32_t>(p_.constants_.size())});
    p_.constants_.push_back(c);
  }

  Operand Pop() {
    const Operand o = stack_.back();
    stack_.pop_back();
    if (o.source == Source::kSlot) --slotsInUse_;
    return o;
  }

  bool Missing(std::size_t operands) {
    if (stack_.size() >= operands) return false;
    p_.trailingError_ = MissingOperand();
    return true;
  }

  const Complex& ConstantOf(const Operand& o) const { return p_.constants_[o.index]; }

  // Operations on constants alone are done now, unless they fault; a fault is left to the
  // evaluation so that it is raised in its place.
  bool Fold(const Instruction& ins) {
    if (ins.a.source != Source::kConstant) return false;
    const bool binary = ins.op <= Op::kPower;
    if (binary && ins.b.source != Source::kConstant) return false;
    const Complex a = ConstantOf(ins.a);
    const Complex b = binary ? ConstantOf(ins.b) : Complex{};
    FaultFlag p;
    const Complex r = Compute(p, ins, a, b);
    if (p.fault) return false;
    PushConstant(r);
    return true;
  }

  // A power with a constant whole exponent in range becomes a chain of multiplications.
  void MultiplyOutPower(Instruction& ins) const {
    if (powers_ != IntegerPowers::kByMultiplication || ins.op != Op::kPower) return;
    if (ins.b.source != Source::kConstant) return;
    const Complex e = ConstantOf(ins.b);
    if (e.im != 0.0 || !(e.re >= 1.0 && e.re <= kMaxMultipliedExponent) || e.re != std::floor(e.re)) return;
    ins.op = Op::kIntegerPower;
    ins.exponent = static_cast<uint8_t>(e.re);
    ins.b = Operand{};
  }

  void Emit(Instruction ins) {
    MultiplyOutPower(ins);
    if (Fold(ins)) return;
    ins.kernel = KernelFor(ins);
    ins.target = slotsInUse_++;
    p_.slotCount_ = std::max(p_.slotCount_, slotsInUse_);
    p_.code_.push_back(ins);
    stack_.push_back({Source::kSlot, ins.target});
  }

  bool Binary(Op op) {
    if (Missing(2)) return false;
    Instruction ins;
    ins.op = op;
    ins.b = Pop();
    ins.a = Pop();
    Emit(ins);
    return true;
  }

  bool Unary(Op op, FunctionId f) {
    if (Missing(1)) return false;
    Instruction ins;
    ins.op = op;
    ins.function = f;
    ins.a = Pop();
    Emit(ins);
    return true;
  }

 public:
  template <class P>
  static Complex Compute(P& p, const Instruction& ins, Complex a, Complex b) {
    switch (ins.op) {
      case Op::kAdd:
        return AddOp::Do(p, a.re, a.im, b.re, b.im);
      case Op::kSubtract:
        return SubtractOp::Do(p, a.re, a.im, b.re, b.im);
      case Op::kMultiply:
        return MultiplyOp::Do(p, a.re, a.im, b.re, b.im);
      case Op::kDivide:
        return DivideOp::Do(p, a.re, a.im, b.re, b.im);
      case Op::kPower:
        return PowerOp::Do(p, a.re, a.im, b.re, b.im);
      case Op::kNegate:
        return NegateOp::Do(p, a.re, a.im);
      case Op::kFunction:
        return cmath::Apply(p, ins.function, a);
      case Op::kIntegerPower:
        return IntegerPowerOp::Do(p, a.re, a.im, ins.exponent);
    }
    return a;
  }

 private:
  CompiledProgram& p_;
  IntegerPowers powers_;
  std::vector<Operand> stack_;
  uint32_t slotsInUse_ = 0;
};

CompiledProgram CompiledProgram::FromPostfix(const std::string& postfix, IntegerPowers powers) {
  CompiledProgram program;
  Builder builder(program, powers);
  const std::string_view text(postfix);
  std::size_t start = 0;
  for (std::size_t space = text.find(' '); space != std::string_view::npos; space = text.find(' ', start)) {
    if (!builder.Token(text.substr(start, space - start))) break;
    start = space + 1;
  }
  builder.Finish();
  return program;
}

Complex CompiledProgram::Fetch(const Operand& o, float x, float y, const Complex* slots) const {
  switch (o.source) {
    case Source::kSlot:
      return slots[o.index];
    case Source::kX:
      return {x, 0.0};
    case Source::kY:
      return {0.0, y};
    case Source::kZ:
      return {x, y};
    case Source::kConstant:
      return constants_[o.index];
  }
  return {};
}

bool CompiledProgram::RunPoint(float x, float y, Complex* slots, float& u, float& v) const {
  ThrowingChecks p;
  for (const Instruction& ins : code_) {
    const Complex a = Fetch(ins.a, x, y, slots);
    const Complex b = ins.op <= Op::kPower ? Fetch(ins.b, x, y, slots) : Complex{};
    slots[ins.target] = Builder::Compute(p, ins, a, b);
  }
  if (trailingError_) throw *trailingError_;
  if (!result_) return false;
  const Complex r = Fetch(*result_, x, y, slots);
  const float re = ToSingle(r.re);
  const float im = ToSingle(r.im);
  u = re;
  v = im;
  return true;
}

bool CompiledProgram::Evaluate(float x, float y, float& u, float& v) const {
  std::array<Complex, 16> small;
  if (slotCount_ <= small.size()) return RunPoint(x, y, small.data(), u, v);
  std::vector<Complex> slots(slotCount_);
  return RunPoint(x, y, slots.data(), u, v);
}

unsigned CompiledProgram::RunBlock(const BlockFrame& frame, std::size_t m) const {
  unsigned fault = 0;
  for (const Instruction& ins : code_) fault |= ins.kernel(ins, frame, m);
  return fault;
}

CompiledProgram::BlockOutcome CompiledProgram::EvaluateBlock(const float* x, const float* y, std::size_t n,
                                                             float* u, float* v) const {
  BlockOutcome outcome;
  if (!trailingError_ && !result_) {
    outcome.noValue = true;
    return outcome;
  }
  if (n == 0) return outcome;
  if (trailingError_) {
    // Every point raises; the first may meet an arithmetic fault before the stored error.
    float ignoredU = 0.0f;
    float ignoredV = 0.0f;
    try {
      Evaluate(x[0], y[0], ignoredU, ignoredV);
    } catch (const RuntimeError& e) {
      outcome.error = e;
    }
    return outcome;
  }

  // Columns hold whole lane groups; the points past the block's end repeat its last point, so
  // that they fault only where a real point does.
  const std::size_t fit = kBlockDoubles / (7 + 2 * static_cast<std::size_t>(slotCount_));
  const std::size_t k =
      std::max(program_detail::kLaneGroup,
               std::min(fit, kBlockPoints) / program_detail::kLaneGroup * program_detail::kLaneGroup);
  // Columns: x, y, zero, four scratch columns, then two per slot. Every column is written
  // before it is read, except the zero column, so the buffer is kept from call to call.
  thread_local std::vector<double> columns;
  columns.resize((7 + 2 * static_cast<std::size_t>(slotCount_)) * k);
  double* xd = columns.data();
  double* yd = xd + k;
  BlockFrame frame;
  frame.xd = xd;
  frame.yd = yd;
  frame.zero = yd + k;
  std::fill(yd + k, yd + 2 * k, 0.0);
  frame.scratch = yd + 2 * k;
  frame.slotColumns = frame.scratch + 4 * k;
  frame.k = k;
  frame.constants = constants_.data();
  frame.zeroSingles = kZeroSingles.data();
  thread_local std::vector<float> paddedInputs;
  std::vector<Complex> pointSlots;
  for (std::size_t start = 0; start < n; start += k) {
    const std::size_t m = std::min(k, n - start);
    const std::size_t padded =
        (m + program_detail::kLaneGroup - 1) / program_detail::kLaneGroup * program_detail::kLaneGroup;
    if (needsDoubleInputs_) {
      program_detail::LoadBlockInputs(x + start, y + start, m, padded, xd, yd);
    } else if (padded == m) {
      frame.xs = x + start;
      frame.ys = y + start;
    } else {
      // The last, short block: a copy padded with its last point, as the columns would be.
      paddedInputs.assign(2 * padded, 0.0f);
      std::copy(x + start, x + start + m, paddedInputs.begin());
      std::fill(paddedInputs.begin() + static_cast<std::ptrdiff_t>(m),
                paddedInputs.begin() + static_cast<std::ptrdiff_t>(padded), x[start + m - 1]);
      std::copy(y + start, y + start + m, paddedInputs.begin() + static_cast<std::ptrdiff_t>(padded));
      std::fill(paddedInputs.begin() + static_cast<std::ptrdiff_t>(padded + m), paddedInputs.end(),
                y[start + m - 1]);
      frame.xs = paddedInputs.data();
      frame.ys = paddedInputs.data() + padded;
    }
    unsigned fault = RunBlock(frame, padded);

    const Columns result(*result_, frame, 0, m);
    // The final values must fit in single precision (NaN does not).
    if (!fault) fault = program_detail::StoreBlockResults(result.re, result.im, m, u + start, v + start);
    if (!fault) continue;
    // A fault somewhere in this block: redo it point by point with the raising rules.
    pointSlots.resize(slotCount_);
    for (std::size_t i = start; i < start + m; ++i) {
      try {
        RunPoint(x[i], y[i], pointSlots.data(), u[i], v[i]);
      } catch (const RuntimeError& e) {
        outcome.completed = i;
        outcome.error = e;
        return outcome;
      }
    }
  }
  outcome.completed = n;
  return outcome;
}

}  // namespace quillon
