// The camera's maths: pan, zoom, fit, degenerate boxes, near distance, projection types.

#include "scene/model/camera.h"

#include <gtest/gtest.h>

#include <array>

#include "common/runtime_error.h"

namespace quillon {
namespace {

void ExpectOffsetKept(const Cls4& c) {
  EXPECT_FLOAT_EQ(c.EyePos().x - c.RefPos().x, 0.0f);
  EXPECT_FLOAT_EQ(c.EyePos().y - c.RefPos().y, 0.0f);
  EXPECT_FLOAT_EQ(c.EyePos().z - c.RefPos().z, 1000.0f);
}

TEST(CameraTest, DefaultsAndUpVectorIndex) {
  Cls4 c;
  EXPECT_EQ(c.ProjectType, 1);
  EXPECT_EQ(c.VolWidth, 40.0f);
  EXPECT_EQ(c.VolHeight, 40.0f);
  EXPECT_EQ(c.VolNear, 0.001f);
  EXPECT_EQ(c.VolFar, 2000.0f);
  EXPECT_EQ(c.EyePos().z, 1000.0f);
  EXPECT_EQ(c.VecUp(1), 1.0f);
  EXPECT_THROW(c.VecUp(3), RuntimeError);
  EXPECT_THROW(c.SetVecUp(-1, 0.0f), RuntimeError);
  float w = 0, h = 0;
  c.GetViewRect(w, h);
  EXPECT_EQ(w, 40.0f);
  EXPECT_EQ(h, 40.0f);
}

TEST(CameraTest, ViewRectKeepsTheScreenAspectAndIgnoresWidth) {
  Cls4 c;
  c.ScreenWidth = 800;
  c.ScreenHeight = 400;
  c.SetViewRect(1.0f, 10.0f);
  EXPECT_EQ(c.VolHeight, 10.0f);
  EXPECT_EQ(c.VolWidth, 20.0f);
}

TEST(CameraTest, ZoomScalesOnlyForPositiveFactors) {
  Cls4 c;
  c.Zoom(0.0f);
  c.Zoom(-1.0f);
  EXPECT_EQ(c.VolWidth, 40.0f);
  EXPECT_EQ(c.VolHeight, 40.0f);
  c.Zoom(0.5f);
  EXPECT_EQ(c.VolWidth, 20.0f);
  EXPECT_EQ(c.VolHeight, 20.0f);
  EXPECT_THROW(c.Zoom(1e38f), RuntimeError);  // overflow is reported, not stored
}

TEST(CameraTest, PanMovesEyeAndReferenceAgainstTheMouse) {
  Cls4 c;
  c.MoveView(0.1f, 0.0f);
  EXPECT_FLOAT_EQ(c.EyePos().x, -4.0f);
  EXPECT_FLOAT_EQ(c.RefPos().x, -4.0f);
  ExpectOffsetKept(c);
  c.MoveView(0.0f, -0.25f);
  EXPECT_FLOAT_EQ(c.RefPos().y, 10.0f);
  EXPECT_FLOAT_EQ(c.EyePos().y, 10.0f);
  ExpectOffsetKept(c);
}

TEST(CameraTest, PanWithEyeOnTheReferenceStillPansAlongTheFixedAxes) {
  Cls4 c;
  c.SetEye(0, 0, 0);
  c.MoveView(0.1f, 0.1f);
  EXPECT_FLOAT_EQ(c.EyePos().x, -4.0f);
  EXPECT_FLOAT_EQ(c.EyePos().y, -4.0f);
  EXPECT_FLOAT_EQ(c.RefPos().x, -4.0f);
}

TEST(CameraTest, ZoomAllCentresOnTheBoxWithItsLargestExtent) {
  Cls4 c;
  c.ScreenWidth = 300;
  c.ScreenHeight = 200;
  c.ZoomAll(-2, -1, 0, 4, 1, 10);  // extents 6, 2, 10
  EXPECT_FLOAT_EQ(c.VolHeight, 10.0f);
  EXPECT_FLOAT_EQ(c.VolWidth, 15.0f);
  EXPECT_FLOAT_EQ(c.RefPos().x, 1.0f);
  EXPECT_FLOAT_EQ(c.RefPos().y, 0.0f);
  EXPECT_FLOAT_EQ(c.RefPos().z, 5.0f);
  ExpectOffsetKept(c);

  c.ZoomAll(-3, 0, 0, 3, 0, 1);  // flat in y: the other two decide
  EXPECT_FLOAT_EQ(c.VolHeight, 6.0f);
  c.ZoomAll(1, 1, 1, 1, 1, 1);  // a point
  EXPECT_EQ(c.VolHeight, 0.0f);
  EXPECT_EQ(c.VolWidth, 0.0f);
  // An empty volume has no projection; the identity stays, as GL would leave it.
  const auto m = c.ProjectionMatrix(Cls1{});
  EXPECT_EQ(m, (std::array<double, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

TEST(CameraTest, PerspectiveNearIsAlwaysPositive) {
  Cls4 c;
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Cls1::Of(-5, 5, 0, 1, 0, 2)), 990.0);
  // A scene as deep as the eye distance would put the near plane behind the eye.
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Cls1::Of(0, 1000, 0, 1, 0, 1)), 2.0);
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Cls1::Of(0, 5000, 0, 1, 0, 1)), 2.0);
  // An empty scene's inverted box counts as no extent.
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Cls1::Empty()), 1000.0);
  c.ProjectType = 2;
  const auto m = c.ProjectionMatrix(Cls1::Of(0, 5000, 0, 1, 0, 1));
  EXPECT_EQ(m[11], -1.0);  // a real frustum, not the identity
}

TEST(CameraTest, OtherProjectTypesGiveTheIdentity) {
  Cls4 c;
  c.ProjectType = 3;
  EXPECT_EQ(c.ProjectionMatrix(Cls1{}),
            (std::array<double, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace quillon
