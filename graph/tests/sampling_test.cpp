// GetPoints end to end with the real compiler and evaluator.

#include "graph/sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "common/single.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sample_value.h"

namespace quillon {
namespace {

class SamplingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    SetSamplingThreads(0);
  }
  void TearDown() override { SetSamplingThreads(0); }
  RecordingSink sink_;
  ScopedMessageSink scoped_{&sink_};
};

Cls9 Surface(const std::string& f, int32_t steps, float lo, float hi) {
  Cls9 g = Cls9().Init(1, "", gtp::kSurface, ctp::kCartesian, "", "", f, steps, steps, lo, hi, lo, hi, 0, 0,
                       0, 0, 1, 0, shw::kSurface, smt::kSmoothest, false, false, false, 0);
  g.FunForm = fun::kExplicit;
  g.VarX = quantity::kX;
  g.VarY = quantity::kY;
  g.VarZ = quantity::kU;
  g.ColorR = quantity::kV;
  g.ColorG = quantity::kMagnitude;
  g.ColorB = 9;  // no quantity: stays 0
  return g;
}

bool AllZero(const GridTable& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (t.data()[i] != 0.0f) return false;
  }
  return true;
}

TEST_F(SamplingTest, TwoStepsSampleNinePointsWithBothEnds) {
  Cls9 g = Surface("z", 2, -1.0f, 1.0f);
  ASSERT_TRUE(g.GetPoints({}));
  ASSERT_EQ(g.QuantityX.Columns(), 3);
  ASSERT_EQ(g.QuantityX.Rows(), 3);
  for (int k = 0; k <= 2; ++k) {
    for (int j = 0; j <= 2; ++j) {
      EXPECT_EQ(g.QuantityX.at(k, j), static_cast<float>(k - 1));
      EXPECT_EQ(g.QuantityY.at(k, j), static_cast<float>(j - 1));
      EXPECT_FLOAT_EQ(g.QuantityU.at(k, j), static_cast<float>(k - 1));
      EXPECT_FLOAT_EQ(g.QuantityV.at(k, j), static_cast<float>(j - 1));
      EXPECT_FLOAT_EQ(g.QuantityMagnitude.at(k, j), static_cast<float>(std::hypot(k - 1, j - 1)));
      // f(z) = z with VarZ = u: a plane whose scene Z is scene X.
      EXPECT_EQ(g.SceneZ.at(k, j), g.SceneX.at(k, j));
      EXPECT_EQ(g.SceneY.at(k, j), g.QuantityY.at(k, j));
      EXPECT_EQ(g.ColorTableR.at(k, j), g.QuantityV.at(k, j));
      EXPECT_EQ(g.ColorTableG.at(k, j), g.QuantityMagnitude.at(k, j));
      EXPECT_EQ(g.ColorTableB.at(k, j), 0.0f);
    }
  }
  EXPECT_FLOAT_EQ(g.MaxMag, std::sqrt(2.0f));
  EXPECT_EQ(g.MinXq, -1.0f);
  EXPECT_EQ(g.MaxYq, 1.0f);
  EXPECT_TRUE(sink_.Requests().empty());
}

TEST_F(SamplingTest, ColourMapsSampleLikeSurfaces) {
  Cls9 g = Surface("z^2", 4, -1.0f, 1.0f);
  g.GraphType = gtp::kColorMap;
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_FLOAT_EQ(g.QuantityU.at(4, 2), 1.0f);  // (1 + 0i)^2
  EXPECT_FLOAT_EQ(g.QuantityV.at(4, 4), 2.0f);  // (1 + i)^2 = 2i
}

