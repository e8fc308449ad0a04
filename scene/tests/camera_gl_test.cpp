// The matrices the camera computes, checked against what OpenGL itself computes for the same
// volume, and what loading them and setting the viewport leave in GL.

#include "scene/camera_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "render/tests/gl_fixture.h"
#include "scene/model/container.h"
#include "scene/tests/scene_test_graphs.h"

namespace quillon {
namespace {

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
  const Cls1 box = Cls1::Of(-5, 5, -2, 2, 0, 1);
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
  SetScreen(c, 300, 0);
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
  Projection(c, scene, {});
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
  Projection(c, scene, {});
  ExpectNear(Read(GL_PROJECTION_MATRIX), frustum);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  ExpectNear(Read(GL_MODELVIEW_MATRIX), c.ModelViewMatrix());

  c.ProjectType = 1;
  Projection(c, scene, {});
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-20, 20, -20, 20, 0.01f, 2000);
  const auto ortho = Read(GL_PROJECTION_MATRIX);
  Projection(c, scene, {});
  ExpectNear(Read(GL_PROJECTION_MATRIX), ortho);
}

TEST_F(CameraGlTest, SceneAsDeepAsTheEyeDistanceStillGetsAFrustum) {
  Cls8 scene;
  scene.Add(testing::BoxSurface(-1500, 1500, -1, 1, 0, 2), "1");
  Cls4 c;
  c.ProjectType = 2;
  Projection(c, scene, {});
  const auto m = Read(GL_PROJECTION_MATRIX);
  EXPECT_EQ(m[11], -1.0);
  EXPECT_NEAR(m[0], 2.0 * 2.0 / 40.0, 1e-6);  // near = 2 (a thousandth of the far distance)
}

}  // namespace
}  // namespace quillon
