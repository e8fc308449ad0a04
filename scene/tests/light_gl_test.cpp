// The light settings as OpenGL holds them after SetLight: both lights, the light model and
// the switches.

#include "scene/light_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "render/tests/gl_fixture.h"

namespace quillon {
namespace {

using Vec4 = std::array<float, 4>;

Vec4 LightValue(GLenum light, GLenum what) {
  Vec4 v{-7, -7, -7, -7};
  glGetLightfv(light, what, v.data());
  return v;
}

class LightGlTest : public testing::GlTest {};

TEST_F(LightGlTest, DefaultLightAndItsMirror) {
  Cls10 light;
  SetLight(light);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_POSITION), (Vec4{100, 100, 100, 1}));
  EXPECT_EQ(LightValue(GL_LIGHT1, GL_POSITION), (Vec4{-100, -100, -100, 1}));
  for (GLenum l : {GL_LIGHT0, GL_LIGHT1}) {
    EXPECT_EQ(LightValue(l, GL_DIFFUSE), (Vec4{1, 1, 1, 1}));
    EXPECT_EQ(LightValue(l, GL_AMBIENT), (Vec4{1, 1, 1, 1}));
    EXPECT_EQ(LightValue(l, GL_SPECULAR), (Vec4{1, 1, 1, 1}));
  }
  Vec4 ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, (Vec4{1, 1, 1, 1}));
  GLint twoSide = 0;
  glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
  EXPECT_EQ(twoSide, GL_TRUE);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
}

TEST_F(LightGlTest, ChangedColoursPositionAndSwitchesReachBothLights) {
  Cls10 light;
  light.SetPosition(0, 10);
  light.SetPosition(1, -20);
  light.SetPosition(2, 30);
  light.SetPosition(3, 0);  // a directional first light; its mirror stays a point light
  light.SetDiffuse(0, 0.5f);
  light.SetAmission(1, 0.25f);
  light.SetSpecular(2, 0.0f);
  light.SetGlobalAmbient(0, 0);
  light.SetTwoSides(0, 0);
  SetLight(light);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_POSITION), (Vec4{10, -20, 30, 0}));
  EXPECT_EQ(LightValue(GL_LIGHT1, GL_POSITION), (Vec4{-10, 20, -30, 1}));
  for (GLenum l : {GL_LIGHT0, GL_LIGHT1}) {
    EXPECT_EQ(LightValue(l, GL_DIFFUSE), (Vec4{0.5f, 1, 1, 1}));
    EXPECT_EQ(LightValue(l, GL_AMBIENT), (Vec4{1, 0.25f, 1, 1}));
    EXPECT_EQ(LightValue(l, GL_SPECULAR), (Vec4{1, 1, 0, 1}));
  }
  Vec4 ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, (Vec4{0, 0, 0, 1}));
  GLint twoSide = 1;
  glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
  EXPECT_EQ(twoSide, GL_FALSE);
}

TEST_F(LightGlTest, PositionsFollowTheModelViewInForce) {
  // The frame sets the lights after loading the camera's look-at, so they stay fixed to the
  // camera.
  glTranslatef(0, 0, -1000);
  SetLight(Cls10{});
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_POSITION), (Vec4{100, 100, -900, 1}));
  EXPECT_EQ(LightValue(GL_LIGHT1, GL_POSITION), (Vec4{-100, -100, -1100, 1}));
}

TEST_F(LightGlTest, DisabledTurnsOffLightingAndBothLights) {
  SetLight(Cls10{});
  Cls10 off;
  off.Enabled = false;
  SetLight(off);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

}  // namespace
}  // namespace quillon
