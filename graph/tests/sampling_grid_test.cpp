// The parallel grid pass against a plain sequential loop over the same evaluator, including
// where a point without a value or a run-time error stops it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <set>
#include <thread>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "common/single.h"
#include "graph/codes.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

enum class Outcome { Value, NoValue, Error, Huge };

// A test function: w = (x^2 - y, x y + 0.5), or a scripted failure at one point; besides, a
// division by zero on the column y = errorColumnY and on the rows x < errorRowsBelowX.
struct FakeFunction {
  float failX = 1e30f, failY = 1e30f;
  Outcome failure = Outcome::Value;
  float errorColumnY = 1e30f;
  float errorRowsBelowX = -1e30f;

  Outcome At(float x, float y, float& u, float& v) const {
    if (y == errorColumnY || x < errorRowsBelowX) return Outcome::Error;
    if (x == failX && y == failY && failure != Outcome::Value) {
      if (failure == Outcome::Huge) {
        u = 3e38f;  // fits a single, but |w| does not
        v = 3e38f;
        return Outcome::Value;
      }
      return failure;
    }
    u = x * x - y;
    v = x * y + 0.5f;
    return Outcome::Value;
  }

  BlockEvaluator Block() const {
    return [this](const float* x, const float* y, size_t n, float* u, float* v) {
      BlockResult r;
      for (size_t i = 0; i < n; ++i) {
        float uu = 0.0f, vv = 0.0f;
        const Outcome o = At(x[i], y[i], uu, vv);
        if (o == Outcome::NoValue) {
          r.noValue = true;
          return r;
        }
        if (o == Outcome::Error) {
          r.error = RuntimeError::DivisionByZero();
          return r;
        }
        u[i] = uu;
        v[i] = vv;
        r.completed = i + 1;
      }
      return r;
    };
  }
};

void SizeTables(Cls9& g) {
  for (GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude,
                       &g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB})
    t->Resize(g.StepU, g.StepV);
}

// The loop as written: fresh zero tables, k outer, j inner, store then widen, distribute at
// the end. A point without a value stops it (stopAtFirstError) or is a hole: NaN in u, v and
// |w|, left out of their extremes. Returns 0 complete, 1 no value, 2 error.
int Sequential(Cls9& g, const FakeFunction& f) {
  SizeTables(g);
  int64_t holes = 0;
  for (int32_t k = 0; k <= g.StepU; ++k) {
    for (int32_t j = 0; j <= g.StepV; ++j) {
      // The grid formula in full: one rounding to single.
      const float x = static_cast<float>(g.MinU + k * (static_cast<double>(g.MaxU) - g.MinU) / g.StepU);
      const float y = static_cast<float>(g.MinV + j * (static_cast<double>(g.MaxV) - g.MinV) / g.StepV);
      float u = 0.0f, v = 0.0f;
      const Outcome o = f.At(x, y, u, v);
      const double m = std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v);
      const bool hole = o != Outcome::Value || !std::isfinite(static_cast<float>(m));
      if (hole && g.Extras.stopAtFirstError) {
        if (o == Outcome::NoValue) return 1;
        if (o == Outcome::Value) {  // |w| beyond single precision: u and v were stored
          g.QuantityX.at(k, j) = x;
          g.QuantityY.at(k, j) = y;
          g.QuantityU.at(k, j) = u;
          g.QuantityV.at(k, j) = v;
        }
        return 2;
      }
      g.QuantityX.at(k, j) = x;
      g.QuantityY.at(k, j) = y;
      if (hole) {
        g.QuantityU.at(k, j) = g.QuantityV.at(k, j) = g.QuantityMagnitude.at(k, j) = kNoValue;
        ++holes;
      } else {
        g.QuantityU.at(k, j) = u;
        g.QuantityV.at(k, j) = v;
        g.QuantityMagnitude.at(k, j) = static_cast<float>(m);
      }
      const float q[5] = {x, y, u, v, static_cast<float>(m)};
      float* mx[5] = {&g.MaxXq, &g.MaxYq, &g.MaxUq, &g.MaxVq, &g.MaxMag};
      float* mn[5] = {&g.MinXq, &g.MinYq, &g.MinUq, &g.MinVq, &g.MinMag};
      for (int i = 0; i < (hole ? 2 : 5); ++i) {
        if (q[i] > *mx[i]) *mx[i] = q[i];
        if (q[i] < *mn[i]) *mn[i] = q[i];
      }
    }
  }
  g.PointsWithoutValue = holes;
  const GridTable* q[5] = {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude};
  GridTable* d[6] = {&g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB};
  const int32_t codes[6] = {g.VarX, g.VarY, g.VarZ, g.ColorR, g.ColorG, g.ColorB};
  for (int c = 0; c < 6; ++c) {
    if (codes[c] < 1 || codes[c] > 5) continue;
    std::memcpy(d[c]->data(), q[codes[c] - 1]->data(), d[c]->size() * sizeof(float));
  }
  return 0;
}

