// The camera's maths (pan, zoom, fit, degenerate boxes, near distance) and the matrices it
// loads, checked against what OpenGL itself computes for the same volume.

#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>

#include "common/runtime_error.h"
#include "render/tests/gl_fixture.h"
#include "scene/model/container.h"
#include "scene/tests/scene_test_graphs.h"

namespace quillon {
namespace {

Cls1 Box(float minX, float maxX, float minY, float maxY, float minZ, float maxZ) {
  Cls1 b;
  b.MinX = minX;
  b.MaxX = maxX;
  b.MinY = minY;
  b.MaxY = maxY;
  b.MinZ = minZ;
  b.MaxZ = maxZ;
  return b;
}

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
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Box(-5, 5, 0, 1, 0, 2)), 990.0);
  // A scene as deep as the eye distance would put the near plane behind the eye.
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Box(0, 1000, 0, 1, 0, 1)), 2.0);
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Box(0, 5000, 0, 1, 0, 1)), 2.0);
  // An empty scene's inverted box counts as no extent.
  EXPECT_DOUBLE_EQ(c.PerspectiveNear(Cls1::Empty()), 1000.0);
  c.ProjectType = 2;
  const auto m = c.ProjectionMatrix(Box(0, 5000, 0, 1, 0, 1));
  EXPECT_EQ(m[11], -1.0);  // a real frustum, not the identity
}

TEST(CameraTest, OtherProjectTypesGiveTheIdentity) {
  Cls4 c;
  c.ProjectType = 3;
  EXPECT_EQ(c.ProjectionMatrix(Cls1{}),
            (std::array<double, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

class CameraGlTest : public testing::GlTest {
 protected:
  static std::array<double, 16> Read(GLenum which) {
    std::array<double, 16> m{};
    glGetDoublev(which, m.data());
    return m;
  }
  // GL keeps its matrices in single precision.
  static void ExpectNear(const std::array<double, 16>& a, const std::array<double, 16>& b) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], 1e-6 * (1.0 + std::abs(b[i]))) << "element " << i;
  }
};

TEST_F(CameraGlTest, MatricesEqualGlOrthoFrustumAndLookAt) {
  Cls4 c;
  c.VolWidth = 30;
  c.VolHeight = 20;
  c.SetRef(1, 2, 3);
  c.SetEye(1, 2, 1003);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-15, 15, -10, 10, 0.001f, 2000);
  ExpectNear(c.ProjectionMatrix(Cls1{}), Read(GL_PROJECTION_MATRIX));

  c.ProjectType = 2;
  const Cls1 box = Box(-5, 5, -2, 2, 0, 1);
  glLoadIdentity();
  glFrustum(-15, 15, -10, 10, 990, 2000);
  ExpectNear(c.ProjectionMatrix(box), Read(GL_PROJECTION_MATRIX));

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(1, 2, 1003, 1, 2, 3, 0, 1, 0);
  ExpectNear(c.ModelViewMatrix(), Read(GL_MODELVIEW_MATRIX));
}

TEST_F(CameraGlTest, ScreenOfHeightZeroCountsAsOne) {
  Cls4 c;
  c.SetScreen(300, 0);
  GLint viewport[4] = {-1, -1, -1, -1};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 300);
  EXPECT_EQ(viewport[3], 0);
  EXPECT_EQ(c.ScreenWidth, 300.0f);
  EXPECT_EQ(c.ScreenHeight, 1.0f);
  c.SetViewRect(0, 2);
  EXPECT_EQ(c.VolWidth, 600.0f);
}

TEST_F(CameraGlTest, PerspectiveFrameLeavesTheSmallNearDistanceBehind) {
  Cls8 scene;
  scene.Add(testing::BoxSurface(-5, 5, -1, 1, 0, 2), "1");  // padded: largest extent 10.08
  Cls4 c;
  c.ProjectType = 2;
  // Left over from a picking pass: Projection returns GL to normal rendering.
  GLuint select[16];
  glSelectBuffer(16, select);
  glRenderMode(GL_SELECT);
  c.Projection(scene);
  GLint mode = 0;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  EXPECT_EQ(mode, GL_RENDER);
  EXPECT_EQ(c.VolNear, 0.01f);
  EXPECT_EQ(c.Volleft, -20.0f);
  EXPECT_EQ(c.VolTop, 20.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-20, 20, -20, 20, 1000.0 - 10.08f, 2000);
  const auto frustum = Read(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);
  c.Projection(scene);
  ExpectNear(Read(GL_PROJECTION_MATRIX), frustum);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  ExpectNear(Read(GL_MODELVIEW_MATRIX), c.ModelViewMatrix());

  c.ProjectType = 1;
  c.Projection(scene);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-20, 20, -20, 20, 0.01f, 2000);
  const auto ortho = Read(GL_PROJECTION_MATRIX);
  c.Projection(scene);
  ExpectNear(Read(GL_PROJECTION_MATRIX), ortho);
}

TEST_F(CameraGlTest, SceneAsDeepAsTheEyeDistanceStillGetsAFrustum) {
  Cls8 scene;
  scene.Add(testing::BoxSurface(-1500, 1500, -1, 1, 0, 2), "1");
  Cls4 c;
  c.ProjectType = 2;
  c.Projection(scene);
  const auto m = Read(GL_PROJECTION_MATRIX);
  EXPECT_EQ(m[11], -1.0);
  EXPECT_NEAR(m[0], 2.0 * 2.0 / 40.0, 1e-6);  // near = 2 (a thousandth of the far distance)
}

}  // namespace
}  // namespace quillon
