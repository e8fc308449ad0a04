#pragma once
// The instruction sets the block kernels are built for (used by expr/block_kernels.cpp only):
// each gives a vector of doubles filling one register and the few steps written with
// intrinsics (the compiler's generic float conversions are slower, and a double -> single ->
// double round trip written as casts may be folded away). Vectors go by reference: passed by
// value into a function built for another set, they would change the calling convention.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace quillon::program_detail::vector_isa {

struct Sse2 {
  static constexpr std::size_t kWidth = 2;
  typedef double Vec __attribute__((vector_size(16)));
  typedef int64_t Mask __attribute__((vector_size(16)));

  static void Round(Vec& v) { v = static_cast<Vec>(_mm_cvtps_pd(_mm_cvtpd_ps(static_cast<__m128d>(v)))); }
  static void Widen(const float* p, Vec& v) {
    v = static_cast<Vec>(
        _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)))));
  }
  static void Narrow(const Vec& v, float* p) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(_mm_cvtpd_ps(static_cast<__m128d>(v))));
  }
  // Lanes of a comparison are all ones or all zeros, so their sign bits tell.
  static bool AnyLaneSet(const Mask& m) { return _mm_movemask_pd(reinterpret_cast<__m128d>(m)) != 0; }
};

// AVX2 without FMA.
struct Avx2 {
  static constexpr std::size_t kWidth = 4;
  typedef double Vec __attribute__((vector_size(32)));
  typedef int64_t Mask __attribute__((vector_size(32)));

  [[gnu::target("avx2")]] static void Round(Vec& v) {
    v = static_cast<Vec>(_mm256_cvtps_pd(_mm256_cvtpd_ps(static_cast<__m256d>(v))));
  }
  [[gnu::target("avx2")]] static void Widen(const float* p, Vec& v) {
    v = static_cast<Vec>(_mm256_cvtps_pd(_mm_loadu_ps(p)));
  }
  [[gnu::target("avx2")]] static void Narrow(const Vec& v, float* p) {
    _mm_storeu_ps(p, _mm256_cvtpd_ps(static_cast<__m256d>(v)));
  }
  [[gnu::target("avx2")]] static bool AnyLaneSet(const Mask& m) {
    return _mm256_movemask_pd(reinterpret_cast<__m256d>(m)) != 0;
  }
};

// AVX-512: the zero-masked conversions, as the plain ones start from an undefined register,
// which GCC warns of.
struct Avx512 {
  static constexpr std::size_t kWidth = 8;
  typedef double Vec __attribute__((vector_size(64)));
  typedef int64_t Mask __attribute__((vector_size(64)));

  [[gnu::target("avx512f,avx512dq")]] static void Round(Vec& v) {
    v = static_cast<Vec>(_mm512_maskz_cvtps_pd(0xFF, _mm512_maskz_cvtpd_ps(0xFF, static_cast<__m512d>(v))));
  }
  [[gnu::target("avx512f,avx512dq")]] static void Widen(const float* p, Vec& v) {
    v = static_cast<Vec>(_mm512_maskz_cvtps_pd(0xFF, _mm256_loadu_ps(p)));
  }
  [[gnu::target("avx512f,avx512dq")]] static void Narrow(const Vec& v, float* p) {
    _mm256_storeu_ps(p, _mm512_maskz_cvtpd_ps(0xFF, static_cast<__m512d>(v)));
  }
  [[gnu::target("avx512f,avx512dq")]] static bool AnyLaneSet(const Mask& m) {
    const __m512i v = reinterpret_cast<__m512i>(m);
    return _mm512_test_epi64_mask(v, v) != 0;
  }
};

}  // namespace quillon::program_detail::vector_isa
