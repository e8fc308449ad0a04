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
// Sixteen points at a time with 512-bit vectors (the zero-masked forms: the plain ones start
// from an undefined register, which GCC warns of). Built without fused multiply-adds, which would
// round u² + v² differently from the scalar loop.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512vl"))), apply_to = function)
#pragma STDC FP_CONTRACT OFF
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512vl")
#pragma GCC optimize("fp-contract=off")
#endif

// u² + v² in double for eight points.
inline __m512d SumsOfSquares(__m256 uf, __m256 vf) {
  const __m512d ud = _mm512_maskz_cvtps_pd(0xFF, uf);
  const __m512d vd = _mm512_maskz_cvtps_pd(0xFF, vf);
  return _mm512_add_pd(_mm512_mul_pd(ud, ud), _mm512_mul_pd(vd, vd));
}

// The root of each sum in double, rounded to single: what the scalar loop computes.
inline __m256 RootsInDouble(__m512d sum) {
  return _mm512_maskz_cvtpd_ps(0xFF, _mm512_maskz_sqrt_pd(0xFF, sum));
}

// The same eight values from the much cheaper single-precision root; false, leaving `roots`
// alone, when some lane is outside the range where the argument below holds.
//
// For a sum s in [2^-126, FLT_MAX], r = sqrt(single(s)) is within one step of single(√s):
// rounding s costs at most a quarter of a step of the root, the root's own rounding half a
// step. The sign of s - r² (exact with one rounding: a fused multiply-add) tells on which side
// of r the true root lies; the square of the midpoint m between r and that neighbour is exact
// in double (2m has at most 26 bits), so s against m² picks the nearer one. The scalar loop
// rounds twice (to double, then to single), which differs from rounding √s once only when √s
// lies within a double step of m; lanes whose s is that close to m² (within 2^-48 of it,
// far wider than needed) are left to the double root.
inline bool RootsFromSingle(__m512d sum, __m256& roots) {
  const __m512d zero = _mm512_setzero_pd();
  const __mmask8 inRange =
      _mm512_cmp_pd_mask(sum, _mm512_set1_pd(0x1p-126), _CMP_GE_OQ) &
      _mm512_cmp_pd_mask(sum, _mm512_set1_pd(std::numeric_limits<float>::max()), _CMP_LE_OQ);
  const __m256 r = _mm256_sqrt_ps(_mm512_maskz_cvtpd_ps(0xFF, sum));
  const __m512d t = _mm512_maskz_cvtps_pd(0xFF, r);
  const __m512d residual = _mm512_fnmadd_pd(t, t, sum);
  const __mmask8 above = _mm512_cmp_pd_mask(residual, zero, _CMP_GT_OQ);
  const __mmask8 below = _mm512_cmp_pd_mask(residual, zero, _CMP_LT_OQ);
  // The neighbour on the root's side: one step up or down in the single's bit pattern.
  const __m256i one = _mm256_set1_epi32(1);
  const __m256i bits = _mm256_castps_si256(r);
  const __m256 neighbour = _mm256_castsi256_ps(
      _mm256_mask_sub_epi32(_mm256_mask_add_epi32(bits, above, bits, one), below, bits, one));
  const __m512d twiceMid = _mm512_add_pd(t, _mm512_maskz_cvtps_pd(0xFF, neighbour));
  const __m512d twiceMidSquared = _mm512_mul_pd(twiceMid, twiceMid);
  const __m512d diff = _mm512_sub_pd(_mm512_mul_pd(sum, _mm512_set1_pd(4.0)), twiceMidSquared);
  const __mmask8 nearMid =
      _mm512_mask_cmp_pd_mask(above | below, _mm512_abs_pd(diff),
                              _mm512_mul_pd(twiceMidSquared, _mm512_set1_pd(0x1p-48)), _CMP_LE_OQ);
  if (inRange != 0xFF || nearMid != 0) return false;
  const __mmask8 step = _mm512_mask_cmp_pd_mask(above, diff, zero, _CMP_GT_OQ) |
                        _mm512_mask_cmp_pd_mask(below, diff, zero, _CMP_LT_OQ);
  roots = _mm256_mask_blend_ps(step, r, neighbour);
  return true;
}

