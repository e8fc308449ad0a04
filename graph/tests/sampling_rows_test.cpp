// The vectorised row pass against the plain loop: magnitudes bit for bit, and limits that keep
// the first of equal zeros, for every row length around the vector widths.

#include "graph/sampling_rows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace quillon {
namespace {

struct Plain {
  std::vector<float> m;
  Range u, v, mag;
  bool fit = true;
};

Plain PlainLoop(const std::vector<float>& u, const std::vector<float>& v) {
  Plain p;
  for (size_t j = 0; j < u.size(); ++j) {
    const double a = u[j], b = v[j];
    const float w = static_cast<float>(std::sqrt(a * a + b * b));
    p.m.push_back(w);
    p.fit = p.fit && std::isfinite(w);
    p.u.Take(u[j]);
    p.v.Take(v[j]);
    p.mag.Take(w);
  }
  return p;
}

void ExpectSameBits(const Range& a, const Range& b, const char* what, size_t n) {
  EXPECT_EQ(std::bit_cast<uint32_t>(a.max), std::bit_cast<uint32_t>(b.max)) << what << " max, n = " << n;
  EXPECT_EQ(std::bit_cast<uint32_t>(a.min), std::bit_cast<uint32_t>(b.min)) << what << " min, n = " << n;
}

TEST(SamplingRowsTest, MagnitudesAndLimitsMatchThePlainLoop) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-3.0f, 3.0f);
  for (size_t n = 0; n <= 50; ++n) {
    for (int variant = 0; variant < 5; ++variant) {
      std::vector<float> u(n), v(n);
      for (size_t j = 0; j < n; ++j) {
        u[j] = value(random);
        v[j] = value(random);
        // Zeros of both signs, in places where they become the limits.
        if (variant == 1 && j % 3 == 0) u[j] = (j % 2 == 0) ? 0.0f : -0.0f;
        if (variant == 2)
          u[j] = std::fabs(u[j]) * ((j % 5 == 0) ? 0.0f : 1.0f), v[j] = (j % 2) ? -0.0f : 0.0f;
        if (variant == 3) u[j] = v[j] = 0.0f;
      }
      if (variant == 2 && n > 0) u[n - 1] = -0.0f;
      if (variant == 4) {
        // The smallest u is a zero met first as -0 away from the first lane, then as +0 in
        // an earlier lane of a later vector: the limit must be the -0.
        for (float& x : u) x = std::fabs(x) + 0.5f;
        if (n > 3) u[3] = -0.0f;
        if (n > 8) u[8] = 0.0f;
      }
      std::vector<float> m(n, -1.0f);
      Range ru, rv, rm;
      const bool fit = MagnitudesAndRanges(u.data(), v.data(), n, m.data(), ru, rv, rm);
      const Plain p = PlainLoop(u, v);
      ASSERT_TRUE(fit);
      for (size_t j = 0; j < n; ++j)
        ASSERT_EQ(std::bit_cast<uint32_t>(m[j]), std::bit_cast<uint32_t>(p.m[j]))
            << "n = " << n << ", j = " << j;
      ExpectSameBits(ru, p.u, "u", n);
      ExpectSameBits(rv, p.v, "v", n);
      ExpectSameBits(rm, p.mag, "|w|", n);
      // The separate passes agree as well.
      ExpectSameBits(RowRange(u.data(), n), p.u, "RowRange u", n);
    }
  }
}

void ExpectMagnitudesOfThePlainLoop(const std::vector<float>& u, const std::vector<float>& v,
                                    const char* what) {
  std::vector<float> m(u.size());
  Range ru, rv, rm;
  MagnitudesAndRanges(u.data(), v.data(), u.size(), m.data(), ru, rv, rm);
  const Plain p = PlainLoop(u, v);
  for (size_t j = 0; j < u.size(); ++j)
    ASSERT_EQ(std::bit_cast<uint32_t>(m[j]), std::bit_cast<uint32_t>(p.m[j]))
        << what << ": u = " << u[j] << ", v = " << v[j];
}

// Values of every magnitude a single has, subnormal and zero included, and pairs whose |w|
// does not fit a single.
TEST(SamplingRowsTest, MagnitudesOfAnySinglesMatchThePlainLoop) {
  std::mt19937 random(5);
  std::uniform_int_distribution<uint32_t> pattern(0, 0x7f7fffffu);
  std::vector<float> u(1 << 20), v(1 << 20);
  for (size_t j = 0; j < u.size(); ++j) {
    u[j] = std::bit_cast<float>(pattern(random) | (j % 3 == 0 ? 0x80000000u : 0u));
    v[j] = std::bit_cast<float>(pattern(random));
    // Pairs of like size, so that neither term of the sum swamps the other.
    if (j % 4 == 1) v[j] = u[j] * 0.75f;
    if (j % 64 == 7) u[j] = 0.0f;
  }
  ExpectMagnitudesOfThePlainLoop(u, v, "any");
}

// Pairs whose |w| lies within a few steps of a double of a midpoint between two singles, of
// both signs and every order: where rounding √(u² + v²) once to single and rounding it to
// double first part ways, so a root taken in single precision must give way to the double one.
TEST(SamplingRowsTest, MagnitudesNearAMidpointBetweenSinglesMatchThePlainLoop) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> fraction(1.0, 2.0);
  std::vector<float> u(1 << 20), v(1 << 20);
  for (size_t j = 0; j < u.size(); ++j) {
    const float r = static_cast<float>(std::ldexp(fraction(random), static_cast<int>(random() % 120) - 60));
    const double mid = (static_cast<double>(r) + std::nextafter(r, INFINITY)) / 2.0;
    float side = static_cast<float>(std::sqrt(mid * mid - static_cast<double>(r) * r));
    side = std::bit_cast<float>(std::bit_cast<uint32_t>(side) + static_cast<uint32_t>(random() % 7) - 3u);
    u[j] = (random() & 1) ? r : -r;
    v[j] = (random() & 1) ? side : -side;
    if (random() & 1) std::swap(u[j], v[j]);
  }
  ExpectMagnitudesOfThePlainLoop(u, v, "near a midpoint");
  // Whole numbers, many of them sums of squares that are squares themselves.
  for (size_t j = 0; j < u.size(); ++j) {
    const float scale = std::ldexp(1.0f, static_cast<int>(random() % 60) - 30);
    u[j] = static_cast<float>(random() % (1u << 24)) * scale;
    v[j] = static_cast<float>(random() % (1u << 12)) * scale;
  }
  ExpectMagnitudesOfThePlainLoop(u, v, "whole numbers");
}

TEST(SamplingRowsTest, AMagnitudeBeyondSinglePrecisionIsReported) {
  for (size_t n : {5u, 16u, 33u}) {
    for (size_t at : {size_t{0}, n / 2, n - 1}) {
      std::vector<float> u(n, 1.0f), v(n, 2.0f), m(n);
      u[at] = 3e38f;
      v[at] = 3e38f;  // |w| = 4.2e38 does not fit a single, though u and v do
      Range ru, rv, rm;
      EXPECT_FALSE(MagnitudesAndRanges(u.data(), v.data(), n, m.data(), ru, rv, rm)) << n << " " << at;
      EXPECT_TRUE(std::isinf(m[at]));
      EXPECT_FLOAT_EQ(m[at == 0 ? n - 1 : 0], std::sqrt(5.0f));
    }
  }
}

}  // namespace
}  // namespace quillon
