// The two-stage frame: what CompileScene records (orientation, frame, lists per animation
// frame), which list Display calls, list numbering and freeing, and whole pictures.

#include "scene/scene_frame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "common/program_state.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"
#include "scene/camera_gl.h"
#include "scene/model/quaternion.h"
#include "scene/tests/scene_test_graphs.h"
#include "scene/text.h"

namespace quillon {
namespace {

class SceneFrameTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    frame_.Initialize();
    State().SceneKind = 3;
    axes_.SetDefault();
  }
  void TearDown() override {
    frame_.Release();
    GlTest::TearDown();
  }
  // The model-view matrix the list leaves behind when called on the identity.
  std::array<float, 16> MatrixAfter(uint32_t list) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList(list);
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glLoadIdentity();
    return m;
  }
  SceneFrame frame_;
  Cls8 scene_;
  Cls3 axes_;
  SceneDrawState drawState_;
};

TEST_F(SceneFrameTest, InitializeSetsTheStartStateAndBuildsTheFonts) {
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 4.0f);
  GLint depthFunc = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  EXPECT_EQ(depthFunc, GL_LEQUAL);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DITHER));
  EXPECT_NE(Fonts().LabelFont, 0u);
  EXPECT_NE(Fonts().BitmapFont, 0u);
}

TEST_F(SceneFrameTest, WithNoGraphTheListHoldsOnlyTheOrientation) {
  scene_.RotYaw = 90;  // the right view
  frame_.CompileScene(scene_, axes_, drawState_);
  ASSERT_NE(frame_.SceneList(), 0u);
  FeedbackCapture capture;
  EXPECT_TRUE(capture.CaptureList(frame_.SceneList()).empty());
  // Yaw 90 turns the scene's +x towards the viewer.
  const auto m = MatrixAfter(frame_.SceneList());
  EXPECT_NEAR(m[0], 0.0f, 1e-4f);
  EXPECT_NEAR(m[2], 1.0f, 1e-4f);
  EXPECT_NEAR(m[5], 1.0f, 1e-4f);
}

TEST_F(SceneFrameTest, AnglesBecomeTheCurrentRotationRollThenPitchThenYaw) {
  scene_.RotRoll = 30;
  scene_.RotPitch = -15;
  scene_.RotYaw = 45;
  frame_.CompileScene(scene_, axes_, drawState_);
  const float k = 3.1416f / 180.0f;
  const Quat expected = AddQuats(AddQuats(AxisToQuat({0, 0, 1}, 30 * k), AxisToQuat({1, 0, 0}, -15 * k)),
                                 AxisToQuat({0, 1, 0}, 45 * k));
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(drawState_.currentRotation[i], expected[i]);
  const auto m = MatrixAfter(frame_.SceneList());
  const auto r = BuildRotMatrix(expected);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], r[i], 1e-6f);
}

TEST_F(SceneFrameTest, TrackballRotationIsUsedAsItIs) {
  scene_.RotYaw = 90;
  drawState_.trackballActive = true;
  drawState_.currentRotation = AxisToQuat({1, 0, 0}, 3.1416f / 2);
  frame_.CompileScene(scene_, axes_, drawState_);
  const auto m = MatrixAfter(frame_.SceneList());
  EXPECT_NEAR(m[0], 1.0f, 1e-4f);  // x stays: the container's yaw is not used
  EXPECT_NEAR(std::abs(m[6]), 1.0f, 1e-4f);
  EXPECT_FLOAT_EQ(drawState_.currentRotation[0], std::sin(3.1416f / 4));
}

TEST_F(SceneFrameTest, ShownGraphBringsTheFrameAndHiddenFrameStaysOut) {
  scene_.Add(testing::BoxSurface(-2, 2, -1, 1, -2, 2), "1");
  frame_.CompileScene(scene_, axes_, drawState_);
  FeedbackCapture capture;
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10, 10, -10, 10, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  const auto with = capture.CaptureList(frame_.SceneList());
  axes_.Show = false;
  frame_.CompileScene(scene_, axes_, drawState_);
  const auto without = capture.CaptureList(frame_.SceneList());
  // The frame adds 18 grid lines, 9 ticks and the label glyphs.
  EXPECT_EQ(FeedbackCapture::OfKind(with, FeedbackKind::Line).size() -
                FeedbackCapture::OfKind(without, FeedbackKind::Line).size(),
            27u);
  EXPECT_GT(FeedbackCapture::OfKind(without, FeedbackKind::Polygon).size(), 0u);  // the surface
}

