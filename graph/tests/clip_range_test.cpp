// The clip rule: which axis is clipped, the automatic range (percentiles widened by a margin,
// never beyond the values), the chosen modes, the box that follows the clip, and log |w|.

#include "graph/clip_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

GridTable TableOf(const std::vector<float>& values) {
  GridTable t;
  t.Resize(static_cast<int32_t>(values.size()) - 1, 0);
  for (size_t i = 0; i < values.size(); ++i) t.at(static_cast<int32_t>(i), 0) = values[i];
  return t;
}

std::vector<float> Ramp(int n) {
  std::vector<float> v;
  for (int i = 0; i < n; ++i) v.push_back(static_cast<float>(i));
  return v;
}

TEST(ClipRange, AutomaticRangeKeepsSmoothValuesAndCutsSpikes) {
  std::vector<float> spiked = Ramp(100);
  spiked.push_back(1e6f);
  spiked.push_back(kNoValue);
  spiked.push_back(-std::numeric_limits<float>::infinity());
  struct Case {
    const char* name;
    std::vector<float> values;
    float from, to;
  } cases[] = {
      // 2nd and 98th percentiles 1 and 97, widened by 48: the whole ramp stays.
      {"ramp", Ramp(100), 0.0f, 99.0f},
      // Percentiles 2 and 98 of the 101 finite values; the spike is cut at 98 + 48.
      {"spike", spiked, 0.0f, 146.0f},
      {"constant", std::vector<float>(10, 5.0f), 5.0f, 5.0f},
  };
  for (const Case& c : cases) {
    const auto range = AutomaticClipRange(TableOf(c.values));
    ASSERT_TRUE(range) << c.name;
    EXPECT_FLOAT_EQ(range->first, c.from) << c.name;
    EXPECT_FLOAT_EQ(range->second, c.to) << c.name;
  }
  EXPECT_FALSE(AutomaticClipRange(TableOf({kNoValue, kNoValue})));
}

TEST(ClipRange, ModeAndAxisDecideWhatIsClipped) {
  struct Case {
    const char* name;
    int32_t varX, varY, varZ;
    ClipMode mode;
    float min, max;
    int32_t axis;
    bool clipped;
    float from, to;
  } cases[] = {
      {"off", quantity::kX, quantity::kU, quantity::kY, ClipMode::kOff, 0, 0, 1, false, 0, 0},
      {"range", quantity::kX, quantity::kU, quantity::kY, ClipMode::kRange, -1, 2, 1, true, -1, 2},
      {"empty range", quantity::kX, quantity::kU, quantity::kY, ClipMode::kRange, 2, 2, 1, false, 0, 0},
      {"height first", quantity::kV, quantity::kMagnitude, quantity::kU, ClipMode::kRange, 0, 1, 1, true, 0,
       1},
      {"width next", quantity::kMagnitude, quantity::kX, quantity::kU, ClipMode::kRange, 0, 1, 0, true, 0, 1},
      {"no w axis", quantity::kX, quantity::kY, quantity::kX, ClipMode::kAutomatic, 0, 0, -1, false, 0, 0},
      {"automatic", quantity::kX, quantity::kU, quantity::kY, ClipMode::kAutomatic, 0, 0, 1, true, 0, 99},
  };
  for (const Case& c : cases) {
    Cls9 g;
    g.VarX = c.varX;
    g.VarY = c.varY;
    g.VarZ = c.varZ;
    g.Extras.clip = c.mode;
    g.Extras.clipMin = c.min;
    g.Extras.clipMax = c.max;
    g.SceneY = TableOf(Ramp(100));
    EXPECT_EQ(ClipAxis(g), c.axis) << c.name;
    const auto range = ResolveClipRange(g);
    ASSERT_EQ(range.has_value(), c.clipped) << c.name;
    if (!range) continue;
    EXPECT_EQ(range->first, c.from) << c.name;
    EXPECT_EQ(range->second, c.to) << c.name;
  }
}

TEST(ClipRange, SurfaceBoxFollowsTheClippedRange) {
  ResetProgramState();
  Cls9 g;
  g.GraphType = gtp::kSurface;
  g.VarX = quantity::kX;
  g.VarY = quantity::kU;
  g.VarZ = quantity::kY;
  g.StepU = 100;
  g.StepV = 0;
  std::vector<float> heights = Ramp(100);
  heights.push_back(1e6f);
  g.SceneY = TableOf(heights);
  g.SceneX = TableOf(Ramp(101));
  g.SceneZ = TableOf(std::vector<float>(101, 0.0f));
  g.Extras.clip = ClipMode::kOff;
  EXPECT_EQ(g.GetBox(0, {}).MaxY, 1e6f);
  g.Extras.clip = ClipMode::kAutomatic;
  EXPECT_EQ(g.GetBox(0, {}).MaxY, 146.0f);
  EXPECT_EQ(g.GetBox(0, {}).MinY, 0.0f);
  // A range beyond every value boxes the range itself.
  g.Extras.clip = ClipMode::kRange;
  g.Extras.clipMin = 2e6f;
  g.Extras.clipMax = 3e6f;
  const Cls1 box = g.GetBox(0, {});
  EXPECT_EQ(box.MinY, 2e6f);
  EXPECT_EQ(box.MaxY, 3e6f);
}

TEST(ClipRange, LogMagnitudeAxisHoldsLog10AndTheQuantityStays) {
  ResetProgramState();
  Cls9 g = Cls9{}.Init(1, "", gtp::kSurface, ctp::kCartesian, "", "", "z", 2, 2, -1, 1, -1, 1, 0, 0, 0, 0, 1,
                       0, shw::kSurface, smt::kSmoothest, false, false, false, 0);
  g.FunForm = fun::kExplicit;
  g.VarX = quantity::kX;
  g.VarY = quantity::kMagnitude;
  g.VarZ = quantity::kMagnitude;
  g.Extras.logMagnitude = {false, true, false};
  ASSERT_TRUE(g.GetPoints({}));
  EXPECT_NEAR(g.SceneY.at(2, 2), std::log10(std::sqrt(2.0)), 1e-6);
  EXPECT_NEAR(g.SceneZ.at(2, 2), std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(g.QuantityMagnitude.at(2, 2), std::sqrt(2.0), 1e-6);
  EXPECT_FALSE(HasValue(g.SceneY.at(1, 1)));  // log of |0|: drawn as a hole
}

}  // namespace
}  // namespace quillon
