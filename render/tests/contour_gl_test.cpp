// Contour lines as they reach OpenGL: placement by scene kind, colours and the state left.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "common/color.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "render/contour.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"
#include "render/tests/surface_test_support.h"

namespace quillon {
namespace {

using testing::OrthoView;
using testing::Position;

class ContourGlTest : public testing::GlTest {
 protected:
  // A 2 x 2 slope rising along i; levels 0, 0.5, 1 (the middle one crosses at i = 1.5).
  static ContourGrid Slope() {
    ContourGrid grid(2, 2);
    grid.at(1, 1) = grid.at(1, 2) = 0.0f;
    grid.at(2, 1) = grid.at(2, 2) = 1.0f;
    return grid;
  }

  std::vector<FeedbackPrimitive> DrawSlope(float plane, int32_t style = 0) {
    return FeedbackCapture::OfKind(FeedbackCapture().Capture([&] {
      ContourGrid grid = Slope();
      CContour().Contour(2, 2, 2.0f, 1.0f, grid, 1.0f, -1.0f, plane, 2, style, RGB(255, 0, 0), RGB(0, 0, 255),
                         3);
    }),
                                   FeedbackKind::Line);
  }
};

TEST_F(ContourGlTest, ThreeDimensionalSceneFloatsLinesAboveThePlane) {
  OrthoView view(kWidth);
  State().SceneKind = 3;
  const auto lines = DrawSlope(2.0f);
  ASSERT_EQ(lines.size(), 2u);  // level 0.5 and the nudged top level 1
  // Level 0.5 from grid (1.5, 1) to (1.5, 2): first coordinate 1 + 1.5 x 2 = 4, second -1 + r.
  const Position a = view.Object(lines[0].vertices[0]);
  const Position b = view.Object(lines[0].vertices[1]);
  EXPECT_NEAR(a[0], 4.0f, 2e-3);
  EXPECT_NEAR(a[1], 2.1f, 2e-3);
  EXPECT_NEAR(a[2], 0.0f, 2e-3);
  EXPECT_NEAR(b[2], 1.0f, 2e-3);
  // Ramp colour: halfway between blue (lowest) and red (highest).
  EXPECT_NEAR(lines[0].vertices[0].color[0], 0.5f, 1e-3);
  EXPECT_NEAR(lines[0].vertices[0].color[2], 0.5f, 1e-3);
  EXPECT_NEAR(lines[1].vertices[0].color[0], 1.0f, 1e-3);
}

TEST_F(ContourGlTest, PlaneSceneDrawsInThePlaneItself) {
  OrthoView view(kWidth);
  State().SceneKind = 7;
  const auto lines = DrawSlope(-2.0f, 4);
  ASSERT_EQ(lines.size(), 2u);
  const Position a = view.Object(lines[0].vertices[0]);
  EXPECT_NEAR(a[0], 4.0f, 2e-3);
  EXPECT_NEAR(a[1], 0.0f, 2e-3);
  EXPECT_NEAR(a[2], -2.0f, 2e-3);
  for (const FeedbackPrimitive& l : lines) EXPECT_NEAR(l.vertices[0].color[2], 1.0f, 1e-3);  // single colour
}

TEST_F(ContourGlTest, OtherSceneKindsDrawNothing) {
  for (int32_t kind : {0, 1, 2}) {
    State().SceneKind = kind;
    EXPECT_TRUE(DrawSlope(0.0f).empty()) << kind;
  }
}

TEST_F(ContourGlTest, StateAfterwardsAndDuring) {
  State().SceneKind = 3;
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  ContourGrid grid = Slope();
  CContour().Contour(2, 2, 1.0f, 1.0f, grid, 0.0f, 0.0f, 0.0f, 2, 0, 0, 0, 3);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLfloat width = 0.0f;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 3.0f);
  GLint hint = 0;
  glGetIntegerv(GL_LINE_SMOOTH_HINT, &hint);
  EXPECT_EQ(hint, GL_NICEST);
  // The new graph's line width of 0 draws 1 wide instead of raising a GL error.
  CContour().Contour(2, 2, 1.0f, 1.0f, grid, 0.0f, 0.0f, 0.0f, 2, 0, 0, 0, 0);
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ContourGlTest, LevelCountZeroLeavesTheStateAlone) {
  glDisable(GL_LIGHTING);
  ContourGrid grid = Slope();
  EXPECT_THROW(CContour().Contour(2, 2, 1.0f, 1.0f, grid, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0, 3), RuntimeError);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
}

}  // namespace
}  // namespace quillon
