#include "graph/sampling_markers.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "graph/codes.h"

namespace quillon {
namespace {

class MarkerSamplingTest : public ::testing::Test {};

// w = (2x, x + y): easy to check by hand.
bool Linear(float x, float y, float& u, float& v) {
  u = 2.0f * x;
  v = x + y;
  return true;
}

Cls9 Animated(int32_t kind) {
  Cls9 g;
  g.GraphType = kind;
  g.FunForm = fun::kExplicit;
  g.Animation = true;
  g.MinT = 0.0f;
  g.MaxT = 1.0f;
  g.StepU = 2;
  g.StepV = 1;
  g.MinU = -1.0f;
  g.MaxU = 1.0f;
  g.MinV = 3.0f;
  g.MaxV = 4.0f;
  g.VarX = quantity::kX;
  g.VarY = quantity::kU;
  g.VarZ = quantity::kV;
  g.PointColor = 0x00FF00;
  return g;
}

TEST_F(MarkerSamplingTest, PointsTakeTAsTheirInput) {
  Cls9 g = Animated(gtp::kPointAnimation);
  SizeMarkers(g, 4);
  ASSERT_TRUE(SampleMarkers(g, {Linear, {}, {}}, 4, {}, nullptr));
  for (int l = 0; l <= 4; ++l) {
    const float t = 0.25f * l;
    EXPECT_FLOAT_EQ(g.Anim1D(l).x, t) << l;
    EXPECT_FLOAT_EQ(g.Anim1D(l).y, 2.0f * t);
    EXPECT_FLOAT_EQ(g.Anim1D(l).z, t);  // v = t + 0
    EXPECT_EQ(g.Anim1D(l).Color, 0x00FF00);
  }
}

TEST_F(MarkerSamplingTest, CurvesAndSurfacesShiftTheirDomainByT) {
  Cls9 curve = Animated(gtp::kCurve3DAnimation);
  SizeMarkers(curve, 1);
  ASSERT_TRUE(SampleMarkers(curve, {Linear, {}, {}}, 1, {}, nullptr));
  // k = 2, l = 1: x input = 1 + 1, y input = MinV = 3.
  EXPECT_FLOAT_EQ(curve.Anim2D(2, 1).x, 2.0f);
  EXPECT_FLOAT_EQ(curve.Anim2D(2, 1).y, 4.0f);
  EXPECT_FLOAT_EQ(curve.Anim2D(2, 1).z, 5.0f);

  Cls9 surface = Animated(gtp::kSurfaceAnimation);
  surface.VarY = quantity::kY;
  SizeMarkers(surface, 1);
  ASSERT_TRUE(SampleMarkers(surface, {Linear, {}, {}}, 1, {}, nullptr));
  // k = 0, j = 1, l = 1: x input = -1 + 1, y input = 4.
  EXPECT_FLOAT_EQ(surface.Anim3D(0, 1, 1).x, 0.0f);
  EXPECT_FLOAT_EQ(surface.Anim3D(0, 1, 1).y, 4.0f);
  EXPECT_FLOAT_EQ(surface.Anim3D(0, 1, 1).z, 4.0f);
  EXPECT_FLOAT_EQ(surface.Anim3D(1, 0, 0).x, 0.0f);
  EXPECT_FLOAT_EQ(surface.Anim3D(1, 0, 0).y, 3.0f);
}

TEST_F(MarkerSamplingTest, CoordinatesOutsideTheViewAreMarkedUndefined) {
  ViewIntervals view;
  view.maxY = 1.0f;  // u = 2t passes 1 from t = 0.75 on
  view.minZ = 0.3f;  // v = t is below it for t < 0.3
  Cls9 g = Animated(gtp::kPointAnimation);
  SizeMarkers(g, 4);
  ASSERT_TRUE(SampleMarkers(g, {Linear, {}, {}}, 4, view, nullptr));
  EXPECT_EQ(g.Anim1D(0).z, kUndefinedSample);
  EXPECT_FLOAT_EQ(g.Anim1D(0).y, 0.0f);
  EXPECT_FLOAT_EQ(g.Anim1D(2).y, 1.0f);  // the bounds belong to the view
  EXPECT_EQ(g.Anim1D(3).y, kUndefinedSample);
  EXPECT_FLOAT_EQ(g.Anim1D(3).x, 0.75f);
}

TEST_F(MarkerSamplingTest, ParametricFormsTakeTheRealPartsOfTheThreeExpressions) {
  Cls9 g = Animated(gtp::kPointAnimation);
  g.FunForm = fun::kParametric;
  SizeMarkers(g, 2);
  auto constant = [](float c) {
    return [c](float x, float, float& u, float& v) {
      u = c + x;
      v = 99.0f;
      return true;
    };
  };
  ASSERT_TRUE(SampleMarkers(g, {constant(3.0f), constant(1.0f), constant(2.0f)}, 2, {}, nullptr));
  EXPECT_FLOAT_EQ(g.Anim1D(2).x, 2.0f);
  EXPECT_FLOAT_EQ(g.Anim1D(2).y, 3.0f);
  EXPECT_FLOAT_EQ(g.Anim1D(2).z, 4.0f);
}

TEST_F(MarkerSamplingTest, StopsAtTheFirstPointWithoutAValueOrWithAnError) {
  Cls9 g = Animated(gtp::kPointAnimation);
  g.Extras.stopAtFirstError = true;
  SizeMarkers(g, 4);
  auto noValueFromHalf = [](float x, float y, float& u, float& v) { return x < 0.5f && Linear(x, y, u, v); };
  SamplingStop stop;
  EXPECT_FALSE(SampleMarkers(g, {noValueFromHalf, {}, {}}, 4, {}, &stop));
  EXPECT_TRUE(stop.stopped);
  EXPECT_TRUE(stop.noValue);
  EXPECT_EQ(stop.l, 2);
  EXPECT_FLOAT_EQ(g.Anim1D(1).x, 0.25f);
  EXPECT_FLOAT_EQ(g.Anim1D(2).x, 0.0f);  // not reached

  auto divides = [](float x, float, float& u, float& v) {
    if (x > 0.6f) throw RuntimeError::DivisionByZero();
    u = v = 1.0f;
    return true;
  };
  EXPECT_THROW(SampleMarkers(g, {divides, {}, {}}, 4, {}, &stop), RuntimeError);
  EXPECT_FALSE(stop.noValue);
  EXPECT_EQ(stop.l, 3);
  EXPECT_FLOAT_EQ(stop.x, 0.75f);
}

TEST_F(MarkerSamplingTest, PointsWithoutAValueAreUndefinedMarkersAndSamplingGoesOn) {
  auto noValueAtHalf = [](float x, float y, float& u, float& v) { return x != 0.5f && Linear(x, y, u, v); };
  auto dividesAtHalf = [](float x, float y, float& u, float& v) {
    if (x == 0.5f) throw RuntimeError::DivisionByZero();
    return Linear(x, y, u, v);
  };
  for (const PointEvaluator& f : {PointEvaluator(noValueAtHalf), PointEvaluator(dividesAtHalf)}) {
    Cls9 g = Animated(gtp::kPointAnimation);
    SizeMarkers(g, 4);
    SamplingStop stop;
    ASSERT_TRUE(SampleMarkers(g, {f, {}, {}}, 4, {}, &stop));
    EXPECT_FALSE(stop.stopped);
    EXPECT_EQ(g.PointsWithoutValue, 1);
    EXPECT_EQ(g.Anim1D(2).x, kUndefinedSample);
    EXPECT_EQ(g.Anim1D(2).y, kUndefinedSample);
    EXPECT_EQ(g.Anim1D(2).z, kUndefinedSample);
    EXPECT_FLOAT_EQ(g.Anim1D(3).x, 0.75f);  // and the frames after it are there
  }
}

TEST_F(MarkerSamplingTest, OnlyTheAnimatedAndPointKindsUseMarkers) {
  for (int32_t kind : {7, 8, 9, 10, 11, 12}) EXPECT_TRUE(IsMarkerKind(kind)) << kind;
  for (int32_t kind : {0, 1, 2, 3, 4, 13, 14, 15, 31, 32}) EXPECT_FALSE(IsMarkerKind(kind)) << kind;
}

}  // namespace
}  // namespace quillon