void ExpectSameBits(const GridTable& a, const GridTable& b, const char* name) {
  ASSERT_EQ(a.size(), b.size()) << name;
  EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(float)), 0) << name;
}

void ExpectSameState(const Cls9& a, const Cls9& b) {
  ExpectSameBits(a.QuantityX, b.QuantityX, "x");
  ExpectSameBits(a.QuantityY, b.QuantityY, "y");
  ExpectSameBits(a.QuantityU, b.QuantityU, "u");
  ExpectSameBits(a.QuantityV, b.QuantityV, "v");
  ExpectSameBits(a.QuantityMagnitude, b.QuantityMagnitude, "magnitude");
  ExpectSameBits(a.SceneX, b.SceneX, "scene X");
  ExpectSameBits(a.SceneY, b.SceneY, "scene Y");
  ExpectSameBits(a.SceneZ, b.SceneZ, "scene Z");
  ExpectSameBits(a.ColorTableR, b.ColorTableR, "R");
  ExpectSameBits(a.ColorTableG, b.ColorTableG, "G");
  ExpectSameBits(a.ColorTableB, b.ColorTableB, "B");
  const float ea[10] = {a.MaxXq, a.MinXq, a.MaxYq, a.MinYq,  a.MaxUq,
                        a.MinUq, a.MaxVq, a.MinVq, a.MaxMag, a.MinMag};
  const float eb[10] = {b.MaxXq, b.MinXq, b.MaxYq, b.MinYq,  b.MaxUq,
                        b.MinUq, b.MaxVq, b.MinVq, b.MaxMag, b.MinMag};
  EXPECT_EQ(std::memcmp(ea, eb, sizeof ea), 0) << "extremes";
  EXPECT_EQ(a.PointsWithoutValue, b.PointsWithoutValue);
}

Cls9 Grid(int32_t stepU, int32_t stepV, bool stopAtFirstError = true) {
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
  g.VarZ = 5;
  g.ColorR = 3;
  g.ColorG = 4;
  g.ColorB = 0;      // left at 0
  g.MinUq = -0.25f;  // extremes from an earlier sampling only widen
  g.MaxMag = 1000.0f;
  g.Extras.stopAtFirstError = stopAtFirstError;
  return g;
}

float X(const Cls9& g, int32_t k) {
  return GridCoordinate(g.MinU, g.MaxU, g.StepU, k);
}
float Y(const Cls9& g, int32_t j) {
  return GridCoordinate(g.MinV, g.MaxV, g.StepV, j);
}

// Runs the parallel pass on tables holding stale values and returns 0, 1 or 2 like Sequential.
int Parallel(Cls9& g, const FakeFunction& f, unsigned threads, SamplingStop* stop = nullptr) {
  SizeTables(g);
  for (GridTable* t : {&g.QuantityU, &g.SceneZ, &g.ColorTableB, &g.QuantityMagnitude})
    std::fill(t->data(), t->data() + t->size(), 77.0f);
  try {
    return SampleGridTables(g, f.Block(), threads, stop) ? 0 : 1;
  } catch (const RuntimeError&) {
    return 2;
  }
}

