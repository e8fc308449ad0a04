// The extremes of the grid pass, found a row at a time with vector comparisons, against the
// point-by-point rule "a value replaces a limit only when strictly beyond it": where a limit is
// a zero, the sign of the first zero met in k-outer, j-inner order must be kept.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// u in {-0, +0, -1} and v in {+0, -0, 2}, scattered over the grid by a hash of the point, so
// that the largest u and the smallest v are zeros of both signs in every row.
void Values(float x, float y, float& u, float& v) {
  const uint32_t h = (std::bit_cast<uint32_t>(x) * 2654435761u) ^ (std::bit_cast<uint32_t>(y) * 40503u);
  const uint32_t a = (h >> 7) % 3;
  const uint32_t b = (h >> 13) % 3;
  u = a == 0 ? -0.0f : a == 1 ? 0.0f : -1.0f;
  v = b == 0 ? 0.0f : b == 1 ? -0.0f : 2.0f;
}

BlockResult Evaluate(const float* x, const float* y, size_t n, float* u, float* v) {
  for (size_t i = 0; i < n; ++i) Values(x[i], y[i], u[i], v[i]);
  BlockResult r;
  r.completed = n;
  return r;
}

Cls9 Grid(int32_t stepU, int32_t stepV) {
  Cls9 g;
  g.GraphType = gtp::kSurface;
  g.StepU = stepU;
  g.StepV = stepV;
  g.MinU = -2.0f;
  g.MaxU = 2.0f;
  g.MinV = -1.5f;
  g.MaxV = 1.5f;
  g.VarX = 1;
  g.VarY = 2;
  g.VarZ = 3;
  g.MaxUq = g.MaxVq = g.MaxMag = -kInf;
  g.MinUq = g.MinVq = g.MinMag = kInf;
  for (GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude,
                       &g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB})
    t->Resize(g.StepU, g.StepV);
  return g;
}

uint32_t Bits(float f) {
  return std::bit_cast<uint32_t>(f);
}

TEST(GridExtremes, ZeroLimitsKeepTheSignOfTheFirstZeroMet) {
  // Rows shorter than, equal to and longer than a vector pass, and with a ragged end.
  for (int32_t stepV : {2, 15, 16, 47, 200}) {
    for (unsigned threads : {1u, 2u}) {
      Cls9 g = Grid(9, stepV);
      const float du = static_cast<float>((g.MaxU - g.MinU) / g.StepU);
      const float dv = static_cast<float>((g.MaxV - g.MinV) / g.StepV);
      ASSERT_TRUE(SampleGridTables(g, Evaluate, du, dv, threads));

      float maxU = -kInf, minU = kInf, maxV = -kInf, minV = kInf, maxM = -kInf, minM = kInf;
      for (int32_t k = 0; k <= g.StepU; ++k) {
        for (int32_t j = 0; j <= g.StepV; ++j) {
          const float x = static_cast<float>(static_cast<double>(du) * k + g.MinU);
          const float y = static_cast<float>(static_cast<double>(dv) * j + g.MinV);
          float u = 0.0f, v = 0.0f;
          Values(x, y, u, v);
          const float m =
              static_cast<float>(std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v));
          ASSERT_EQ(Bits(g.QuantityMagnitude.at(k, j)), Bits(m));
          if (u > maxU) maxU = u;
          if (u < minU) minU = u;
          if (v > maxV) maxV = v;
          if (v < minV) minV = v;
          if (m > maxM) maxM = m;
          if (m < minM) minM = m;
        }
      }
      EXPECT_EQ(Bits(g.MaxUq), Bits(maxU)) << stepV << " columns, " << threads << " threads";
      EXPECT_EQ(Bits(g.MinUq), Bits(minU)) << stepV;
      EXPECT_EQ(Bits(g.MaxVq), Bits(maxV)) << stepV;
      EXPECT_EQ(Bits(g.MinVq), Bits(minV)) << stepV << " columns, " << threads << " threads";
      EXPECT_EQ(Bits(g.MaxMag), Bits(maxM)) << stepV;
      EXPECT_EQ(Bits(g.MinMag), Bits(minM)) << stepV;
    }
  }
}

}  // namespace
}  // namespace quillon
