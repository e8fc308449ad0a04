// The grid pass's progress and cancel hook: rows are counted as they finish, and a cancel
// stops the pass early with the stop marked as cancelled rather than as an error.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "graph/codes.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

Cls9 Grid(int32_t steps) {
  Cls9 g;
  g.GraphType = gtp::kSurface;
  g.StepU = steps;
  g.StepV = steps;
  g.MinU = g.MinV = -1.0f;
  g.MaxU = g.MaxV = 1.0f;
  g.VarX = 1;
  g.VarY = 3;
  g.VarZ = 2;
  for (GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude,
                       &g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB})
    t->Resize(g.StepU, g.StepV);
  return g;
}

// w = x + 2yi; with `cancelAfter` points evaluated it raises the cancel flag itself.
BlockEvaluator Plane(std::atomic<int64_t>& evaluated, std::atomic<bool>* cancel, int64_t cancelAfter) {
  return [&evaluated, cancel, cancelAfter](const float* x, const float* y, size_t n, float* u, float* v) {
    for (size_t i = 0; i < n; ++i) {
      u[i] = x[i];
      v[i] = 2.0f * y[i];
    }
    if (cancel && evaluated.fetch_add(static_cast<int64_t>(n)) + static_cast<int64_t>(n) >= cancelAfter) {
      cancel->store(true);
    }
    return BlockResult{n, false, std::nullopt};
  };
}

TEST(SamplingHook, CountsEveryRowOfACompletePass) {
  for (unsigned threads : {1u, 2u, 4u}) {
    Cls9 g = Grid(300);
    std::atomic<bool> cancel{false};
    std::atomic<int64_t> rows{0};
    std::atomic<int64_t> evaluated{0};
    SamplingStop stop;
    ASSERT_TRUE(SampleGridTables(g, Plane(evaluated, nullptr, 0), threads, &stop, &cancel, &rows));
    EXPECT_EQ(rows.load(), 301) << threads;
    EXPECT_FALSE(stop.stopped);
    EXPECT_FALSE(stop.cancelled);
    EXPECT_FLOAT_EQ(g.SceneY.at(300, 300), 1.0f);
  }
}

TEST(SamplingHook, CancelStopsThePassWithoutAnError) {
  for (unsigned threads : {1u, 2u, 4u}) {
    Cls9 g = Grid(400);
    std::atomic<bool> cancel{false};
    std::atomic<int64_t> rows{0};
    std::atomic<int64_t> evaluated{0};
    SamplingStop stop;
    bool result = true;
    ASSERT_NO_THROW(
        result = SampleGridTables(g, Plane(evaluated, &cancel, 401 * 20), threads, &stop, &cancel, &rows));
    EXPECT_FALSE(result);
    EXPECT_TRUE(stop.stopped);
    EXPECT_TRUE(stop.cancelled);
    EXPECT_FALSE(stop.noValue);
    EXPECT_LT(rows.load(), 401) << threads;
    EXPECT_LT(evaluated.load(), int64_t{401} * 401) << threads;
    // The distributed tables follow a complete pass only.
    EXPECT_EQ(g.SceneY.at(400, 400), 0.0f);
  }
}

TEST(SamplingHook, ACancelBeforeTheStartSamplesNothing) {
  Cls9 g = Grid(10);
  std::atomic<bool> cancel{true};
  std::atomic<int64_t> evaluated{0};
  SamplingStop stop;
  EXPECT_FALSE(SampleGridTables(g, Plane(evaluated, nullptr, 0), 2, &stop, &cancel, nullptr));
  EXPECT_TRUE(stop.cancelled);
  EXPECT_EQ(stop.k, 0);
  EXPECT_EQ(evaluated.load(), 0);
}

}  // namespace
}  // namespace quillon
