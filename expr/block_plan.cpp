#include "expr/block_plan.h"

#include <algorithm>
#include <array>

#include "expr/block_kernels.h"

namespace quillon::program_detail {
namespace {

constexpr std::size_t kBlockDoubles = std::size_t{1} << 20;
// The zeros of kernels that read the single inputs x or y alone.
constexpr std::array<float, kMaxBlockPoints> kZeroSingles{};

bool IsInput(const Operand& o) {
  return o.source == Source::kX || o.source == Source::kY || o.source == Source::kZ;
}

// Where the block kernels find operand `o`; x, y and z as singles when `asSingles`.
BlockOperand Resolve(const Operand& o, const std::vector<Complex>& constants, bool asSingles) {
  BlockOperand r;
  switch (o.source) {
    case Source::kSlot:
      r.re = kFirstSlotColumn + 2 * o.index;
      r.im = r.re + 1;
      return r;
    case Source::kConstant:
      r.kind = OperandKind::kConstant;
      r.value = constants[o.index];
      return r;
    case Source::kX:
    case Source::kY:
    case Source::kZ:
      break;
  }
  if (asSingles) {
    r.kind = OperandKind::kInput;
    r.re = o.source == Source::kY ? kInputZero : kInputX;
    r.im = o.source == Source::kX ? kInputZero : kInputY;
  } else {
    r.re = o.source == Source::kY ? kColumnZero : kColumnX;
    r.im = o.source == Source::kX ? kColumnZero : kColumnY;
  }
  return r;
}

// Operations without a vector kernel, point by point over the columns; faults are only
// flagged, the caller redoes the block point by point when any was seen.
unsigned ScalarKernel(const BlockStep& s, const BlockFrame& f, std::size_t m) {
  // A constant is read with a step of 0.
  auto columnsOf = [&f](const BlockOperand& o, const double*& re, const double*& im) {
    if (o.kind == OperandKind::kConstant) {
      re = &o.value.re;
      im = &o.value.im;
      return std::size_t{0};
    }
    re = f.Column(o.re);
    im = f.Column(o.im);
    return std::size_t{1};
  };
  const double *aRe, *aIm, *bRe = nullptr, *bIm = nullptr;
  const std::size_t aStep = columnsOf(s.a, aRe, aIm);
  const std::size_t bStep = IsBinary(s.op) ? columnsOf(s.b, bRe, bIm) : 0;
  double* outRe = f.Column(s.out);
  double* outIm = f.Column(s.out + 1);
  FaultFlag p;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex a{aRe[i * aStep], aIm[i * aStep]};
    const Complex b = bRe ? Complex{bRe[i * bStep], bIm[i * bStep]} : Complex{};
    const Complex r = Compute(p, s.op, s.function, s.exponent, a, b);
    outRe[i] = r.re;
    outIm[i] = r.im;
  }
  return p.fault;
}

}  // namespace

BlockFrame BlockPlan::Frame() const {
  thread_local std::vector<double> columnMemory;
  thread_local std::vector<float> paddingMemory;
  columnMemory.resize(columns * k);
  paddingMemory.resize(2 * k);
  BlockFrame frame;
  frame.columns = columnMemory.data();
  frame.k = k;
  frame.inputs[kInputZero] = kZeroSingles.data();
  frame.padding = paddingMemory.data();
  std::fill_n(frame.Column(kColumnZero), k, 0.0);
  return frame;
}

std::size_t BlockPlan::SetInputs(BlockFrame& frame, const float* x, const float* y, std::size_t m) const {
  const std::size_t padded = (m + kLaneGroup - 1) / kLaneGroup * kLaneGroup;
  if (doubleInputs) {
    LoadBlockInputs(x, y, m, padded, frame.Column(kColumnX), frame.Column(kColumnY));
  } else if (padded == m) {
    frame.inputs[kInputX] = x;
    frame.inputs[kInputY] = y;
  } else {
    float* xs = frame.padding;
    float* ys = frame.padding + padded;
    std::fill(std::copy(x, x + m, xs), xs + padded, x[m - 1]);
    std::fill(std::copy(y, y + m, ys), ys + padded, y[m - 1]);
    frame.inputs[kInputX] = xs;
    frame.inputs[kInputY] = ys;
  }
  return padded;
}

unsigned BlockPlan::Run(const BlockFrame& frame, std::size_t padded) const {
  unsigned fault = 0;
  for (const BlockStep& s : steps) fault |= s.kernel(s, frame, padded);
  return fault;
}

unsigned BlockPlan::StoreResults(const BlockFrame& frame, std::size_t m, float* u, float* v) const {
  if (result.kind != OperandKind::kConstant)
    return StoreBlockResults(frame.Column(result.re), frame.Column(result.im), m, u, v);
  double* re = frame.Column(kColumnScratch);
  double* im = frame.Column(kColumnScratch + 1);
  std::fill_n(re, m, result.value.re);
  std::fill_n(im, m, result.value.im);
  return StoreBlockResults(re, im, m, u, v);
}

BlockPlan LayOutBlocks(const std::vector<Instruction>& code, const std::vector<Complex>& constants,
                       const Operand& result, uint32_t slotCount) {
  BlockPlan plan;
  // A program that reads x, y or z once, in a vectorised kernel, lets that kernel convert the
  // single inputs itself: filling the double columns first would be one more pass over the
  // block. (Read several times, converting at each reading costs more than filling them once.)
  int readings = IsInput(result) ? 2 : 0;
  for (const Instruction& ins : code)
    readings += (IsInput(ins.a) ? 1 : 0) + (IsBinary(ins.op) && IsInput(ins.b));
  plan.doubleInputs = readings > 0;

  const bool lastIsResult =
      !code.empty() && result.source == Source::kSlot && result.index == code.back().target;
  for (std::size_t n = 0; n < code.size(); ++n) {
    const Instruction& ins = code[n];
    BlockStep s;
    s.op = ins.op;
    s.function = ins.function;
    s.exponent = ins.exponent;
    s.out = kFirstSlotColumn + 2 * ins.target;
    const bool last = lastIsResult && n + 1 == code.size();
    const bool reads = IsInput(ins.a) || (IsBinary(ins.op) && IsInput(ins.b));
    for (bool asSingles : {readings == 1 && reads, false}) {
      s.a = Resolve(ins.a, constants, asSingles);
      s.b = IsBinary(ins.op) ? Resolve(ins.b, constants, asSingles) : BlockOperand{};
      s.kernel = VectorKernelFor(ins.op, ins.function, s.a.kind, s.b.kind, last);
      if (s.kernel) {
        if (asSingles) plan.doubleInputs = false;
        break;
      }
    }
    if (!s.kernel) s.kernel = &ScalarKernel;
    plan.steps.push_back(s);
  }

  plan.result = Resolve(result, constants, false);
  plan.columns = kFirstSlotColumn + 2 * static_cast<std::size_t>(slotCount);
  const std::size_t fit = kBlockDoubles / plan.columns;
  plan.k = std::max(kLaneGroup, std::min(fit, kMaxBlockPoints) / kLaneGroup * kLaneGroup);
  return plan;
}

}  // namespace quillon::program_detail
