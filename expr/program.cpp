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

using program_detail::Instruction;
using program_detail::Operand;
using program_detail::Source;

RuntimeError MissingOperand() {
  return RuntimeError(err::kPopOnEmptyStack, "Pop method invoked on empty stack");
}

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
    if (p_.result_)
      p_.blocks_ = program_detail::LayOutBlocks(p_.code_, p_.constants_, *p_.result_, p_.slotCount_);
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
    const bool binary = program_detail::IsBinary(ins.op);
    if (binary && ins.b.source != Source::kConstant) return false;
    const Complex a = ConstantOf(ins.a);
    const Complex b = binary ? ConstantOf(ins.b) : Complex{};
    FaultFlag p;
    const Complex r = program_detail::Compute(p, ins.op, ins.function, ins.exponent, a, b);
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
    const Complex b = program_detail::IsBinary(ins.op) ? Fetch(ins.b, x, y, slots) : Complex{};
    slots[ins.target] = program_detail::Compute(p, ins.op, ins.function, ins.exponent, a, b);
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

  program_detail::BlockFrame frame = blocks_.Frame();
  std::vector<Complex> pointSlots;
  for (std::size_t start = 0; start < n; start += blocks_.k) {
    const std::size_t m = std::min(blocks_.k, n - start);
    const std::size_t padded = blocks_.SetInputs(frame, x + start, y + start, m);
    unsigned fault = blocks_.Run(frame, padded);
    if (!fault) fault = blocks_.StoreResults(frame, m, u + start, v + start);
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