TEST_F(SamplingTest, ADivisionByZeroStopsAtItsPointAndReachesTheCaller) {
  Cls9 g = Surface("1/z", 2, -1.0f, 1.0f);
  g.Extras.stopAtFirstError = true;
  try {
    g.GetPoints({});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kDivisionByZero);
  }
  // Row 0 complete, row 1 up to (1, 0); the rest and the distributed tables untouched.
  EXPECT_FLOAT_EQ(g.QuantityU.at(0, 0), -0.5f);
  EXPECT_FLOAT_EQ(g.QuantityU.at(1, 0), 0.0f);
  EXPECT_FLOAT_EQ(g.QuantityV.at(1, 0), 1.0f);  // 1 / (-i) = i
  EXPECT_EQ(g.QuantityX.at(1, 0), 0.0f);
  EXPECT_EQ(g.QuantityY.at(1, 0), -1.0f);
  EXPECT_EQ(g.QuantityY.at(1, 1), 0.0f);
  EXPECT_EQ(g.QuantityMagnitude.at(1, 1), 0.0f);
  EXPECT_EQ(g.QuantityX.at(2, 0), 0.0f);
  EXPECT_TRUE(AllZero(g.SceneX));
  EXPECT_TRUE(AllZero(g.ColorTableG));
  EXPECT_FLOAT_EQ(g.MaxVq, 1.0f);
}

TEST_F(SamplingTest, AnEmptyDomainRepeatsOneColumn) {
  Cls9 g = Surface("z", 3, -1.0f, 1.0f);
  g.MaxU = g.MinU = 0.5f;
  ASSERT_TRUE(g.GetPoints({}));
  for (int k = 0; k <= 3; ++k) EXPECT_EQ(g.QuantityX.at(k, 2), 0.5f);
}

TEST_F(SamplingTest, ExtremesOfANewGraphIncludeZeroAndOnlyWiden) {
  Cls9 g = Surface("z+10", 4, 1.0f, 2.0f);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(g.MinUq, 0.0f);
  EXPECT_FLOAT_EQ(g.MaxUq, 12.0f);
  EXPECT_EQ(g.MinVq, 0.0f);
  EXPECT_FLOAT_EQ(g.MaxVq, 2.0f);

  // Edited to a smaller function and sampled again: the old, wider ranges stay.
  Cls9 edited = Surface("z-3", 4, -1.0f, 1.0f);
  g.EqualTo(edited);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_FLOAT_EQ(g.MaxUq, 12.0f);
  EXPECT_FLOAT_EQ(g.MinUq, -4.0f);
  EXPECT_FLOAT_EQ(g.MinVq, -1.0f);
  EXPECT_FLOAT_EQ(g.MaxVq, 2.0f);
}

TEST_F(SamplingTest, ZeroStepsBecomeOneAndAreStoredBack) {
  Cls9 g = Surface("z", 0, 0.0f, 1.0f);
  g.StepV = 3;
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(g.StepU, 1);
  EXPECT_EQ(g.StepV, 3);
  EXPECT_EQ(g.QuantityX.Columns(), 2);
  EXPECT_EQ(g.QuantityX.at(1, 0), 1.0f);
}

TEST_F(SamplingTest, ASyntaxErrorShowsTheCompilersBoxAndGivesFalse) {
  Cls9 g = Surface("z", 2, -1.0f, 1.0f);
  ASSERT_TRUE(g.GetPoints({}));
  g.ExpressZ = "z+*";
  EXPECT_FALSE(g.GetPoints({}));
  ASSERT_EQ(sink_.Requests().size(), 1u);
  EXPECT_EQ(sink_.Requests()[0].title, "Syntax Error");
  // The tables were replaced by empty ones before compiling, as a fresh allocation leaves them.
  EXPECT_TRUE(AllZero(g.QuantityU));
  EXPECT_TRUE(AllZero(g.SceneX));
  EXPECT_EQ(g.QuantityU.Columns(), 3);
}

