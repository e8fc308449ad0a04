#include "expr/program.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/single.h"
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

// Reads an operand of a given kind point by point within a block.
template <Source S>
struct Reader;

template <>
struct Reader<Source::kSlot> {
  Reader(const Operand& o, const BlockFrame& f) : re(f.SlotRe(o.index)), im(f.SlotIm(o.index)) {}
  double Re(std::size_t i) const { return re[i]; }
  double Im(std::size_t i) const { return im[i]; }
  const double* re;
  const double* im;
};

template <>
struct Reader<Source::kX> {
  Reader(const Operand&, const BlockFrame& f) : x(f.x) {}
  double Re(std::size_t i) const { return x[i]; }
  double Im(std::size_t) const { return 0.0; }
  const float* x;
};

template <>
struct Reader<Source::kY> {
  Reader(const Operand&, const BlockFrame& f) : y(f.y) {}
  double Re(std::size_t) const { return 0.0; }
  double Im(std::size_t i) const { return y[i]; }
  const float* y;
};

template <>
struct Reader<Source::kZ> {
  Reader(const Operand&, const BlockFrame& f) : x(f.x), y(f.y) {}
  double Re(std::size_t i) const { return x[i]; }
  double Im(std::size_t i) const { return y[i]; }
  const float* x;
  const float* y;
};

template <>
struct Reader<Source::kConstant> {
  Reader(const Operand& o, const BlockFrame& f) : c(f.constants[o.index]) {}
  double Re(std::size_t) const { return c.re; }
  double Im(std::size_t) const { return c.im; }
  Complex c;
};

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

// One operation over a column of points; faults are only flagged, the caller redoes the block
// point by point when any was seen.
template <class K, class A, class B>
unsigned BinaryLoop(const A& a, const B& b, double* outRe, double* outIm, std::size_t m) {
  FaultFlag p;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex r = K::Do(p, a.Re(i), a.Im(i), b.Re(i), b.Im(i));
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

// Cheap operations read their operands in place, whatever their kind.
template <class K, Source SA, Source SB>
unsigned SpecialisedBinaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  return BinaryLoop<K>(Reader<SA>(ins.a, f), Reader<SB>(ins.b, f), f.SlotRe(ins.target), f.SlotIm(ins.target),
                       m);
}

template <class K>
unsigned BinaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  return BinaryLoop<K>(Columns(ins.a, f, 0, m), Columns(ins.b, f, 1, m), f.SlotRe(ins.target),
                       f.SlotIm(ins.target), m);
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

template <unsigned N>
unsigned IntegerPowerKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const Columns a(ins.a, f, 0, m);
  double* outRe = f.SlotRe(ins.target);
  double* outIm = f.SlotIm(ins.target);
  FaultFlag p;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex r = IntegerPowerOp::Do(p, a.Re(i), a.Im(i), N);
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

template <std::size_t... I>
constexpr std::array<BlockKernel, kMaxMultipliedExponent> MakeIntegerPowerKernels(std::index_sequence<I...>) {
  return {&IntegerPowerKernel<I + 1>...};
}
constexpr std::array<BlockKernel, kMaxMultipliedExponent> kIntegerPowerKernels =
    MakeIntegerPowerKernels(std::make_index_sequence<kMaxMultipliedExponent>{});

constexpr int kSourceCount = 5;

template <class K, std::size_t... I>
constexpr std::array<BlockKernel, kSourceCount * kSourceCount> MakeBinaryKernels(std::index_sequence<I...>) {
  return {&SpecialisedBinaryKernel<K, static_cast<Source>(I / kSourceCount),
                                   static_cast<Source>(I % kSourceCount)>...};
}

template <class K>
constexpr std::array<BlockKernel, kSourceCount * kSourceCount> kBinaryKernels =
    MakeBinaryKernels<K>(std::make_index_sequence<kSourceCount * kSourceCount>{});

