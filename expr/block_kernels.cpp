#include "expr/block_kernels.h"

#include <immintrin.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quillon::program_detail {
namespace {

// Plain x86-64: two doubles per vector.
#define QUILLON_KERNEL_NS sse2
#define QUILLON_KERNEL_WIDTH 2
#include "expr/block_kernels_body.h"
#undef QUILLON_KERNEL_NS
#undef QUILLON_KERNEL_WIDTH

// AVX2 without FMA: fused products would round differently from the point routines.
#pragma GCC push_options
#pragma GCC target("avx2")
#define QUILLON_KERNEL_NS avx2
#define QUILLON_KERNEL_WIDTH 4
#include "expr/block_kernels_body.h"
#undef QUILLON_KERNEL_NS
#undef QUILLON_KERNEL_WIDTH
#pragma GCC pop_options

static_assert(kLaneGroup % avx2::kWidth == 0 && kLaneGroup % sse2::kWidth == 0);

}  // namespace

namespace {
const bool g_hasAvx2 = __builtin_cpu_supports("avx2");
}

BlockKernel VectorKernelFor(const Instruction& ins) {
  return g_hasAvx2 ? avx2::KernelFor(ins) : sse2::KernelFor(ins);
}

void LoadBlockInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                     double* yd) {
  if (g_hasAvx2) {
    avx2::LoadInputs(x, y, m, padded, xd, yd);
  } else {
    sse2::LoadInputs(x, y, m, padded, xd, yd);
  }
}

unsigned StoreBlockResults(const double* re, const double* im, std::size_t m, float* u, float* v) {
  return g_hasAvx2 ? avx2::StoreResults(re, im, m, u, v) : sse2::StoreResults(re, im, m, u, v);
}

}  // namespace quillon::program_detail
