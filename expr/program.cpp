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

using Kernel = unsigned (*)(const double*, const double*, const double*, const double*, double*, double*,
                            std::size_t);

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
template <FunctionId F>
struct FunctionOp {
  template <class P>
  static Complex Do(P& p, double a, double b) {
    return cmath::Apply(p, F, Complex{a, b});
  }
};

// One operation over a column of points; faults are only flagged, the caller redoes the block
// point by point when any was seen.
template <class K>
unsigned BinaryKernel(const double* ar, const double* ai, const double* br, const double* bi, double* outRe,
                      double* outIm, std::size_t n) {
  FaultFlag p;
  for (std::size_t i = 0; i < n; ++i) {
    const Complex r = K::Do(p, ar[i], ai[i], br[i], bi[i]);
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

template <class K>
unsigned UnaryKernel(const double* ar, const double* ai, const double*, const double*, double* outRe,
                     double* outIm, std::size_t n) {
  FaultFlag p;
  for (std::size_t i = 0; i < n; ++i) {
    const Complex r = K::Do(p, ar[i], ai[i]);
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

template <std::size_t... I>
constexpr std::array<Kernel, kFunctionCount> MakeFunctionKernels(std::index_sequence<I...>) {
  return {&UnaryKernel<FunctionOp<static_cast<FunctionId>(I)>>...};
}
constexpr std::array<Kernel, kFunctionCount> kFunctionKernels =
    MakeFunctionKernels(std::make_index_sequence<kFunctionCount>{});

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
  explicit Builder(CompiledProgram& program) : p_(program) {}

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
          return Binary(Op::kAdd, &BinaryKernel<AddOp>);
        case '-':
          return Binary(Op::kSubtract, &BinaryKernel<SubtractOp>);
        case '*':
          return Binary(Op::kMultiply, &BinaryKernel<MultiplyOp>);
        case '/':
          return Binary(Op::kDivide, &BinaryKernel<DivideOp>);
        case '^':
          return Binary(Op::kPower, &BinaryKernel<PowerOp>);
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
      return Unary(Op::kNegate, FunctionId::kSin, &UnaryKernel<NegateOp>);
    } else if (const FunctionInfo* f = FindFunction(token)) {
      return Unary(Op::kFunction, f->id, kFunctionKernels[static_cast<std::size_t>(f->id)]);
    }
    return true;
  }

  void Finish() {
    if (!p_.trailingError_ && !stack_.empty()) p_.result_ = stack_.back();
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

  void Emit(Instruction ins) {
    if (Fold(ins)) return;
    ins.target = slotsInUse_++;
    p_.slotCount_ = std::max(p_.slotCount_, slotsInUse_);
    p_.code_.push_back(ins);
    stack_.push_back({Source::kSlot, ins.target});
  }

  bool Binary(Op op, BlockKernel kernel) {
    if (Missing(2)) return false;
    Instruction ins;
    ins.op = op;
    ins.kernel = kernel;
    ins.b = Pop();
    ins.a = Pop();
    Emit(ins);
    return true;
  }

  bool Unary(Op op, FunctionId f, BlockKernel kernel) {
    if (Missing(1)) return false;
    Instruction ins;
    ins.op = op;
    ins.function = f;
    ins.kernel = kernel;
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
    }
    return a;
  }

 private:
  CompiledProgram& p_;
  std::vector<Operand> stack_;
  uint32_t slotsInUse_ = 0;
};

CompiledProgram CompiledProgram::FromPostfix(const std::string& postfix) {
  CompiledProgram program;
  Builder builder(program);
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

// Columns of one block: the inputs as doubles, a column of zeros, two columns per constant
// operand and two per slot.
struct CompiledProgram::BlockBuffers {
  BlockBuffers(std::size_t points, std::size_t slots) : k(points), data((8 + 2 * slots) * points, 0.0) {}

  double* Column(std::size_t i) { return data.data() + i * k; }
  double* X() { return Column(0); }
  double* Y() { return Column(1); }
  double* Zero() { return Column(2); }
  double* ConstantRe(int which) { return Column(3 + 2 * which); }
  double* ConstantIm(int which) { return Column(4 + 2 * which); }
  double* SlotRe(std::size_t s) { return Column(8 + 2 * s); }
  double* SlotIm(std::size_t s) { return Column(9 + 2 * s); }

  std::size_t k;
  std::vector<double> data;
};

unsigned CompiledProgram::RunBlock(BlockBuffers& buffers, std::size_t m) const {
  // The columns of an operand; a constant is spread over scratch column pair `which`.
  auto columns = [&](const Operand& o, int which, const double*& re, const double*& im) {
    switch (o.source) {
      case Source::kSlot:
        re = buffers.SlotRe(o.index);
        im = buffers.SlotIm(o.index);
        return;
      case Source::kX:
        re = buffers.X();
        im = buffers.Zero();
        return;
      case Source::kY:
        re = buffers.Zero();
        im = buffers.Y();
        return;
      case Source::kZ:
        re = buffers.X();
        im = buffers.Y();
        return;
      case Source::kConstant: {
        const Complex c = constants_[o.index];
        double* cr = buffers.ConstantRe(which);
        double* ci = buffers.ConstantIm(which);
        std::fill(cr, cr + m, c.re);
        std::fill(ci, ci + m, c.im);
        re = cr;
        im = ci;
        return;
      }
    }
  };

  unsigned fault = 0;
  for (const Instruction& ins : code_) {
    const double* ar = nullptr;
    const double* ai = nullptr;
    const double* br = nullptr;
    const double* bi = nullptr;
    columns(ins.a, 0, ar, ai);
    if (ins.op <= Op::kPower) columns(ins.b, 1, br, bi);
    fault |= ins.kernel(ar, ai, br, bi, buffers.SlotRe(ins.target), buffers.SlotIm(ins.target), m);
  }
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
      kBlockDoubles / (8 + 2 * static_cast<std::size_t>(slotCount_)), 1, kBlockPoints);
  BlockBuffers buffers(k, slotCount_);
  std::vector<Complex> pointSlots;
  for (std::size_t start = 0; start < n; start += k) {
    const std::size_t m = std::min(k, n - start);
    std::copy(x + start, x + start + m, buffers.X());
    std::copy(y + start, y + start + m, buffers.Y());
    unsigned fault = RunBlock(buffers, m);

    const double* re = nullptr;
    const double* im = nullptr;
    switch (result_->source) {
      case Source::kSlot:
        re = buffers.SlotRe(result_->index);
        im = buffers.SlotIm(result_->index);
        break;
      case Source::kConstant:
        std::fill(buffers.ConstantRe(0), buffers.ConstantRe(0) + m, constants_[result_->index].re);
        std::fill(buffers.ConstantIm(0), buffers.ConstantIm(0) + m, constants_[result_->index].im);
        re = buffers.ConstantRe(0);
        im = buffers.ConstantIm(0);
        break;
      default:
        re = result_->source == Source::kY ? buffers.Zero() : buffers.X();
        im = result_->source == Source::kX ? buffers.Zero() : buffers.Y();
        break;
    }
    FaultFlag final;
    for (std::size_t i = 0; i < m; ++i) {
      final.Single(re[i]);
      final.Single(im[i]);
    }
    fault |= final.fault;

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