template <class K>
BlockKernel SpecialisedKernel(const Instruction& ins) {
  return kBinaryKernels<K>[static_cast<int>(ins.a.source) * kSourceCount + static_cast<int>(ins.b.source)];
}

template <std::size_t... I>
constexpr std::array<BlockKernel, kFunctionCount> MakeFunctionKernels(std::index_sequence<I...>) {
  return {&UnaryKernel<FunctionOp<static_cast<FunctionId>(I)>>...};
}
constexpr std::array<BlockKernel, kFunctionCount> kFunctionKernels =
    MakeFunctionKernels(std::make_index_sequence<kFunctionCount>{});

BlockKernel KernelFor(const Instruction& ins) {
  switch (ins.op) {
    case program_detail::Op::kAdd:
      return SpecialisedKernel<AddOp>(ins);
    case program_detail::Op::kSubtract:
      return SpecialisedKernel<SubtractOp>(ins);
    case program_detail::Op::kMultiply:
      return SpecialisedKernel<MultiplyOp>(ins);
    case program_detail::Op::kDivide:
      return SpecialisedKernel<DivideOp>(ins);
    case program_detail::Op::kPower:
      return &BinaryKernel<PowerOp>;
    case program_detail::Op::kNegate:
      return &UnaryKernel<NegateOp>;
    case program_detail::Op::kFunction:
      return kFunctionKernels[static_cast<std::size_t>(ins.function)];
    case program_detail::Op::kIntegerPower:
      return kIntegerPowerKernels[ins.exponent - 1];
  }
  return nullptr;
}

RuntimeError MissingOperand() {
  return RuntimeError(err::kPopOnEmptyStack, "Pop method invoked on empty stack");
}

// Blocks hold at most this many points, and less when a program needs many slots.
constexpr std::size_t kBlockPoints = 256;
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
    // Only operands read as whole columns need the inputs as doubles.
    auto isInput = [](const Operand& o) {
      return o.source != Source::kSlot && o.source != Source::kConstant;
    };
    p_.needsDoubleInputs_ = p_.result_ && isInput(*p_.result_);
    for (const Instruction& ins : p_.code_) {
      const bool readsInPlace = ins.op <= Op::kDivide;
      if (!readsInPlace && (isInput(ins.a) || (ins.op == Op::kPower && isInput(ins.b)))) {
        p_.needsDoubleInputs_ = true;
      }
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

  const std::size_t k = std::clamp<std::size_t>(
      kBlockDoubles / (7 + 2 * static_cast<std::size_t>(slotCount_)), 1, kBlockPoints);
  // Columns: x, y, zero, four scratch columns, then two per slot.
  std::vector<double> columns((7 + 2 * static_cast<std::size_t>(slotCount_)) * k, 0.0);
  double* xd = columns.data();
  double* yd = xd + k;
  BlockFrame frame;
  frame.xd = xd;
  frame.yd = yd;
  frame.zero = yd + k;
  frame.scratch = yd + 2 * k;
  frame.slotColumns = frame.scratch + 4 * k;
  frame.k = k;
  frame.constants = constants_.data();
  std::vector<Complex> pointSlots;
  for (std::size_t start = 0; start < n; start += k) {
    const std::size_t m = std::min(k, n - start);
    frame.x = x + start;
    frame.y = y + start;
    if (needsDoubleInputs_) {
      std::copy(x + start, x + start + m, xd);
      std::copy(y + start, y + start + m, yd);
    }
    unsigned fault = RunBlock(frame, m);

    const Columns result(*result_, frame, 0, m);
    const double* re = result.re;
    const double* im = result.im;
    // The final values must fit in single precision (NaN does not).
    for (std::size_t i = 0; i < m; ++i) {
      fault |= !(std::fabs(re[i]) < kSingleLimit) | !(std::fabs(im[i]) < kSingleLimit);
    }

    if (!fault) {
      for (std::size_t i = 0; i < m; ++i) {
        u[start + i] = static_cast<float>(re[i]);
        v[start + i] = static_cast<float>(im[i]);
      }
      continue;
    }
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
