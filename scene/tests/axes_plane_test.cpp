// The plane scenes' frame: axes with main and secondary ticks, number and pi labels, the
// background styles with their shadow, and the primary and secondary grids.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/color.h"
#include "common/program_state.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"
#include "scene/axes_draw.h"
#include "scene/text.h"

namespace quillon {
namespace {

// Window pixels per scene unit with x and y in -8..8 on the 64-pixel fixture.
constexpr float kScale = 4.0f;
// A scene unit with a tick step of 1.
constexpr float kUnit = 0.3f;

class AxesPlaneTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ASSERT_TRUE(CreateSceneFonts());
    glMatrixMode(GL_PROJECTION);
    glOrtho(-8, 8, -8, 8, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    State().SceneKind = 1;
  }
  void TearDown() override {
    DeleteSceneFonts();
    GlTest::TearDown();
  }
  std::vector<FeedbackPrimitive> Frame(float minX, float maxX, float minY, float maxY, float unit = kUnit) {
    FeedbackCapture capture;
    return capture.Capture([&] {
      float z0 = -1, z1 = 1;
      Draw(axes_, 2, minX, maxX, minY, maxY, z0, z1, unit);
    });
  }
  static int LinesOfLength(const std::vector<FeedbackPrimitive>& all, float length) {
    int n = 0;
    for (const auto& l : FeedbackCapture::OfKind(all, FeedbackKind::Line)) {
      const float len = std::hypot(l.vertices[0].x - l.vertices[1].x, l.vertices[0].y - l.vertices[1].y);
      if (std::abs(len - length * kScale) < 1e-3f) ++n;
    }
    return n;
  }
  static size_t Glyphs(const std::vector<FeedbackPrimitive>& all) {
    return FeedbackCapture::OfKind(all, FeedbackKind::Bitmap).size();
  }
  Cls3 axes_;
};

TEST_F(AxesPlaneTest, TicksAndLabelsOnBothSidesOfTheOrigin) {
  const auto all = Frame(-3, 3, -3, 3);
  EXPECT_EQ(LinesOfLength(all, 0.5f), 8);      // main ticks at -2, -1, 1, 2 on both axes
  EXPECT_EQ(LinesOfLength(all, 0.3f), 4 * 8);  // four secondary ticks in each of the 8 steps
  EXPECT_EQ(LinesOfLength(all, 6.0f), 2);      // the two axes across the box
  EXPECT_EQ(Glyphs(all), 12u);                 // "-2" "-1" "1" "2" on each axis
  // A scene twice as large steps by 2: main ticks and labels at -2 and 2 only.
  const auto wide = Frame(-3, 3, -3, 3, 2.0f * kUnit);
  EXPECT_EQ(LinesOfLength(wide, 0.5f), 4);
  EXPECT_EQ(Glyphs(wide), 6u);
  axes_.ShowSecondaryLabel = false;
  EXPECT_EQ(LinesOfLength(Frame(-3, 3, -3, 3), 0.3f), 0);
}

TEST_F(AxesPlaneTest, PiLabelsCountStepsOfPi) {
  axes_.ShowPI = true;
  const auto all = Frame(-3.1416f * 2 - 0.5f, 3.1416f * 2 + 0.5f, -1, 1);
  EXPECT_EQ(Glyphs(all), std::string("pi2pi-pi-2pi").size());
}

TEST_F(AxesPlaneTest, BetterFontsDrawOutlineLabels) {
  axes_.BetterFonts = true;
  const auto all = Frame(-3, 3, -3, 3);
  EXPECT_EQ(Glyphs(all), 0u);
  EXPECT_GT(FeedbackCapture::OfKind(all, FeedbackKind::Polygon).size(), 12u);
}

TEST_F(AxesPlaneTest, BackgroundStyleTwoRunsLeftToRightWithAShadowBehind) {
  axes_.ShowBackground = true;
  axes_.ShowShadow = true;
  axes_.BackColor = RGB(255, 0, 0);
  axes_.BackColor2 = RGB(0, 0, 255);
  FeedbackCapture capture;
  const auto polys = FeedbackCapture::OfKind(
      capture.Capture([&] { DrawBackground(axes_, -4, 4, -2, 2, 0, 0); }), FeedbackKind::Polygon);
  ASSERT_EQ(polys.size(), 4u);  // two triangles of shadow, two of background
  const float grey = polys[0].vertices[0].color[0];
  EXPECT_NEAR(grey, 0.4f, 1e-3f);
  for (size_t i = 2; i < 4; ++i) {
    for (const auto& v : polys[i].vertices) {
      const bool left = v.x < 32.0f;
      EXPECT_EQ(v.color[0], left ? 1.0f : 0.0f);
      EXPECT_EQ(v.color[2], left ? 0.0f : 1.0f);
    }
  }
  axes_.ShowBackground = false;
  EXPECT_TRUE(capture.Capture([&] { DrawBackground(axes_, -4, 4, -2, 2, 0, 0); }).empty());
}

TEST_F(AxesPlaneTest, PrimaryGridAtEveryStepSecondaryAtFifths) {
  FeedbackCapture capture;
  auto grid = [&] { return capture.Capture([&] { Draw2DGrid(axes_, -3, 3, -2, 2, 0, 0, kUnit); }); };
  EXPECT_TRUE(grid().empty());
  axes_.ShowprimaryGrid = true;
  EXPECT_EQ(FeedbackCapture::OfKind(grid(), FeedbackKind::Line).size(), 7u + 5u);
  axes_.ShowSecondaryGrid = true;
  axes_.ShowprimaryGrid = false;
  EXPECT_EQ(FeedbackCapture::OfKind(grid(), FeedbackKind::Line).size(), 31u + 21u);
}

}  // namespace
}  // namespace quillon
