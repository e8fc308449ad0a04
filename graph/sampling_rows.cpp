#include "graph/sampling_rows.h"

#include <cmath>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace quillon {

namespace {

// |u + vi| of one point: the sum of squares and its root in double, rounded to single.
inline float MagnitudeOf(float u, float v) {
  const double a = u;
  const double b = v;
  return static_cast<float>(std::sqrt(a * a + b * b));
}

// Limits of equal values can differ in the sign of a zero only; when a limit is a zero, the
// values are taken again in order so that the first zero seen is kept.
Range InOrder(const float* values, size_t n) {
  Range r;
  for (size_t j = 0; j < n; ++j) r.Take(values[j]);
  return r;
}

void KeepFirstZero(Range& r, const float* values, size_t n) {
  if (r.max == 0.0f || r.min == 0.0f) r = InOrder(values, n);
}

#if defined(__x86_64__)
// Eight points at a time with 512-bit vectors (the zero-masked forms: the plain ones start
// from an undefined register, which GCC warns of). Built without fused multiply-adds, which would
// round u² + v² differently from the scalar loop.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#pragma STDC FP_CONTRACT OFF
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#pragma GCC optimize("fp-contract=off")
#endif
size_t MagnitudesAndRangesWide(const float* us, const float* vs, size_t n, float* ms, __mmask16& fit,
                               Range& u, Range& v, Range& m) {
  size_t j = 0;
  if (n < 16) return 0;
  const __m256 limit = _mm256_set1_ps(std::numeric_limits<float>::max());
  const __m256 magnitudeBits = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
  __m256 uHi = _mm256_loadu_ps(us), uLo = uHi;
  __m256 vHi = _mm256_loadu_ps(vs), vLo = vHi;
  __m256 mHi = _mm256_set1_ps(-std::numeric_limits<float>::infinity());
  __m256 mLo = _mm256_set1_ps(std::numeric_limits<float>::infinity());
  __m256 allFit = _mm256_castsi256_ps(_mm256_set1_epi32(-1));
  for (; j + 8 <= n; j += 8) {
    const __m256 uf = _mm256_loadu_ps(us + j);
    const __m256 vf = _mm256_loadu_ps(vs + j);
    const __m512d ud = _mm512_maskz_cvtps_pd(0xFF, uf);
    const __m512d vd = _mm512_maskz_cvtps_pd(0xFF, vf);
    const __m512d sum = _mm512_add_pd(_mm512_mul_pd(ud, ud), _mm512_mul_pd(vd, vd));
    const __m256 mf = _mm512_maskz_cvtpd_ps(0xFF, _mm512_maskz_sqrt_pd(0xFF, sum));
    _mm256_storeu_ps(ms + j, mf);
    allFit = _mm256_and_ps(allFit, _mm256_cmp_ps(_mm256_and_ps(mf, magnitudeBits), limit, _CMP_LE_OQ));
    uHi = _mm256_max_ps(uf, uHi);  // uf > uHi ? uf : uHi, lane by lane
    uLo = _mm256_min_ps(uf, uLo);
    vHi = _mm256_max_ps(vf, vHi);
    vLo = _mm256_min_ps(vf, vLo);
    mHi = _mm256_max_ps(mf, mHi);
    mLo = _mm256_min_ps(mf, mLo);
  }
  fit = static_cast<__mmask16>(_mm256_movemask_ps(allFit));
  alignas(32) float lanes[6][8];
  _mm256_store_ps(lanes[0], uHi);
  _mm256_store_ps(lanes[1], uLo);
  _mm256_store_ps(lanes[2], vHi);
  _mm256_store_ps(lanes[3], vLo);
  _mm256_store_ps(lanes[4], mHi);
  _mm256_store_ps(lanes[5], mLo);
  for (int l = 0; l < 8; ++l) {
    u.Take(lanes[0][l]);
    u.Take(lanes[1][l]);
    v.Take(lanes[2][l]);
    v.Take(lanes[3][l]);
    m.Take(lanes[4][l]);
    m.Take(lanes[5][l]);
  }
  return j;
}
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
const bool g_hasAvx512 = __builtin_cpu_supports("avx512f");
#endif

}  // namespace