TEST_F(SamplingTest, GridCoordinatesAreTheDoubleFormulaRoundedOnce) {
  struct Case {
    float lo, hi;
    int32_t steps;
  };
  // The dialogs' default, ranges whose single-precision step would misplace points, and a
  // range whose step does not fit a single at all.
  const Case cases[] = {{-2.0f, 2.0f, 40},   {-2.0f, 2.0f, 41}, {-1.3f, 2.7f, 7},       {0.1f, 0.7f, 3},
                        {-5.0f, -1.25f, 13}, {1e-3f, 1e7f, 33}, {-3.0e38f, 3.0e38f, 2}, {-0.3f, 0.4f, 1000}};
  for (const Case& c : cases) {
    Cls9 g = Surface("0", c.steps, c.lo, c.hi);
    g.MinV = c.hi;  // y runs downwards
    g.MaxV = c.lo;
    ASSERT_TRUE(g.GetPoints({})) << c.lo << ".." << c.hi;
    // The animated surface samples its markers on the same grid (its x at t = 0 is the grid's),
    // where they lie inside the view.
    const bool inView = c.steps <= 41 && c.lo > -20.0f && c.hi < 20.0f;
    Cls9 markers = g;
    markers.GraphType = gtp::kSurfaceAnimation;
    SamplingSettings oneFrame;
    oneFrame.frameCount = 1;
    if (inView) {
      ASSERT_TRUE(markers.GetPoints(oneFrame));
    }
    for (int32_t i = 0; i <= c.steps; ++i) {
      const float x = static_cast<float>(c.lo + i * (static_cast<double>(c.hi) - c.lo) / c.steps);
      const float y = static_cast<float>(c.hi + i * (static_cast<double>(c.lo) - c.hi) / c.steps);
      ASSERT_EQ(g.QuantityX.at(i, 0), x) << c.lo << ".." << c.hi << " step " << i;
      ASSERT_EQ(g.QuantityY.at(0, i), y) << c.lo << ".." << c.hi << " step " << i;
      if (inView) {
        ASSERT_EQ(markers.Anim3D(i, 0, 0).x, x) << c.lo << ".." << c.hi << " step " << i;
      }
    }
  }
  // 0 exactly in the middle of -2..2 in 40 steps (the single step 0.1f put it at 2.98e-8).
  Cls9 g = Surface("z", 40, -2.0f, 2.0f);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(g.QuantityX.at(20, 20), 0.0f);
  EXPECT_EQ(g.QuantityY.at(20, 20), 0.0f);
  EXPECT_EQ(g.QuantityU.at(20, 20), 0.0f);
}

TEST_F(SamplingTest, SingularPointsAreHolesAndSamplingGoesOn) {
  struct Case {
    const char* f;
    int32_t steps;
    std::vector<std::pair<int32_t, int32_t>> holes;
  };
  const Case cases[] = {
      {"1/z", 40, {{20, 20}}},
      {"1/z", 4, {{2, 2}}},
      {"1/z", 41, {}},
      {"1/(z^2+1)", 40, {{20, 10}, {20, 30}}},  // poles at -i and i
      {"sin(z)/z", 40, {{20, 20}}},
      {"exp(1/z)", 40, {{20, 20}}},
  };
  for (const Case& c : cases) {
    Cls9 g = Surface(c.f, c.steps, -2.0f, 2.0f);
    ASSERT_TRUE(g.GetPoints({})) << c.f;
    int64_t missing = 0;
    for (int32_t k = 0; k <= c.steps; ++k) {
      for (int32_t j = 0; j <= c.steps; ++j) {
        const bool hole = !HasValue(g.QuantityU.at(k, j));
        missing += hole;
        // A hole has no u, v or |w| (nor the scene and colour tables that show them); x and y stay.
        EXPECT_EQ(hole, std::isnan(g.QuantityV.at(k, j)));
        EXPECT_EQ(hole, std::isnan(g.QuantityMagnitude.at(k, j)));
        EXPECT_EQ(hole, std::isnan(g.SceneZ.at(k, j)));
        EXPECT_EQ(g.QuantityX.at(k, j), GridCoordinate(-2.0f, 2.0f, c.steps, k));
        EXPECT_EQ(g.QuantityY.at(k, j), GridCoordinate(-2.0f, 2.0f, c.steps, j));
      }
    }
    for (const auto& [k, j] : c.holes) {
      EXPECT_TRUE(std::isnan(g.QuantityU.at(k, j))) << c.f << " " << k << "," << j;
    }
    EXPECT_EQ(missing, static_cast<int64_t>(c.holes.size())) << c.f;
    EXPECT_EQ(g.PointsWithoutValue, missing) << c.f;
    // The extremes leave the holes out.
    for (float e : {g.MaxUq, g.MinUq, g.MaxVq, g.MinVq, g.MaxMag, g.MinMag}) EXPECT_TRUE(HasValue(e)) << c.f;
    EXPECT_LT(g.MaxMag, 1e7f) << c.f;
  }
  // Where |w| overflows, the rest of the surface is still there.
  Cls9 g = Surface("exp(z^100)", 20, -2.0f, 2.0f);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_GT(g.PointsWithoutValue, 0);
  EXPECT_FLOAT_EQ(g.QuantityU.at(10, 10), 1.0f);  // exp(0)
  EXPECT_TRUE(sink_.Requests().empty());
}

