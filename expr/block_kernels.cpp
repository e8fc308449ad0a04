#include "expr/block_kernels.h"

#include <immintrin.h>

#include <array>
#include <atomic>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

#if defined(__clang__)
// Clang would fuse a * b + c within one expression where the target has FMA.
#pragma STDC FP_CONTRACT OFF
#endif

namespace quillon::program_detail {
namespace {

// Plain x86-64: two doubles per vector.
#define QUILLON_KERNEL_NS sse2
#define QUILLON_KERNEL_WIDTH 2
#include "expr/block_kernels_body.h"
#undef QUILLON_KERNEL_NS
#undef QUILLON_KERNEL_WIDTH

// AVX2 without FMA: fused products would round differently from the point routines.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#define QUILLON_KERNEL_NS avx2
#define QUILLON_KERNEL_WIDTH 4
#include "expr/block_kernels_body.h"
#undef QUILLON_KERNEL_NS
#undef QUILLON_KERNEL_WIDTH
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

// AVX-512 has fused multiply-adds without a separate flag; contraction stays off.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512dq"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512dq")
#pragma GCC optimize("fp-contract=off")
#endif
#define QUILLON_KERNEL_NS avx512
#define QUILLON_KERNEL_WIDTH 8
#include "expr/block_kernels_body.h"
#undef QUILLON_KERNEL_NS
#undef QUILLON_KERNEL_WIDTH
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

static_assert(kLaneGroup % avx512::kWidth == 0);
static_assert(kLaneGroup % avx2::kWidth == 0 && kLaneGroup % sse2::kWidth == 0);

}  // namespace

namespace {
using Isa = VectorIsa;

Isa Best() {
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq")) return Isa::kAvx512;
  if (__builtin_cpu_supports("avx2")) return Isa::kAvx2;
  return Isa::kSse2;
}
const Isa g_best = Best();
std::atomic<Isa> g_isa{g_best};
}  // namespace

VectorIsa BestVectorIsa() {
  return g_best;
}

bool UseVectorIsa(VectorIsa isa) {
  if (static_cast<int>(isa) > static_cast<int>(g_best)) return false;
  g_isa.store(isa);
  return true;
}

BlockKernel VectorKernelFor(const Instruction& ins, bool inputsAsSingles, bool last) {
  auto kind = [&](const Operand& o) {
    if (o.source == Source::kConstant) return OperandKind::kConstant;
    if (inputsAsSingles && o.source != Source::kSlot) return OperandKind::kInput;
    return OperandKind::kColumn;
  };
  const OperandKind a = kind(ins.a);
  const OperandKind b = ins.op <= Op::kPower ? kind(ins.b) : OperandKind::kColumn;
  switch (g_isa.load(std::memory_order_relaxed)) {
    case Isa::kAvx512:
      return avx512::KernelFor(ins, a, b, last);
    case Isa::kAvx2:
      return avx2::KernelFor(ins, a, b, last);
    case Isa::kSse2:
      break;
  }
  return sse2::KernelFor(ins, a, b, last);
}

void LoadBlockInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                     double* yd) {
  switch (g_isa.load(std::memory_order_relaxed)) {
    case Isa::kAvx512:
      return avx512::LoadInputs(x, y, m, padded, xd, yd);
    case Isa::kAvx2:
      return avx2::LoadInputs(x, y, m, padded, xd, yd);
    case Isa::kSse2:
      break;
  }
  sse2::LoadInputs(x, y, m, padded, xd, yd);
}

unsigned StoreBlockResults(const double* re, const double* im, std::size_t m, float* u, float* v) {
  switch (g_isa.load(std::memory_order_relaxed)) {
    case Isa::kAvx512:
      return avx512::StoreResults(re, im, m, u, v);
    case Isa::kAvx2:
      return avx2::StoreResults(re, im, m, u, v);
    case Isa::kSse2:
      break;
  }
  return sse2::StoreResults(re, im, m, u, v);
}

}  // namespace quillon::program_detail