struct WideLimits {
  __m256 uHi, uLo, vHi, vLo, mHi, mLo;
  __m256 allFit;  // lanes whose every |w| so far fits a single

  void Take(__m256 uf, __m256 vf, __m256 mf) {
    uHi = _mm256_max_ps(uf, uHi);  // uf > uHi ? uf : uHi, lane by lane
    uLo = _mm256_min_ps(uf, uLo);
    vHi = _mm256_max_ps(vf, vHi);
    vLo = _mm256_min_ps(vf, vLo);
    mHi = _mm256_max_ps(mf, mHi);
    mLo = _mm256_min_ps(mf, mLo);
  }
  void CheckFit(__m256 mf) {
    const __m256 magnitudeBits = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
    const __m256 limit = _mm256_set1_ps(std::numeric_limits<float>::max());
    allFit = _mm256_and_ps(allFit, _mm256_cmp_ps(_mm256_and_ps(mf, magnitudeBits), limit, _CMP_LE_OQ));
  }
  // Eight points whose magnitudes come from the double root.
  void InDouble(const float* us, const float* vs, float* ms) {
    const __m256 uf = _mm256_loadu_ps(us);
    const __m256 vf = _mm256_loadu_ps(vs);
    const __m256 mf = RootsInDouble(SumsOfSquares(uf, vf));
    _mm256_storeu_ps(ms, mf);
    CheckFit(mf);
    Take(uf, vf, mf);
  }
  // Eight points through the single root where it is sure to agree (its results always fit).
  void FromSingle(const float* us, const float* vs, float* ms) {
    const __m256 uf = _mm256_loadu_ps(us);
    const __m256 vf = _mm256_loadu_ps(vs);
    const __m512d sum = SumsOfSquares(uf, vf);
    __m256 mf;
    if (!RootsFromSingle(sum, mf)) {
      mf = RootsInDouble(sum);
      CheckFit(mf);
    }
    _mm256_storeu_ps(ms, mf);
    Take(uf, vf, mf);
  }
};

size_t MagnitudesAndRangesWide(const float* us, const float* vs, size_t n, float* ms, __mmask16& fit,
                               Range& u, Range& v, Range& m) {
  size_t j = 0;
  if (n < 16) return 0;
  WideLimits w;
  w.uHi = w.uLo = _mm256_loadu_ps(us);
  w.vHi = w.vLo = _mm256_loadu_ps(vs);
  w.mHi = _mm256_set1_ps(-std::numeric_limits<float>::infinity());
  w.mLo = _mm256_set1_ps(std::numeric_limits<float>::infinity());
  w.allFit = _mm256_castsi256_ps(_mm256_set1_epi32(-1));
  // Half the points go through the double root, which keeps the divider busy, and half
  // through the single root and its check, which mostly use the other units, so the two
  // halves run side by side: about a quarter faster than all through the double root.
  for (; j + 16 <= n; j += 16) {
    w.FromSingle(us + j, vs + j, ms + j);
    w.InDouble(us + j + 8, vs + j + 8, ms + j + 8);
  }
  if (j + 8 <= n) {
    w.InDouble(us + j, vs + j, ms + j);
    j += 8;
  }
  fit = static_cast<__mmask16>(_mm256_movemask_ps(w.allFit));
  alignas(32) float lanes[6][8];
  _mm256_store_ps(lanes[0], w.uHi);
  _mm256_store_ps(lanes[1], w.uLo);
  _mm256_store_ps(lanes[2], w.vHi);
  _mm256_store_ps(lanes[3], w.vLo);
  _mm256_store_ps(lanes[4], w.mHi);
  _mm256_store_ps(lanes[5], w.mLo);
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
const bool g_hasAvx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
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