TEST(SampleGridTables, MatchesTheSequentialLoopForEveryThreadCount) {
  const FakeFunction f;
  Cls9 expected = Grid(150, 120);
  ASSERT_EQ(Sequential(expected, f), 0);
  EXPECT_LT(expected.MinUq, -1.4f);  // widened past the earlier -0.25
  EXPECT_EQ(expected.MaxMag, 1000.0f);
  for (unsigned threads : {1u, 2u, 3u, 8u}) {
    Cls9 g = Grid(150, 120);
    ASSERT_EQ(Parallel(g, f, threads), 0) << threads;
    ExpectSameState(g, expected);
    EXPECT_EQ(g.BoxMaxX, 2.0f);
    EXPECT_EQ(g.BoxMinY, -1.5f);
  }
}

TEST(SampleGridTables, StopsWhereTheSequentialLoopStops) {
  struct Case {
    int32_t k, j;
    Outcome failure;
  };
  // Early, middle and last rows; first, inner and last columns; each kind of stop.
  const Case cases[] = {{0, 0, Outcome::NoValue},   {0, 7, Outcome::Error},    {37, 0, Outcome::Error},
                        {61, 55, Outcome::NoValue}, {61, 55, Outcome::Huge},   {150, 120, Outcome::Error},
                        {149, 120, Outcome::Huge},  {100, 3, Outcome::NoValue}};
  for (const Case& c : cases) {
    Cls9 probe = Grid(150, 120);
    FakeFunction f;
    f.failX = X(probe, c.k);
    f.failY = Y(probe, c.j);
    f.failure = c.failure;
    Cls9 expected = Grid(150, 120);
    const int want = Sequential(expected, f);
    ASSERT_NE(want, 0);
    for (unsigned threads : {1u, 2u, 5u}) {
      Cls9 g = Grid(150, 120);
      SamplingStop stop;
      EXPECT_EQ(Parallel(g, f, threads, &stop), want) << c.k << "," << c.j << " threads " << threads;
      ExpectSameState(g, expected);
      EXPECT_TRUE(stop.stopped);
      EXPECT_EQ(stop.noValue, want == 1);
      EXPECT_EQ(stop.k, c.k);
      EXPECT_EQ(stop.j, c.j);
      EXPECT_EQ(stop.x, f.failX);
      EXPECT_EQ(stop.y, f.failY);
    }
  }
}

TEST(SampleGridTables, PointsWithoutAValueAreHolesLikeTheSequentialLoopLeavesThem) {
  struct Case {
    const char* name;
    int32_t k, j;
    Outcome failure;
    int32_t errorColumn, errorRows;  // -1: none
  };
  const Case cases[] = {
      {"no value at the first point", 0, 0, Outcome::NoValue, -1, -1},
      {"error inside a row", 61, 55, Outcome::Error, -1, -1},
      {"|w| too large at the last point", 150, 120, Outcome::Huge, -1, -1},
      {"a column of holes and one more", 90, 3, Outcome::Error, 55, -1},
      {"whole rows of holes", 149, 120, Outcome::Huge, -1, 10},
      {"rows and a column", 70, 119, Outcome::NoValue, 120, 75},
  };
  for (const Case& c : cases) {
    Cls9 probe = Grid(150, 120, false);
    FakeFunction f;
    f.failX = X(probe, c.k);
    f.failY = Y(probe, c.j);
    f.failure = c.failure;
    if (c.errorColumn >= 0) f.errorColumnY = Y(probe, c.errorColumn);
    if (c.errorRows >= 0) f.errorRowsBelowX = X(probe, c.errorRows);
    Cls9 expected = Grid(150, 120, false);
    ASSERT_EQ(Sequential(expected, f), 0) << c.name;
    EXPECT_GT(expected.PointsWithoutValue, 0) << c.name;
    for (unsigned threads : {1u, 2u, 5u}) {
      Cls9 g = Grid(150, 120, false);
      SamplingStop stop;
      EXPECT_EQ(Parallel(g, f, threads, &stop), 0) << c.name << ", threads " << threads;
      ExpectSameState(g, expected);
      EXPECT_FALSE(stop.stopped);
      // The scene and colour tables share the quantities, holes included.
      EXPECT_TRUE(g.SceneZ.SharesWith(g.QuantityMagnitude));
    }
  }
}

