// The axes frame as it reaches OpenGL (feedback mode): tick marks, grid lines, labels and
// titles of the box frame, the axes through the origin, the colour-map frame and the counts
// the frame accepts.

#include "scene/axes_draw.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/program_state.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"
#include "scene/text.h"

namespace quillon {
namespace {

struct P3 {
  double x, y, z;
};

class AxesDrawTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ASSERT_TRUE(CreateSceneFonts());
    glMatrixMode(GL_PROJECTION);
    glOrtho(-10, 10, -10, 10, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    State().SceneKind = 3;
    State().TitleLetterX = "X";
    State().TitleLetterY = "Y";
    State().TitleLetterZ = "Z";
    axes_.SetDefault();
  }
  void TearDown() override {
    DeleteSceneFonts();
    GlTest::TearDown();
  }

  std::vector<FeedbackPrimitive> DrawFrame(float minX, float maxX, float minY, float maxY, float minZ,
                                           float maxZ) {
    FeedbackCapture capture;
    return capture.Capture([&] { Draw(axes_, 2, minX, maxX, minY, maxY, minZ, maxZ, 0.0f); });
  }

  // Where a scene point lands in the window.
  static P3 Project(double x, double y, double z) {
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    P3 w{};
    gluProject(x, y, z, mv, pr, vp, &w.x, &w.y, &w.z);
    return w;
  }

  static bool Same(const FeedbackVertex& v, const P3& p) {
    return std::abs(v.x - p.x) < 1e-3 && std::abs(v.y - p.y) < 1e-3 && std::abs(v.z - p.z) < 1e-4;
  }

  static std::vector<FeedbackPrimitive> LinesOfColour(const std::vector<FeedbackPrimitive>& all, float r,
                                                      float g, float b) {
    std::vector<FeedbackPrimitive> out;
    for (const auto& p : FeedbackCapture::OfKind(all, FeedbackKind::Line)) {
      const auto& c = p.vertices[0].color;
      if (std::abs(c[0] - r) < 0.01f && std::abs(c[1] - g) < 0.01f && std::abs(c[2] - b) < 0.01f)
        out.push_back(p);
    }
    return out;
  }

  static bool HasLine(const std::vector<FeedbackPrimitive>& lines, const P3& a, const P3& b) {
    return std::any_of(lines.begin(), lines.end(), [&](const FeedbackPrimitive& l) {
      return (Same(l.vertices[0], a) && Same(l.vertices[1], b)) ||
             (Same(l.vertices[0], b) && Same(l.vertices[1], a));
    });
  }

  // Blue (label) polygon vertices inside a window rectangle given in scene x/y at depth z.
  static int BlueVerticesIn(const std::vector<FeedbackPrimitive>& all, double x0, double x1, double y0,
                            double y1) {
    const P3 lo = Project(x0, y0, 0), hi = Project(x1, y1, 0);
    int n = 0;
    for (const auto& p : FeedbackCapture::OfKind(all, FeedbackKind::Polygon)) {
      for (const auto& v : p.vertices) {
        const bool blue = v.color[2] > 0.9f && v.color[0] < 0.1f;
        if (blue && v.x >= lo.x && v.x <= hi.x && v.y >= lo.y && v.y <= hi.y) ++n;
      }
    }
    return n;
  }

