#include <gtest/gtest.h>

#include <limits>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"
#include "graph/graph.h"

namespace quillon {
namespace {

class GraphBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
};

// A surface of 3 x 2 cells whose scene tables hold x = k, y = j - 1 and z from -2 to 5.
Cls9 Surface(int32_t kind = gtp::kSurface) {
  Cls9 g;
  g.GraphType = kind;
  g.StepU = 3;
  g.StepV = 2;
  g.SceneX.Resize(3, 2);
  g.SceneY.Resize(3, 2);
  g.SceneZ.Resize(3, 2);
  for (int k = 0; k <= 3; ++k) {
    for (int j = 0; j <= 2; ++j) {
      g.SceneX.at(k, j) = static_cast<float>(k) + 1.0f;
      g.SceneY.at(k, j) = static_cast<float>(j) - 1.0f;
      g.SceneZ.at(k, j) = -2.0f + static_cast<float>(7 * k * j) / 6.0f;
    }
  }
  return g;
}

void ExpectEmpty(const Cls1& b) {
  EXPECT_EQ(b.MaxX, -9999999.0f);
  EXPECT_EQ(b.MinX, 9999999.0f);
  EXPECT_EQ(b.MaxY, -9999999.0f);
  EXPECT_EQ(b.MinY, 9999999.0f);
  EXPECT_EQ(b.MaxZ, -9999999.0f);
  EXPECT_EQ(b.MinZ, 9999999.0f);
}

TEST_F(GraphBoxTest, SurfaceAndMapKindsTakeTheExtentOfTheirSceneTables) {
  for (int32_t kind : {gtp::kSurface, gtp::kColorMap, gtp::kContourPlot, gtp::kVectorPlot}) {
    Cls9 g = Surface(kind);
    const Cls1 b = g.GetBox(0, {});
    EXPECT_EQ(b.MinX, 1.0f) << kind;
    EXPECT_EQ(b.MaxX, 4.0f);
    EXPECT_EQ(b.MinY, -1.0f);
    EXPECT_EQ(b.MaxY, 1.0f);
    EXPECT_EQ(b.MinZ, -2.0f);  // the origin is not added
    EXPECT_EQ(b.MaxZ, 5.0f);
    EXPECT_EQ(g.BoxMinZ, -2.0f);
    EXPECT_EQ(g.BoxMaxX, 4.0f);
  }
}

TEST_F(GraphBoxTest, PointsWithoutAValueAreLeftOut) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // (3, 2) holds the largest Z, 5; without a value there, the box ends at the next point.
  for (GridTable Cls9::*table : {&Cls9::SceneX, &Cls9::SceneY, &Cls9::SceneZ}) {
    Cls9 g = Surface();
    (g.*table).at(3, 2) = nan;
    const Cls1 b = g.GetBox(0, {});
    EXPECT_EQ(b.MaxZ, -2.0f + 7.0f * 2.0f * 2.0f / 6.0f);
    EXPECT_EQ(b.MaxX, 4.0f);  // (3, 0) and (3, 1) are still there
    EXPECT_EQ(b.MinY, -1.0f);
  }
  // A graph without any value has the empty box, which the scene's union ignores.
  Cls9 none = Surface();
  for (int k = 0; k <= 3; ++k)
    for (int j = 0; j <= 2; ++j) none.SceneZ.at(k, j) = nan;
  ExpectEmpty(none.GetBox(0, {}));
}

TEST_F(GraphBoxTest, ExtraLayersOfASurfaceLeaveItsBoxEmptyButNotAColourMaps) {
  for (int layer = 0; layer < 3; ++layer) {
    Cls9 g = Surface();
    g.ShowContour = layer == 0;
    g.ShowVector = layer == 1;
    g.ShowColormap = layer == 2;
    ExpectEmpty(g.GetBox(0, {}));
    g.GraphType = gtp::kColorMap;
    EXPECT_EQ(g.GetBox(0, {}).MaxZ, 5.0f);
  }
}

TEST_F(GraphBoxTest, CurvesAnimatedSurfacesAndUnknownKindsGiveTheEmptyBox) {
  for (int32_t kind : {gtp::kCurve3D, gtp::kCurve3DAnimation, gtp::kSurfaceAnimation, gtp::kTable4, 31, 99}) {
    Cls9 g = Surface(kind);
    ExpectEmpty(g.GetBox(0, {}));
  }
}

TEST_F(GraphBoxTest, StepCountsBeyondSixteenBitsOverflow) {
  Cls9 g = Surface();
  g.StepU = 32768;
  try {
    g.GetBox(0, {});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
  g.StepU = 3;
  g.StepV = 40000;
  EXPECT_THROW(g.GetBox(0, {}), RuntimeError);
  // Kinds that loop over no table never convert their steps.
  g.GraphType = gtp::kCurve3D;
  EXPECT_NO_THROW(g.GetBox(0, {}));
}

TEST_F(GraphBoxTest, StepsChangedAfterSamplingAreBoxedOverTheTablesOnly) {
  Cls9 g = Surface();
  g.StepU = 300;  // the tables still hold 4 x 3 values
  g.StepV = 200;
  const Cls1 b = g.GetBox(0, {});
  EXPECT_EQ(b.MaxX, 4.0f);
  Cls9 unsampled;
  unsampled.GraphType = gtp::kSurface;
  ExpectEmpty(unsampled.GetBox(0, {}));
}

TEST_F(GraphBoxTest, PointKindsTakeTheMarkerOfTheirStep) {
  Cls9 g;
  g.GraphType = gtp::kPointAnimation;
  g.ResizeAnim1D(2);
  g.Anim1D(0) = Cls2().Init(1.0f, 2.0f, 3.0f);
  g.Anim1D(1) = Cls2().Init(-1.0f, -2.0f, -3.0f);
  g.Anim1D(2) = Cls2().Init(kUndefinedSample, 0.0f, 0.0f);
  Cls1 b = g.GetBox(1, {});
  EXPECT_EQ(b.MinX, -1.0f);
  EXPECT_EQ(b.MaxX, -1.0f);
  EXPECT_EQ(b.MaxZ, -3.0f);
  ExpectEmpty(g.GetBox(2, {}));  // outside the view
  ExpectEmpty(g.GetBox(5, {}));  // not sampled
  g.GraphType = gtp::kPoint;     // a still point always shows step 0
  EXPECT_EQ(g.GetBox(1, {}).MaxY, 2.0f);
}

TEST_F(GraphBoxTest, PlaneKindsUseThePlaneCurveBoxAndContainTheOrigin) {
  Cls1 curve;
  curve.MinX = 1.0f;
  curve.MaxX = 3.0f;
  curve.MinY = -4.0f;
  curve.MaxY = -2.0f;
  curve.MinZ = kEmptyBoxMin;  // an axis drawing left empty
  curve.MaxZ = kEmptyBoxMax;
  Cls9 g;
  g.GraphType = 20;
  const Cls1 b = g.GetBox(0, curve);
  EXPECT_EQ(b.MinX, 0.0f);
  EXPECT_EQ(b.MaxX, 3.0f);
  EXPECT_EQ(b.MinY, -4.0f);
  EXPECT_EQ(b.MaxY, 0.0f);
  EXPECT_EQ(b.MinZ, 0.0f);
  EXPECT_EQ(b.MaxZ, 0.0f);
}

}  // namespace
}  // namespace quillon