TEST_F(SamplingTest, GridsTooLargeForMemoryAreRefusedBeforeAllocating) {
  static_assert(kMaxGridPoints >= int64_t{4001} * 4001, "4001 x 4001 grids must fit");
  Cls9 g = Surface("z", 2, -1.0f, 1.0f);
  ASSERT_TRUE(g.GetPoints({}));
  g.StepU = 100000;
  g.StepV = 100000;
  try {
    g.GetPoints({});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kGridTooLarge);
    EXPECT_NE(e.Description().find("100001 x 100001"), std::string::npos) << e.Description();
  }
  EXPECT_EQ(g.QuantityX.Columns(), 3);  // nothing was touched

  // An animated surface multiplies its markers by the frames.
  Cls9 animated = Surface("z", 2999, -1.0f, 1.0f);
  animated.GraphType = gtp::kSurfaceAnimation;
  EXPECT_THROW(animated.GetPoints({}), RuntimeError);

  g.StepU = -3;
  try {
    g.GetPoints({});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
  }
}

TEST_F(SamplingTest, KindsWithNothingToSampleGetEmptyTables) {
  for (int32_t kind : {gtp::kCurve3D, gtp::kTable4, 20, 31, 99}) {
    Cls9 g = Surface("z", 2, -1.0f, 1.0f);
    g.GraphType = kind;
    EXPECT_TRUE(g.GetPoints({})) << kind;
    EXPECT_EQ(g.QuantityX.Columns(), 3);
    EXPECT_TRUE(AllZero(g.QuantityX));
  }
  Cls9 rotation = Surface("z", 2, -1.0f, 1.0f);
  rotation.CoordType = ctp::kPlaneXY;  // "surface by rotation": not a complex-function grid
  EXPECT_FALSE(rotation.GetPoints({}));
  EXPECT_TRUE(AllZero(rotation.QuantityX));
}

TEST_F(SamplingTest, AnimatedPointsFollowTheFramesOfTheSettings) {
  State().FrameCount = 7;  // the settings passed in count, not the program-wide value
  SamplingSettings settings;
  settings.frameCount = 4;
  Cls9 g = Surface("z^2", 1, 0.0f, 1.0f);
  g.GraphType = gtp::kPointAnimation;
  g.Animation = true;
  g.MinT = 0.0f;
  g.MaxT = 2.0f;
  ASSERT_TRUE(g.GetPoints(settings));
  ASSERT_TRUE(g.HasAnim1D());
  EXPECT_FLOAT_EQ(g.Anim1D(3).x, 1.5f);   // t
  EXPECT_FLOAT_EQ(g.Anim1D(3).z, 2.25f);  // u = t^2
  EXPECT_THROW(g.Anim1D(5), RuntimeError);

  settings.frameCount = 0;  // taken as one step
  ASSERT_TRUE(g.GetPoints(settings));
  EXPECT_FLOAT_EQ(g.Anim1D(1).x, 2.0f);
  EXPECT_THROW(g.Anim1D(2), RuntimeError);
  EXPECT_EQ(State().FrameCount, 7);
}