TEST_F(SceneFrameTest, EachCompileFreesThePreviousListsAndReleaseFreesAll) {
  scene_.Add(testing::BoxSurface(-2, 2, -1, 1, -2, 2), "1");
  frame_.CompileScene(scene_, axes_, drawState_);
  for (int i = 0; i < 3; ++i) {
    const uint32_t previous = frame_.SceneList();
    EXPECT_TRUE(glIsList(previous));
    frame_.CompileScene(scene_, axes_, drawState_);
    EXPECT_FALSE(glIsList(previous));
  }
  const uint32_t last = frame_.SceneList();
  const uint32_t label = Fonts().LabelFont;
  frame_.Release();
  EXPECT_FALSE(glIsList(last));
  EXPECT_FALSE(glIsList(label));
  EXPECT_EQ(frame_.SceneList(), 0u);
}

TEST_F(SceneFrameTest, AnimatedSceneCompilesFrameCountPlusOneLists) {
  auto g = testing::BoxSurface(-2, 2, -1, 1, -2, 2);
  g->Animation = true;
  scene_.Add(g, "1");
  drawState_.frameCount = 10;
  frame_.CompileScene(scene_, axes_, drawState_);
  EXPECT_EQ(frame_.SceneList(), 0u);
  EXPECT_EQ(frame_.FrameListCount(), 11);
  const uint32_t base = frame_.FrameListBase();
  for (uint32_t i = 0; i < 11; ++i) EXPECT_TRUE(glIsList(base + i)) << i;
  EXPECT_EQ(frame_.ListForFrame(scene_, 1), base);  // Display(1) shows frame 0
  EXPECT_EQ(frame_.ListForFrame(scene_, 0), base);
  EXPECT_EQ(frame_.ListForFrame(scene_, 4), base + 3);
  EXPECT_EQ(frame_.ListForFrame(scene_, 99), base + 10);  // never past the compiled frames

  // Back to a still scene: the frame lists go, one still list comes.
  g->Animation = false;
  frame_.CompileScene(scene_, axes_, drawState_);
  for (uint32_t i = 1; i < 11; ++i) EXPECT_FALSE(glIsList(base + i)) << i;
  EXPECT_EQ(frame_.FrameListCount(), 0);
  EXPECT_EQ(frame_.ListForFrame(scene_, 1), frame_.SceneList());
}

// The lights stand where the camera of the frame being drawn puts them, from the very first
// frame after the camera moved (a new graph, Zoom to Fit), not where the last frame's did.
TEST_F(SceneFrameTest, TheLightIsPlacedUnderTheCameraOfTheFrameItLights) {
  scene_.Add(testing::BoxSurface(-2, 2, -1, 1, -2, 2), "1");
  frame_.CompileScene(scene_, axes_, drawState_);
  Cls10 light;
  int32_t step = 1;
  Cls4 before;
  SetScreen(before, kWidth, kHeight);
  before.SetEye(0.0f, 0.0f, 4000.0f);
  frame_.Display(step, scene_, before, light, drawState_);
  Cls4 after;
  SetScreen(after, kWidth, kHeight);
  after.SetEye(30.0f, -20.0f, 10.0f);
  frame_.Display(step, scene_, after, light, drawState_);
  const std::array<double, 16> m = after.ModelViewMatrix();
  const double p[4] = {light.Position(0), light.Position(1), light.Position(2), light.Position(3)};
  GLfloat placed[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, placed);
  for (int r = 0; r < 4; ++r) {
    const double expected = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * p[3];
    EXPECT_NEAR(placed[r], expected, 1e-3 * (1.0 + std::fabs(expected))) << "component " << r;
  }
}

TEST_F(SceneFrameTest, DisplayClearsToWhiteAndDrawsTheSurface) {
  scene_.Add(testing::BoxSurface(-2, 2, -1, 1, -2, 2), "1");
  axes_.Show = false;
  frame_.CompileScene(scene_, axes_, drawState_);
  Cls4 camera;
  SetScreen(camera, kWidth, kHeight);
  camera.VolWidth = camera.VolHeight = 8;
  Cls10 light;
  int32_t step = 1;
  frame_.Display(step, scene_, camera, light, drawState_);
  const QImage image = Context().ReadImage();
  EXPECT_EQ(image.pixel(1, 1), qRgba(255, 255, 255, 255));
  // Eight pixels a unit: scene (1, 0) lies inside the one (twisted) cell.
  EXPECT_NE(image.pixel(kWidth / 2 + 8, kHeight / 2), qRgba(255, 255, 255, 255));
  GLint shade = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shade);
  EXPECT_EQ(shade, GL_SMOOTH);
}

}  // namespace
}  // namespace quillon