  Cls3 axes_;
};

TEST(AxesTextTest, TickLabelsHaveOneDecimalAndALeadingZero) {
  EXPECT_EQ(FormatTickLabel(-2.0), "-2.0");
  EXPECT_EQ(FormatTickLabel(0.5), "0.5");
  EXPECT_EQ(FormatTickLabel(4.0), "4.0");
  EXPECT_EQ(FormatTickLabel(-0.0001), "0.0");
  EXPECT_EQ(FormatTickLabel(1234.56), "1234.6");
  EXPECT_NEAR(EstimatedTextWidth(std::string(39, 'x')), 10.0, 1e-12);
  EXPECT_EQ(FrameIntervals(0), 1);
  EXPECT_EQ(FrameIntervals(-5), 1);
  EXPECT_EQ(FrameIntervals(7), 7);
  EXPECT_EQ(FrameIntervals(100000), 500);
}

TEST_F(AxesDrawTest, BoxFrameTicksSitAtEveryInterval) {
  const auto all = DrawFrame(-3, 3, -2, 2, -4, 4);
  const auto ticks = LinesOfColour(all, 0, 0, 0);
  ASSERT_EQ(ticks.size(), 9u);
  for (double z : {-4.0, 0.0, 4.0})  // user X along scene z, at the right bottom edge
    EXPECT_TRUE(HasLine(ticks, Project(3, -2, z), Project(3, -2.3, z))) << z;
  for (double x : {-3.0, 0.0, 3.0})  // user Y along scene x, at the front bottom edge
    EXPECT_TRUE(HasLine(ticks, Project(x, -2, 4), Project(x, -2.3, 4))) << x;
  for (double y : {-2.0, 0.0, 2.0})  // user Z along scene y, pointing left
    EXPECT_TRUE(HasLine(ticks, Project(-3, y, 4), Project(-3.3, y, 4))) << y;
}

TEST_F(AxesDrawTest, GridLinesAreDrawnWithEveryPanelHidden) {
  const auto grid = LinesOfColour(DrawFrame(-3, 3, -2, 2, -4, 4), 0.6f, 0.6f, 0.6f);
  EXPECT_EQ(grid.size(), 18u);
  EXPECT_TRUE(HasLine(grid, Project(0, -2, -4), Project(0, 2, -4)));  // YZ face, x = 0
  EXPECT_TRUE(HasLine(grid, Project(-3, -2, 0), Project(-3, 2, 0)));  // XZ face, z = 0
  EXPECT_TRUE(HasLine(grid, Project(-3, -2, 0), Project(3, -2, 0)));  // XY face, z = 0
  axes_.ShowXYXGrid = false;
  axes_.ShowYZZGrid = false;
  EXPECT_EQ(LinesOfColour(DrawFrame(-3, 3, -2, 2, -4, 4), 0.6f, 0.6f, 0.6f).size(), 12u);
}

TEST_F(AxesDrawTest, PanelsUseTheirMaterialWhichStaysSetWhenHidden) {
  axes_.YZPanelMaterial = 1;
  axes_.XZPanelMaterial = 2;
  axes_.XYPanelMaterial = 13;  // "Winter", the last one applied
  axes_.ShowYZPanel = true;
  const auto all = DrawFrame(-3, 3, -2, 2, -4, 4);
  GLfloat specular[4];
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  EXPECT_FLOAT_EQ(specular[0], 0.686486f);
  // The one shown panel: two triangles on the back face z = MinZ.
  const double backDepth = Project(0, 0, -4).z;
  int back = 0;
  for (const auto& p : FeedbackCapture::OfKind(all, FeedbackKind::Polygon))
    if (std::all_of(p.vertices.begin(), p.vertices.end(),
                    [&](const FeedbackVertex& v) { return std::abs(v.z - backDepth) < 1e-4; }))
      ++back;
  EXPECT_EQ(back, 2);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(AxesDrawTest, LabelsAndTitlesStandBesideTheirTicks) {
  const auto all = DrawFrame(-3, 3, -2, 2, -4, 4);
  // User Y labels: one below each tick, starting one unit to its left, 1.3 below the box.
  for (double x : {-3.0, 0.0, 3.0}) EXPECT_GT(BlueVerticesIn(all, x - 1.0, x - 0.6, -3.35, -2.5), 0) << x;
  // Nothing between the labels' row and the box.
  EXPECT_EQ(BlueVerticesIn(all, -10, 10, -2.45, 10), BlueVerticesIn(all, -10, -3.05, -2.45, 10));
  // User Z labels left of the box ("-2.0" is estimated 4 / 3.9 wide).
  const double zx = -3.0 - (4.0 / 3.9 + 0.7);
  EXPECT_GT(BlueVerticesIn(all, zx, zx + 0.3, -2.05, -1.3), 0);
  // The Y title centred below the labels, in its own row.
  EXPECT_GT(BlueVerticesIn(all, -1.5, 0.5, -4.35, -3.4), 0);
}

TEST_F(AxesDrawTest, OriginAxesReachTwoBeyondTheBoxWidenedToTheOrigin) {
  axes_.AxisStyle = 2;
  const auto all = DrawFrame(2, 5, -1, 1, -3, -1);
  const auto blue = LinesOfColour(all, 0, 0, 1);
  ASSERT_EQ(blue.size(), 3u);
  EXPECT_TRUE(HasLine(blue, Project(-2, 0, 0), Project(7, 0, 0)));
  EXPECT_TRUE(HasLine(blue, Project(0, -3, 0), Project(0, 3, 0)));
  EXPECT_TRUE(HasLine(blue, Project(0, 0, -5), Project(0, 0, 2)));
  // Three cones and no labels.
  EXPECT_GT(FeedbackCapture::OfKind(all, FeedbackKind::Polygon).size(), 3u * 16u);
  EXPECT_EQ(BlueVerticesIn(all, -10, 10, -10, 10), 0);
}

TEST_F(AxesDrawTest, ColorMapFrameHasIntegerTicksAndBitmapLabels) {
  State().SceneKind = 7;
  const auto all = DrawFrame(-2.5f, 2.5f, 0, 0, -1.5f, 1.5f);
  const auto black = LinesOfColour(all, 0, 0, 0);
  int ticks = 0;
  for (const auto& l : black) {
    const double len = std::hypot(l.vertices[0].x - l.vertices[1].x, l.vertices[0].y - l.vertices[1].y);
    if (std::abs(len - 0.3 * 64 / 20) < 1e-3) ++ticks;
  }
  EXPECT_EQ(ticks, 5 + 3);  // x = -2..2 and y = -1..1
  EXPECT_TRUE(HasLine(black, Project(-2, -1.5, 0), Project(-2, -1.8, 0)));
  EXPECT_TRUE(HasLine(black, Project(-2.5, 1, 0), Project(-2.8, 1, 0)));
  // One glyph per character: "-2" "-1" "0" "1" "2", "-1" "0" "1", and the two titles.
  EXPECT_EQ(FeedbackCapture::OfKind(all, FeedbackKind::Bitmap).size(), 13u);
}

TEST_F(AxesDrawTest, IntervalCountsOutsideTheRangeStillDrawAFrame) {
  axes_.LabelNumX = 0;
  axes_.LabelNumY = 100000;
  axes_.LabelNumZ = -3;
  axes_.ShowXYXGrid = axes_.ShowXYYGrid = axes_.ShowXZXGrid = false;
  axes_.ShowXZZGrid = axes_.ShowYZYGrid = axes_.ShowYZZGrid = false;
  FeedbackCapture capture;
  const auto ticks = LinesOfColour(capture.Capture([&] {
    float a = -3, b = 3, c = -2, d = 2, e = -4, f = 4;
    Draw(axes_, 2, a, b, c, d, e, f, 0.0f);
  }),
                                   0, 0, 0);
  EXPECT_EQ(ticks.size(), 2u + 501u + 2u);
}

TEST_F(AxesDrawTest, KindsOutsideOneToSevenDrawNothingButTakeTheTitles) {
  State().SceneKind = 0;
  State().TitleLetterX = "U";
  EXPECT_TRUE(DrawFrame(-3, 3, -2, 2, -4, 4).empty());
  EXPECT_EQ(axes_.TitleX, "U");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// The map shows the scene's x quantity across and its z quantity upwards; the shared titles
// carry VarX's letter in TitleLetterY and VarZ's in TitleLetterX, so the across title must be
// TitleY. Two titles of different lengths tell the places apart.
TEST_F(AxesDrawTest, ColorMapTitlesNameTheQuantityOfTheirDirection) {
  State().SceneKind = 7;
  State().TitleLetterX = "V";    // the upward quantity (VarZ)
  State().TitleLetterY = "XYZ";  // the across quantity (VarX)
  const auto all = DrawFrame(-2.5f, 2.5f, 0, 0, -1.5f, 1.5f);
  const double acrossY = Project(0, -1.5 - 1.8, 0).y;
  const double upwardX = Project(-2.5 - 1.7, 0, 0).x;
  int across = 0, upward = 0;
  for (const auto& b : FeedbackCapture::OfKind(all, FeedbackKind::Bitmap)) {
    if (std::abs(b.vertices[0].y - acrossY) < 0.5) ++across;
    if (std::abs(b.vertices[0].x - upwardX) < 0.5) ++upward;
  }
  EXPECT_EQ(across, 3);
  EXPECT_EQ(upward, 1);
}

}  // namespace
}  // namespace quillon