TEST(SampleGridTables, RaisesTheEvaluatorsError) {
  Cls9 g = Grid(10, 10);
  FakeFunction f;
  f.failX = -2.0f;
  f.failY = -1.5f;
  f.failure = Outcome::Error;
  SizeTables(g);
  try {
    SampleGridTables(g, f.Block(), 2);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kDivisionByZero);
  }
}

TEST(SampleGridTables, ADomainReachingTheLargestSingleIsSampledToItsEnds) {
  // A step of (max - min) / steps rounded to single would carry y past FLT_MAX here.
  Cls9 g = Grid(3, 2);
  g.MinV = 3.0e38f;
  g.MaxV = std::numeric_limits<float>::max();
  g.VarY = 1;  // |w| of points this far out does not fit a single: keep it off the axes
  g.Extras.stopAtFirstError = false;
  SizeTables(g);
  SampleGridTables(g, FakeFunction().Block(), 2);
  EXPECT_EQ(g.QuantityY.at(0, 0), 3.0e38f);
  EXPECT_EQ(g.QuantityY.at(3, 2), std::numeric_limits<float>::max());
  EXPECT_EQ(g.QuantityY.at(1, 1), GridCoordinate(g.MinV, g.MaxV, 2, 1));
}

TEST(RunBlocksInOrder, EveryBlockBeforeTheFirstFailureRuns) {
  for (unsigned threads : {1u, 2u, 4u}) {
    std::atomic<int> ran[200] = {};
    const size_t failed = RunBlocksInOrder(200, threads, [&](size_t b) {
      ran[b]++;
      return b != 120 && b != 150;
    });
    EXPECT_EQ(failed, 120u);
    for (size_t b = 0; b <= 120; ++b) EXPECT_EQ(ran[b].load(), 1) << b;
    EXPECT_EQ(RunBlocksInOrder(200, threads, [](size_t) { return true; }), 200u);
    // The first failure in the middle of a run of blocks, found after a later one has failed
    // on another thread: the earlier one counts, and the blocks before it still all run.
    std::atomic<int> again[200] = {};
    const size_t early = RunBlocksInOrder(200, threads, [&](size_t b) {
      if (b < 7) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      again[b]++;
      return b != 7 && b != 100;
    });
    EXPECT_EQ(early, 7u);
    for (size_t b = 0; b <= 7; ++b) EXPECT_EQ(again[b].load(), 1) << b;
    for (size_t b = 8; b < 100; ++b) EXPECT_LE(again[b].load(), 1) << b;
  }
}

TEST(RunBlocksInOrder, UsesSeveralThreadsAndRethrowsTheFirstBlocksException) {
  std::mutex m;
  std::set<std::thread::id> ids;
  RunBlocksInOrder(64, 2, [&](size_t) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard<std::mutex> lock(m);
    ids.insert(std::this_thread::get_id());
    return true;
  });
  EXPECT_EQ(ids.size(), 2u);
  try {
    RunBlocksInOrder(50, 3, [](size_t b) -> bool {
      if (b == 30) throw RuntimeError::Overflow();
      if (b == 40) throw RuntimeError::DivisionByZero();
      return true;
    });
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

TEST(SamplingThreads, DefaultsToTheHardwareAndCanBeSet) {
  SetSamplingThreads(0);
  EXPECT_GE(SamplingThreads(), 1u);
  SetSamplingThreads(3);
  EXPECT_EQ(SamplingThreads(), 3u);
  SetSamplingThreads(0);
}

}  // namespace
}  // namespace quillon