TEST_F(SamplingTest, TablesKeepTheirMemoryWhenTheSizeIsUnchanged) {
  Cls9 g = Surface("z", 32, -1.0f, 1.0f);  // exact steps: the grid holds 0
  ASSERT_TRUE(g.GetPoints({}));
  const float* before = std::as_const(g).QuantityU.data();
  g.ExpressZ = "z^2";
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(std::as_const(g).QuantityU.data(), before);
  EXPECT_FLOAT_EQ(std::as_const(g).QuantityU.at(32, 16), 1.0f);
  // The scene table of u is u itself, not a copy, until one of them is written.
  EXPECT_TRUE(g.SceneZ.SharesWith(g.QuantityU));
  EXPECT_EQ(std::as_const(g).SceneZ.data(), before);
  g.SceneZ.at(32, 16) = 7.0f;
  EXPECT_FALSE(g.SceneZ.SharesWith(g.QuantityU));
  EXPECT_FLOAT_EQ(std::as_const(g).QuantityU.at(32, 16), 1.0f);
  EXPECT_FLOAT_EQ(std::as_const(g).SceneZ.at(32, 16), 7.0f);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_TRUE(g.SceneZ.SharesWith(g.QuantityU));
  // A failing pass over reused tables leaves no stale value behind the failing point.
  g.ExpressZ = "1/z";
  g.Extras.stopAtFirstError = true;
  EXPECT_THROW(g.GetPoints({}), RuntimeError);
  EXPECT_EQ(g.QuantityU.at(32, 16), 0.0f);
  EXPECT_TRUE(AllZero(g.SceneZ));
}

// x and y are kept as two axes; every way the tables can change must leave them reading as
// the grid of the last pass.
TEST_F(SamplingTest, CoordinateTablesReadAsTheGridOfTheLastPass) {
  auto expectGrid = [](const Cls9& g, float lo, float hi, int32_t steps) {
    const Cls9 fresh = [&] {
      Cls9 f = Surface("z", steps, lo, hi);
      EXPECT_TRUE(f.GetPoints({}));
      return f;
    }();
    for (int32_t k = 0; k <= steps; ++k)
      for (int32_t j = 0; j <= steps; ++j) {
        ASSERT_EQ(g.QuantityX.at(k, j), fresh.QuantityX.at(k, j)) << k << " " << j;
        ASSERT_EQ(g.QuantityY.at(k, j), fresh.QuantityY.at(k, j)) << k << " " << j;
      }
  };
  Cls9 g = Surface("z", 8, -1.0f, 1.0f);
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(g.QuantityX.GetLayout(), GridTable::Layout::kAlongK);
  EXPECT_EQ(g.QuantityY.GetLayout(), GridTable::Layout::kAlongJ);

  g.ExpressZ = "z^2";  // same grid
  ASSERT_TRUE(g.GetPoints({}));
  expectGrid(g, -1.0f, 1.0f, 8);
  EXPECT_FLOAT_EQ(g.QuantityU.at(8, 4), 1.0f);  // x = 1, y = 0

  // A table written by hand is written again by the next pass.
  g.QuantityX.at(3, 3) = 42.0f;
  g.QuantityY.at(5, 0) = 42.0f;
  ASSERT_TRUE(g.GetPoints({}));
  expectGrid(g, -1.0f, 1.0f, 8);

  // Writing a scene table that shares the x table's memory gives the scene table its own
  // copy; the x table still holds the grid.
  g.SceneX.at(1, 1) = 42.0f;
  ASSERT_TRUE(g.GetPoints({}));
  expectGrid(g, -1.0f, 1.0f, 8);

  // A moved grid of the same size.
  g.MinU = -0.5f;
  g.MinV = 0.25f;
  ASSERT_TRUE(g.GetPoints({}));
  for (int32_t j = 0; j <= 8; ++j) EXPECT_FLOAT_EQ(g.QuantityX.at(0, j), -0.5f);
  EXPECT_FLOAT_EQ(g.QuantityY.at(0, 0), 0.25f);
  g.MinU = -1.0f;
  g.MinV = -1.0f;
  ASSERT_TRUE(g.GetPoints({}));
  expectGrid(g, -1.0f, 1.0f, 8);

  // A pass with a hole is complete: the coordinates are kept.
  g.ExpressZ = "1/z";  // no value at z = 0, point (4, 4)
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_EQ(g.QuantityX.GetLayout(), GridTable::Layout::kAlongK);
  expectGrid(g, -1.0f, 1.0f, 8);

  // A pass that stops leaves zeros behind the stop, and the pass after it fills them in.
  g.Extras.stopAtFirstError = true;
  EXPECT_THROW(g.GetPoints({}), RuntimeError);
  EXPECT_EQ(g.QuantityX.at(8, 8), 0.0f);
  EXPECT_EQ(g.QuantityX.GetLayout(), GridTable::Layout::kDense);
  g.ExpressZ = "z";
  ASSERT_TRUE(g.GetPoints({}));
  expectGrid(g, -1.0f, 1.0f, 8);
}

// Every layout reads as the values it stands for, and a write through any accessor gives the
// written table dense values of its own without changing what any other table reads.
TEST(GridTableTest, LayoutsReadAndWriteAsDenseTables) {
  const float axis[4] = {1.5f, -2.0f, 0.0f, 7.0f};
  struct Case {
    const char* name;
    std::function<void(GridTable&)> make;
    std::function<float(int32_t, int32_t)> expected;
  };
  const std::vector<Case> cases = {
      {"along k", [&](GridTable& t) { t.SetAxisK(3, 2, axis); }, [&](int32_t k, int32_t) { return axis[k]; }},
      {"along j", [&](GridTable& t) { t.SetAxisJ(2, 3, axis); }, [&](int32_t, int32_t j) { return axis[j]; }},
      {"constant", [](GridTable& t) { t.SetConstant(3, 3, 2.5f); }, [](int32_t, int32_t) { return 2.5f; }},
      {"zeros", [](GridTable& t) { t.Resize(2, 3); }, [](int32_t, int32_t) { return 0.0f; }},
  };
  for (const Case& c : cases) {
    GridTable a;
    c.make(a);
    EXPECT_EQ(a.HeldBytes(), static_cast<size_t>(a.GetLayout() == GridTable::Layout::kConstant ? 1 : 4) * 4)
        << c.name;
    GridTable b;
    b.ShareFrom(a);
    const GridView view = a.View();
    for (int32_t k = 0; k < a.Columns(); ++k)
      for (int32_t j = 0; j < a.Rows(); ++j) {
        ASSERT_EQ(std::as_const(a).at(k, j), c.expected(k, j)) << c.name;
        ASSERT_EQ(view(k, j), c.expected(k, j)) << c.name;
        ASSERT_EQ(std::as_const(b).data()[static_cast<size_t>(k) * b.Rows() + j], c.expected(k, j)) << c.name;
      }
    b.at(1, 1) = 42.0f;
    EXPECT_EQ(b.GetLayout(), GridTable::Layout::kDense) << c.name;
    EXPECT_EQ(std::as_const(b).at(1, 1), 42.0f) << c.name;
    EXPECT_EQ(std::as_const(b).at(0, 1), c.expected(0, 1)) << c.name;
    EXPECT_EQ(std::as_const(a).at(1, 1), c.expected(1, 1)) << c.name;
    EXPECT_NE(a.GetLayout(), GridTable::Layout::kDense) << c.name;
  }
}

// A table written in full keeps its memory while the size allows, so re-sampling does not map
// and fault in new pages; a much smaller grid gives the memory back.
TEST(GridTableTest, WritingTablesReuseTheirMemory) {
  GridTable t;
  t.ResizeForWriting(999, 999);  // 4 MB: mapped pages
  float* first = t.data();
  first[0] = 1.0f;
  t.ResizeForWriting(999, 999);
  EXPECT_EQ(t.data(), first);
  t.ResizeForWriting(899, 999);
  EXPECT_EQ(t.data(), first);
  t.ResizeForWriting(9, 9);
  EXPECT_LT(t.HeldBytes(), 1000u);
}

// The sampler against the loop written out point by point. Whole powers are multiplied out by
// the compiled program and taken as general powers by the text path, so functions with "^"
// are checked against the compiled program's point evaluation, the others against the text.
struct Reference {
  Cls9 g;
  int outcome = 0;  // 0 complete, 1 no value, 2 error
  int32_t k = -1, j = -1;
};

Reference SampleByHand(Cls9 g) {
  Reference r;
  Cls6 expression;
  std::string postfix;
  EXPECT_EQ(expression.InfixToPostfix(AddMultiplySigns(g.ExpressZ), postfix), 0);
  const CompiledProgram program = CompiledProgram::FromPostfix(postfix);
  const bool textPath = g.ExpressZ.find('^') == std::string::npos;
  for (GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude,
                       &g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB})
    t->Resize(g.StepU, g.StepV);
  for (int32_t k = 0; k <= g.StepU; ++k) {
    for (int32_t j = 0; j <= g.StepV; ++j) {
      const float x = ToSingle(g.MinU + k * (static_cast<double>(g.MaxU) - g.MinU) / g.StepU);
      const float y = ToSingle(g.MinV + j * (static_cast<double>(g.MaxV) - g.MinV) / g.StepV);
      float u = 0.0f, v = 0.0f;
      bool value = false;
      int outcome = 0;
      try {
        value = textPath ? expression.DoEvaluate(postfix, u, v, x, y) : program.Evaluate(x, y, u, v);
      } catch (const RuntimeError&) {
        outcome = 2;
      }
      if (!value && outcome == 0) outcome = 1;
      if (outcome != 0 && g.Extras.stopAtFirstError) {
        r.outcome = outcome;
        r.k = k;
        r.j = j;
        r.g = g;
        return r;
      }
      const bool hole = outcome != 0;
      const float m =
          hole ? kNoValue : ToSingle(std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v));
      const float q[5] = {x, y, hole ? kNoValue : u, hole ? kNoValue : v, m};
      GridTable* tables[5] = {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude};
      float* mx[5] = {&g.MaxXq, &g.MaxYq, &g.MaxUq, &g.MaxVq, &g.MaxMag};
      float* mn[5] = {&g.MinXq, &g.MinYq, &g.MinUq, &g.MinVq, &g.MinMag};
      for (int i = 0; i < 5; ++i) {
        tables[i]->at(k, j) = q[i];
        if (!HasValue(q[i])) continue;
        if (q[i] > *mx[i]) *mx[i] = q[i];
        if (q[i] < *mn[i]) *mn[i] = q[i];
      }
    }
  }
  GridTable* tables[5] = {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude};
  GridTable* d[6] = {&g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB};
  const int32_t codes[6] = {g.VarX, g.VarY, g.VarZ, g.ColorR, g.ColorG, g.ColorB};
  for (int c = 0; c < 6; ++c) {
    if (codes[c] >= 1 && codes[c] <= 5)
      std::memcpy(d[c]->data(), tables[codes[c] - 1]->data(), d[c]->size() * 4);
  }
  r.g = g;
  return r;
}

void ExpectSameTables(const Cls9& a, const Cls9& b) {
  const GridTable* ta[11] = {&a.QuantityX,         &a.QuantityY,   &a.QuantityU,  &a.QuantityV,
                             &a.QuantityMagnitude, &a.SceneX,      &a.SceneY,     &a.SceneZ,
                             &a.ColorTableR,       &a.ColorTableG, &a.ColorTableB};
  const GridTable* tb[11] = {&b.QuantityX,         &b.QuantityY,   &b.QuantityU,  &b.QuantityV,
                             &b.QuantityMagnitude, &b.SceneX,      &b.SceneY,     &b.SceneZ,
                             &b.ColorTableR,       &b.ColorTableG, &b.ColorTableB};
  for (int i = 0; i < 11; ++i) {
    ASSERT_EQ(ta[i]->size(), tb[i]->size());
    EXPECT_EQ(std::memcmp(ta[i]->data(), tb[i]->data(), ta[i]->size() * 4), 0) << "table " << i;
  }
  const float ea[10] = {a.MaxXq, a.MinXq, a.MaxYq, a.MinYq,  a.MaxUq,
                        a.MinUq, a.MaxVq, a.MinVq, a.MaxMag, a.MinMag};
  const float eb[10] = {b.MaxXq, b.MinXq, b.MaxYq, b.MinYq,  b.MaxUq,
                        b.MinUq, b.MaxVq, b.MinVq, b.MaxMag, b.MinMag};
  EXPECT_EQ(std::memcmp(ea, eb, sizeof ea), 0) << "extremes";
}

int64_t Holes(const Cls9& g) {
  int64_t n = 0;
  for (size_t i = 0; i < g.QuantityU.size(); ++i) n += !HasValue(g.QuantityU.data()[i]);
  return n;
}

TEST_F(SamplingTest, EveryThreadCountGivesThePlainLoopsResults) {
  struct Case {
    const char* f;
    int32_t steps;
    float shift;
  };
  // The last two divide by zero at x = 0.5, y = 0.25 (k = 160, j = 144), in mid-grid: one
  // stops there, the other leaves a hole.
  const Case cases[] = {{"sin(z)/z+z^3", 200, 1e-4f},
                        {"exp(1/(z+3))", 200, 1e-4f},
                        {"(z-1)*(z+1)/((z-i)*(z+i))", 200, 1e-4f},
                        {"1/(z-(0.5+0.25i))", 256, 0.0f},
                        {"1/(z-(0.5+0.25i))", 256, -0.0f}};
  for (const Case& c : cases) {
    const std::string f = c.f;
    Cls9 g = Surface(f, c.steps, -2.0f + c.shift, 2.0f + c.shift);
    g.Extras.stopAtFirstError = !std::signbit(c.shift);
    const Reference expected = SampleByHand(g);
    if (c.shift == 0.0f && g.Extras.stopAtFirstError) {
      EXPECT_EQ(expected.outcome, 2);
      EXPECT_EQ(expected.k, 160);
      EXPECT_EQ(expected.j, 144);
    }
    for (unsigned threads : {1u, 2u, 3u}) {
      Cls9 sampled = g;
      SamplingOptions options;
      options.threads = threads;
      SamplingStop stop;
      options.stop = &stop;
      int outcome = 0;
      try {
        outcome = SampleGraph(sampled, options) ? 0 : 1;
      } catch (const RuntimeError&) {
        outcome = 2;
      }
      EXPECT_EQ(outcome, expected.outcome) << f << " threads " << threads;
      if (expected.outcome != 0) {
        EXPECT_EQ(stop.k, expected.k);
        EXPECT_EQ(stop.j, expected.j);
      }
      ExpectSameTables(sampled, expected.g);
      EXPECT_EQ(sampled.PointsWithoutValue, Holes(expected.g)) << f;
    }
    if (!g.Extras.stopAtFirstError && c.shift == 0.0f) {
      EXPECT_EQ(Holes(expected.g), 1);
    }
  }
}

}  // namespace
}  // namespace quillon