// |w| = sqrt(u² + v²) rounded to single at each of n points; false when one does not fit a
// single. Written with vector intrinsics: the library's sqrt keeps the loop scalar (it may set
// errno), while the vector square root rounds the same way.
bool Magnitudes(const float* us, const float* vs, size_t n, float* ms) {
  bool allFit = true;
  size_t j = 0;
#if defined(__x86_64__)
  const __m128 limit = _mm_set1_ps(std::numeric_limits<float>::max());
  const __m128 magnitudeBits = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  __m128 fit = _mm_castsi128_ps(_mm_set1_epi32(-1));
  for (; j + 4 <= n; j += 4) {
    const __m128 u = _mm_loadu_ps(us + j);
    const __m128 v = _mm_loadu_ps(vs + j);
    const __m128d u0 = _mm_cvtps_pd(u);
    const __m128d v0 = _mm_cvtps_pd(v);
    const __m128d u1 = _mm_cvtps_pd(_mm_movehl_ps(u, u));
    const __m128d v1 = _mm_cvtps_pd(_mm_movehl_ps(v, v));
    const __m128 m0 = _mm_cvtpd_ps(_mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(u0, u0), _mm_mul_pd(v0, v0))));
    const __m128 m1 = _mm_cvtpd_ps(_mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(u1, u1), _mm_mul_pd(v1, v1))));
    const __m128 m = _mm_movelh_ps(m0, m1);
    _mm_storeu_ps(ms + j, m);
    fit = _mm_and_ps(fit, _mm_cmple_ps(_mm_and_ps(m, magnitudeBits), limit));
  }
  allFit = _mm_movemask_ps(fit) == 0xf;
#endif
  for (; j < n; ++j) {
    ms[j] = MagnitudeOf(us[j], vs[j]);
    allFit &= std::isfinite(ms[j]);
  }
  return allFit;
}

// The limits of n finite values. Equal values differ only in the sign of a zero; when a limit
// is a zero the values are scanned in order again, so that the first zero seen is kept.
Range RowRange(const float* values, size_t n) {
  Range r;
  size_t j = 0;
#if defined(__x86_64__)
  if (n >= 16) {
    // Four independent pairs of limits, so that the comparisons do not wait on each other.
    __m128 hi[4], lo[4];
    for (int a = 0; a < 4; ++a) hi[a] = lo[a] = _mm_loadu_ps(values + 4 * a);
    for (j = 16; j + 16 <= n; j += 16) {
      for (int a = 0; a < 4; ++a) {
        const __m128 v = _mm_loadu_ps(values + j + 4 * a);
        hi[a] = _mm_max_ps(v, hi[a]);  // v > hi ? v : hi, lane by lane
        lo[a] = _mm_min_ps(v, lo[a]);
      }
    }
    alignas(16) float his[16], los[16];
    for (int a = 0; a < 4; ++a) {
      _mm_store_ps(his + 4 * a, hi[a]);
      _mm_store_ps(los + 4 * a, lo[a]);
    }
    for (int l = 0; l < 16; ++l) {
      r.Take(his[l]);
      r.Take(los[l]);
    }
  }
#endif
  for (; j < n; ++j) r.Take(values[j]);
  if (r.max == 0.0f || r.min == 0.0f) {
    r = Range{};
    for (j = 0; j < n; ++j) r.Take(values[j]);
  }
  return r;
}

bool MagnitudesAndRanges(const float* us, const float* vs, size_t n, float* ms, Range& u, Range& v,
                         Range& m) {
  u = v = m = Range{};
  size_t j = 0;
  bool allFit = true;
#if defined(__x86_64__)
  if (g_hasAvx512) {
    __mmask16 fit = 0xFF;
    j = MagnitudesAndRangesWide(us, vs, n, ms, fit, u, v, m);
    allFit = fit == 0xFF;
  }
#endif
  if (j == 0) {
    // Without the wide pass: the separate passes.
    if (!Magnitudes(us, vs, n, ms)) return false;
    u = RowRange(us, n);
    v = RowRange(vs, n);
    m = RowRange(ms, n);
    return true;
  }
  for (; j < n; ++j) {
    const float w = MagnitudeOf(us[j], vs[j]);
    ms[j] = w;
    allFit &= std::isfinite(w);
    u.Take(us[j]);
    v.Take(vs[j]);
    m.Take(w);
  }
  if (!allFit) return false;
  KeepFirstZero(u, us, n);
  KeepFirstZero(v, vs, n);
  KeepFirstZero(m, ms, n);
  return true;
}

}  // namespace quillon
