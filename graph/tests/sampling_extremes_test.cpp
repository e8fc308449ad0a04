// The extremes of the grid pass, found a row at a time with vector comparisons, against the
// point-by-point rule "a value replaces a limit only when strictly beyond it": where a limit is
// a zero, the sign of the first zero met in k-outer, j-inner order must be kept.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/runtime_error.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

uint32_t Hash(float x, float y) {
  return (std::bit_cast<uint32_t>(x) * 2654435761u) ^ (std::bit_cast<uint32_t>(y) * 40503u);
}

// u in {-0, +0, -1} and v in {+0, -0, 2}, scattered over the grid by a hash of the point, so
// that the largest u and the smallest v are zeros of both signs in every row.
void Values(float x, float y, float& u, float& v) {
  const uint32_t h = Hash(x, y);
  const uint32_t a = (h >> 7) % 3;
  const uint32_t b = (h >> 13) % 3;
  u = a == 0 ? -0.0f : a == 1 ? 0.0f : -1.0f;
  v = b == 0 ? 0.0f : b == 1 ? -0.0f : 2.0f;
}

// With holes, about one point in nine raises a run-time error instead.
bool Hole(float x, float y, bool holes) {
  return holes && (Hash(x, y) >> 3) % 9 == 0;
}

BlockEvaluator Evaluator(bool holes) {
  return [holes](const float* x, const float* y, size_t n, float* u, float* v) {
    BlockResult r;
    for (size_t i = 0; i < n; ++i) {
      if (Hole(x[i], y[i], holes)) {
        r.error = RuntimeError::DivisionByZero();
        return r;
      }
      Values(x[i], y[i], u[i], v[i]);
      r.completed = i + 1;
    }
    return r;
  };
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
  // Rows shorter than, equal to and longer than a vector pass, and with a ragged end; without
  // holes and with holes cutting the rows into stretches whose limits are merged.
  for (bool holes : {false, true}) {
    for (int32_t stepV : {2, 15, 16, 47, 200}) {
      for (unsigned threads : {1u, 2u}) {
        Cls9 g = Grid(9, stepV);
        ASSERT_TRUE(SampleGridTables(g, Evaluator(holes), threads));

        float maxU = -kInf, minU = kInf, maxV = -kInf, minV = kInf, maxM = -kInf, minM = kInf;
        int64_t missing = 0;
        for (int32_t k = 0; k <= g.StepU; ++k) {
          for (int32_t j = 0; j <= g.StepV; ++j) {
            const float x = GridCoordinate(g.MinU, g.MaxU, g.StepU, k);
            const float y = GridCoordinate(g.MinV, g.MaxV, g.StepV, j);
            if (Hole(x, y, holes)) {
              ++missing;
              ASSERT_TRUE(std::isnan(g.QuantityMagnitude.at(k, j)));
              continue;
            }
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
        EXPECT_EQ(g.PointsWithoutValue, missing);
        if (holes && stepV == 200) {
          EXPECT_GT(missing, 100);
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillon
