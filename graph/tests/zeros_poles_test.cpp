// The zero and pole search end to end, from a function text to refined points and orders.

#include "graph/zeros_poles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

constexpr RootKind kZero = RootKind::kZero;
constexpr RootKind kPole = RootKind::kPole;
constexpr double kPi = std::numbers::pi;
const double kHalfRoot3 = std::sqrt(3.0) / 2.0;

struct SearchCase {
  const char* name;
  const char* function;
  RootSearchDomain domain;
  std::vector<ZeroOrPole> expected;  // in the order listed
};

const RootSearchDomain kDefault{};  // -2..2 in 40 steps both ways: a grid point at every tenth

const SearchCase kCases[] = {
    {"CubeRootsOfOne",
     "z^3-1",
     kDefault,
     {{kZero, -0.5, -kHalfRoot3, 1}, {kZero, -0.5, kHalfRoot3, 1}, {kZero, 1.0, 0.0, 1}}},
    {"SimplePolesAtPlusAndMinusI", "1/(z^2+1)", kDefault, {{kPole, 0.0, -1.0, 1}, {kPole, 0.0, 1.0, 1}}},
    {"DoubleZeroAndPoleOnGridPoints",
     "(z-1)^2/(z+2)",
     {-3, 3, 30, -3, 3, 30},
     {{kPole, -2.0, 0.0, 1}, {kZero, 1.0, 0.0, 2}}},
    {"SineZerosAtMultiplesOfPi",
     "sin(z)",
     {-4, 4, 40, -4, 4, 40},
     {{kZero, -kPi, 0.0, 1}, {kZero, 0.0, 0.0, 1}, {kZero, kPi, 0.0, 1}}},
    {"DoubleZeroOfZSquared", "z^2", kDefault, {{kZero, 0.0, 0.0, 2}}},
    // x = -0.3 and y = 0 are lines of the typed grid; 0.15 and 0.05 lie between lines.
    {"ZerosOnGridLinesBetweenPoints",
     "(z-0.05)*(z+0.3-0.15i)",
     kDefault,
     {{kZero, -0.3, 0.15, 1}, {kZero, 0.05, 0.0, 1}}},
    {"ZerosExactlyOnGridPoints", "z^2-1", kDefault, {{kZero, -1.0, 0.0, 1}, {kZero, 1.0, 0.0, 1}}},
    {"PoleExactlyOnAGridPoint", "1/z", {-1, 1, 20, -1, 1, 20}, {{kPole, 0.0, 0.0, 1}}},
    {"ExponentialHasNone", "exp(z)", kDefault, {}},
    {"TriplePole", "1/(z-0.3-0.2i)^3", kDefault, {{kPole, 0.3, 0.2, 3}}},
    {"TwoZerosInOneCellAreParted",
     "(z-0.51)*(z-0.53-0.01i)",
     kDefault,
     {{kZero, 0.51, 0.0, 1}, {kZero, 0.53, 0.01, 1}}},
    {"ZeroAndPoleInNeighbouringCells",
     "(z-0.45)/(z-0.55)",
     kDefault,
     {{kZero, 0.45, 0.0, 1}, {kPole, 0.55, 0.0, 1}}},
    {"ZeroOnTheRectanglesEdgeIsInside", "z-2+i", kDefault, {{kZero, 2.0, -1.0, 1}}},
    {"ZeroJustOutsideIsNot", "z-2.001", kDefault, {}},
    {"ReversedRangesSearchTheSameRectangle",
     "z^2-1",
     {2, -2, 40, 2, -2, 40},
     {{kZero, -1.0, 0.0, 1}, {kZero, 1.0, 0.0, 1}}},
    // √ has cuts along the axes: the cells across them cannot be counted, the zero at 2i can.
    {"ZeroBesideBranchCuts", "sqr(z)-1-i", {-3, 3, 30, -3, 3, 30}, {{kZero, 0.0, 2.0, 1}}},
};

class ZerosPolesSearch : public ::testing::TestWithParam<SearchCase> {
 protected:
  void SetUp() override { ResetProgramState(); }
  RecordingSink sink_;
  ScopedMessageSink scoped_{&sink_};
};

TEST_P(ZerosPolesSearch, FindsEachPointWithItsOrder) {
  const SearchCase& c = GetParam();
  const std::optional<CompiledProgram> program = CompileGraphFunction(c.function);
  ASSERT_TRUE(program);
  const RootSearchResult result = FindZerosAndPoles(*program, c.domain);
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(result.unrefinedPoints, 0);
  ASSERT_EQ(result.roots.size(), c.expected.size());
  for (size_t i = 0; i < c.expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(result.roots[i].kind, c.expected[i].kind);
    EXPECT_NEAR(result.roots[i].x, c.expected[i].x, 1e-6);
    EXPECT_NEAR(result.roots[i].y, c.expected[i].y, 1e-6);
    EXPECT_EQ(result.roots[i].order, c.expected[i].order);
  }
}

INSTANTIATE_TEST_SUITE_P(Functions, ZerosPolesSearch, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ZerosPolesTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  RecordingSink sink_;
  ScopedMessageSink scoped_{&sink_};
};

TEST_F(ZerosPolesTest, PointsOnAnAxisLieExactlyOnIt) {
  // Sorting and printing rely on 0, never -0 or a rounding remainder such as 1e-17.
  const RootSearchResult result = FindZerosAndPoles(*CompileGraphFunction("z^2+1"), kDefault);
  ASSERT_EQ(result.roots.size(), 2u);
  for (const ZeroOrPole& p : result.roots) EXPECT_FALSE(std::signbit(p.x)) << p.x;
  EXPECT_EQ(result.roots[0].x, 0.0);
  EXPECT_EQ(result.roots[1].x, 0.0);
}

TEST_F(ZerosPolesTest, BranchCutsAreReportedAsUncountedCells) {
  const RootSearchResult result = FindZerosAndPoles(*CompileGraphFunction("sqr(z)-1-i"), kDefault);
  EXPECT_GT(result.unresolvedCells, 0);
}

TEST_F(ZerosPolesTest, CancelStopsTheSearchAndProgressCountsUp) {
  const CompiledProgram program = *CompileGraphFunction("z^3-1");
  std::atomic<bool> cancel{true};
  std::atomic<int64_t> done{0};
  EXPECT_TRUE(FindZerosAndPoles(program, kDefault, {&cancel, &done}).cancelled);
  cancel = false;
  const RootSearchResult result = FindZerosAndPoles(program, kDefault, {&cancel, &done});
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(done.load(), RootSearchUnits(kDefault));
}

TEST_F(ZerosPolesTest, OversizedGridIsRefusedBeforeWork) {
  try {
    FindZerosAndPoles(*CompileGraphFunction("z"), {-1, 1, 100000, -1, 1, 100000});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kGridTooLarge);
  }
}

TEST_F(ZerosPolesTest, SyntaxErrorShowsTheCompilersBox) {
  EXPECT_FALSE(CompileGraphFunction("(z"));
  ASSERT_EQ(sink_.Requests().size(), 1u);
}

// Marks: x and y axes carry the point's place, u, v and |w| the value of w there.
struct MarkCase {
  const char* name;
  int32_t graphType;
  int32_t varX, varY, varZ;
  ZeroOrPole root;
  MarkPoint expected;
};

const MarkCase kMarkCases[] = {
    // The sampled |w| of z^2 - 1 on -2..2 spans 0..|8i - 1| (at the corners), u spans -5..3.
    {"SurfaceZeroAtHeightZero",
     gtp::kSurface,
     quantity::kX,
     quantity::kU,
     quantity::kY,
     {kZero, 1.0, 0.5, 1},
     {1.0f, 0.0f, 0.5f}},
    {"SurfacePoleAtTheTopOfTheMagnitude",
     gtp::kSurface,
     quantity::kY,
     quantity::kMagnitude,
     quantity::kX,
     {kPole, 0.5, -0.25, 1},
     {-0.25f, std::sqrt(65.0f), 0.5f}},
    {"SurfacePoleOnTheRealPartsZeroLevel",
     gtp::kSurface,
     quantity::kX,
     quantity::kU,
     quantity::kY,
     {kPole, 0.5, -0.25, 1},
     {0.5f, 0.0f, -0.25f}},
    {"ColorMapMarkInItsPlane",
     gtp::kColorMap,
     quantity::kX,
     quantity::kMagnitude,
     quantity::kY,
     {kZero, -1.0, 0.0, 1},
     {-1.0f, 0.0f, 0.0f}},
    {"PlaceOutsideTheDrawnRangeIsHeldInIt",
     gtp::kSurface,
     quantity::kX,
     quantity::kU,
     quantity::kY,
     {kZero, 3.0, -7.0, 1},
     {2.0f, 0.0f, -2.0f}},
};

class ZerosPolesMarks : public ::testing::TestWithParam<MarkCase> {
 protected:
  void SetUp() override { ResetProgramState(); }
};

TEST_P(ZerosPolesMarks, SitAtThePointsPlaceOnTheGraph) {
  const MarkCase& c = GetParam();
  Cls9 g = Cls9().Init(1, "", c.graphType, ctp::kCartesian, "", "", "z^2-1", 40, 40, -2, 2, -2, 2, 0, 0, 0, 0,
                       1, 0, shw::kSurface, smt::kSmoothest, false, false, false, 0);
  g.FunForm = fun::kExplicit;
  g.VarX = c.varX;
  g.VarY = c.varY;
  g.VarZ = c.varZ;
  ASSERT_TRUE(g.GetPoints({}));
  const MarkPoint p = MarkPosition(g, c.root);
  EXPECT_FLOAT_EQ(p.x, c.expected.x);
  EXPECT_FLOAT_EQ(p.y, c.expected.y);
  EXPECT_FLOAT_EQ(p.z, c.expected.z);
}

INSTANTIATE_TEST_SUITE_P(Graphs, ZerosPolesMarks, ::testing::ValuesIn(kMarkCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
