// Graph drawing: preparation (colour tracking, material, status text, layer room) and the
// dispatch by kind, checked in a real headless context.

#include "render/graph_draw.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/color.h"
#include "common/program_state.h"
#include "graph/point.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"
#include "render/tests/surface_test_support.h"

namespace quillon {
namespace {

using testing::FlatGrid;
using testing::MakeSurface;
using testing::OrthoView;
using testing::Position;
using testing::VerticesOf;

class GraphDrawTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    OrthoView{kWidth};  // every test sees -10..10, so nothing it draws is clipped
  }

  std::vector<FeedbackPrimitive> DrawCaptured(Cls9& g, int32_t step = 0) {
    return FeedbackCapture().Capture([&] { Draw(g, step); });
  }
  void Draw(Cls9& g, int32_t& step) { quillon::Draw(g, step, planeCurveBox_, resultText_); }

  Cls1 planeCurveBox_;
  std::string resultText_;
};

GLint Integer(GLenum name) {
  GLint v = 0;
  glGetIntegerv(name, &v);
  return v;
}

TEST_F(GraphDrawTest, NeonTracksEmissionEveryOtherMaterialDiffuse) {
  Cls9 g = MakeSurface(1, 1, FlatGrid);
  int32_t step = 0;
  g.Material = 5;
  Draw(g, step);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_EQ(Integer(GL_COLOR_MATERIAL_FACE), GL_FRONT_AND_BACK);
  EXPECT_EQ(Integer(GL_COLOR_MATERIAL_PARAMETER), GL_EMISSION);
  GLfloat specular[4] = {0, 0, 0, 0};
  glGetMaterialfv(GL_BACK, GL_SPECULAR, specular);
  EXPECT_NEAR(specular[0], 0.622449f, 1e-6);
  for (int32_t m : {0, 1, 4, 13, 14}) {
    g.Material = m;
    Draw(g, step);
    EXPECT_EQ(Integer(GL_COLOR_MATERIAL_PARAMETER), GL_DIFFUSE) << m;
  }
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);  // 14 applies what the new object holds
  EXPECT_EQ(specular[0], 0.0f);
  g.Material = 4;
  Draw(g, step);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  EXPECT_NEAR(specular[1], 0.887978f, 1e-6);
}

TEST_F(GraphDrawTest, ResultTextIsEmptiedAndPlaneCurvesWriteTheirLine) {
  int32_t step = 0;
  Cls9 other;
  other.GraphType = 99;
  resultText_ = "left over";
  Draw(other, step);
  EXPECT_EQ(resultText_, "");

  Cls9 curve;
  curve.GraphType = 0;
  curve.StepU = 4;
  curve.MinU = -1.0f;
  curve.MaxU = 1.0f;
  struct Case {
    int32_t coord, form;
    const char* text;
  } cases[] = {{1, 2, "Function y=x\r\n"},
               {1, 3, "Function x=2x, y=x\r\n"},
               {2, 2, "Function r=x\r\n"},
               {2, 3, "Function a=2x, r=x\r\n"},
               {3, 2, ""},
               {1, 1, ""}};
  for (const Case& c : cases) {
    curve.CoordType = c.coord;
    curve.FunForm = c.form;
    curve.ExpressY = "2x";
    curve.ExpressZ = "x";
    resultText_ = "left over";
    Draw(curve, step);
    EXPECT_EQ(resultText_, c.text) << c.coord << " " << c.form;
  }
}

TEST_F(GraphDrawTest, PlaneCurvesLeaveTheirExtentForTheBoxesOfThePlaneKinds) {
  int32_t step = 0;
  Cls9 curve;
  curve.GraphType = 0;
  curve.CoordType = 1;
  curve.FunForm = 2;  // y = 2x over [1, 3]
  curve.ExpressZ = "2x";
  curve.StepU = 2;
  curve.MinU = 1.0f;
  curve.MaxU = 3.0f;
  Draw(curve, step);
  EXPECT_EQ(planeCurveBox_.MinX, 1.0f);
  EXPECT_EQ(planeCurveBox_.MaxX, 3.0f);
  EXPECT_EQ(planeCurveBox_.MinY, 2.0f);
  EXPECT_EQ(planeCurveBox_.MaxY, 6.0f);
  EXPECT_EQ(planeCurveBox_.MaxZ, 0.0f);
  // The next drawing boxes the curve kind with it, the origin included.
  Draw(curve, step);
  EXPECT_EQ(curve.BoxMinY, 2.0f);  // drawing sets the curve's own extent again
  EXPECT_EQ(curve.GetBox(0, planeCurveBox_).MinY, 0.0f);
  EXPECT_EQ(curve.GetBox(0, planeCurveBox_).MaxY, 6.0f);

  // A text that does not compile and any other kind leave the box as it was.
  const Cls1 before = planeCurveBox_;
  curve.ExpressZ = "2*";
  Draw(curve, step);
  Cls9 surface = MakeSurface(1, 1, FlatGrid);
  Draw(surface, step);
  EXPECT_EQ(planeCurveBox_.MaxY, before.MaxY);
  EXPECT_EQ(planeCurveBox_.MinX, before.MinX);
}

TEST_F(GraphDrawTest, UnknownKindChangesOnlyColourMaterialAndMaterial) {
  Cls9 g;
  g.GraphType = 42;
  g.Material = 4;
  int32_t step = 0;
  glEnable(GL_LIGHTING);
  const auto all = DrawCaptured(g);
  EXPECT_TRUE(all.empty());
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  Draw(g, step);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GraphDrawTest, FaultInThePreparationEndsSilentlyBeforeAnyState) {
  Cls9 g = MakeSurface(1, 1, FlatGrid);
  g.StepU = 0;  // the cell size divides by it
  int32_t step = 0;
  resultText_ = "x";
  EXPECT_NO_THROW(Draw(g, step));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_EQ(resultText_, "");
  EXPECT_TRUE(DrawCaptured(g).empty());
}

TEST_F(GraphDrawTest, ErrorsOfTheRendererEndDrawSilently) {
  Cls9 g = MakeSurface(2, 2, FlatGrid);
  g.ShowContour = true;  // ContourLevel 0: the contour layer divides by zero
  int32_t step = 0;
  EXPECT_NO_THROW(Draw(g, step));
  // The surface before the layer was drawn.
  EXPECT_EQ(FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Polygon).size(), 8u);
}

TEST_F(GraphDrawTest, SurfaceWithLayersGetsAnExtentAndLayersThreeBelowIt) {
  OrthoView view(kWidth);
  State().SceneKind = 3;
  Cls9 g = MakeSurface(2, 2, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), 1.0f + k * j, static_cast<float>(j)};
  });
  g.ShowVector = true;
  const auto all = DrawCaptured(g);
  // Each call starts from the box GetBox leaves and adds 3.0 once: the surface's own minimum.
  EXPECT_FLOAT_EQ(g.BoxMinY, 1.0f);
  EXPECT_FLOAT_EQ(g.BoxMaxY, 5.0f);
  const auto lines = FeedbackCapture::OfKind(all, FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NEAR(view.Object(lines[0].vertices[0])[1], 1.0f - 3.0f, 2e-3);
  int32_t step = 0;
  Draw(g, step);
  EXPECT_FLOAT_EQ(g.BoxMinY, 1.0f);
}

TEST_F(GraphDrawTest, ColourMapWithALayerFlagHasItsMinimumRaisedByThree) {
  Cls9 g = MakeSurface(
      2, 2,
      [](int32_t k, int32_t j) {
        return Position{static_cast<float>(k), 2.0f + j, static_cast<float>(j)};
      },
      13);
  g.ShowColormap = true;
  int32_t step = 0;
  for (int n = 0; n < 2; ++n) {
    Draw(g, step);
    EXPECT_FLOAT_EQ(g.BoxMinY, 5.0f);  // GetBox's 2 plus 3, on every call
  }
}

TEST_F(GraphDrawTest, PlaneCurveDrawsSmoothLinesAndRecomputesItsExtent) {
  OrthoView view(kWidth);
  Cls9 g;
  g.GraphType = 0;
  g.CoordType = 1;
  g.FunForm = 2;
  g.ExpressZ = "x^2";
  g.StepU = 4;
  g.MinU = -2.0f;
  g.MaxU = 2.0f;
  g.LineWidth = 2;
  g.SecondColor = RGB(0, 255, 0);
  glEnable(GL_LIGHTING);
  const auto lines = FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 4u);
  const Position a = view.Object(lines[0].vertices[0]);
  EXPECT_NEAR(a[0], -2.0f, 2e-3);
  EXPECT_NEAR(a[1], 4.0f, 2e-3);
  EXPECT_NEAR(view.Object(lines[1].vertices[1])[1], 0.0f, 2e-3);
  EXPECT_NEAR(lines[0].vertices[0].color[1], 1.0f, 1e-3);
  EXPECT_FLOAT_EQ(g.BoxMinX, -2.0f);
  EXPECT_FLOAT_EQ(g.BoxMaxX, 2.0f);
  EXPECT_FLOAT_EQ(g.BoxMinY, 0.0f);
  EXPECT_FLOAT_EQ(g.BoxMaxY, 4.0f);
  EXPECT_FLOAT_EQ(g.BoxMaxZ, 0.0f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  // A syntax error ends the drawing without a message and without touching the state.
  g.ExpressZ = "x+*";
  EXPECT_TRUE(DrawCaptured(g).empty());
}

TEST_F(GraphDrawTest, ImplicitCurvePlotsPointsNearZero) {
  OrthoView view(kWidth);
  Cls9 g;
  g.GraphType = 9;
  g.CoordType = 1;
  g.FunForm = 1;
  // y enters as y i, so the real part of x^2 - y^2 - 1 is x^2 + y^2 - 1: the unit circle.
  g.ExpressZ = "x^2-y^2-1";
  g.MinU = g.MinV = -1.5f;
  g.MaxU = g.MaxV = 1.5f;
  const auto points = FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Point);
  ASSERT_GE(points.size(), 100u);
  for (const FeedbackPrimitive& p : points) {
    const Position at = view.Object(p.vertices[0]);
    EXPECT_LT(std::fabs(at[0] * at[0] + at[1] * at[1] - 1.0f), 0.025f + 0.015f);
  }
  EXPECT_NEAR(g.BoxMaxX, 1.0f, 0.03f);
  EXPECT_NEAR(g.BoxMinY, -1.0f, 0.03f);
  GLfloat size = 0.0f;
  glGetFloatv(GL_POINT_SIZE, &size);
  EXPECT_EQ(size, 1.0f);
}

TEST_F(GraphDrawTest, AnimatedPolylineSkipsUndefinedEnds) {
  OrthoView view(kWidth);
  Cls9 g;
  g.GraphType = 11;
  g.StepU = 3;
  g.ResizeAnim2D(3, 1);
  for (int32_t i = 0; i <= 3; ++i) {
    g.Anim2D(i, 1).x = static_cast<float>(i);
    g.Anim2D(i, 1).y = 1.0f;
  }
  g.Anim2D(2, 1).z = kUndefinedSample;  // drops segments 1-2 and 2-3
  const auto lines = FeedbackCapture::OfKind(DrawCaptured(g, 1), FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NEAR(view.Object(lines[0].vertices[1])[0], 1.0f, 2e-3);
  GLfloat width = 0.0f;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
}

TEST_F(GraphDrawTest, ParametricPolylineIsEvaluatedWhileDrawing) {
  OrthoView view(kWidth);
  Cls9 g;
  g.GraphType = 1;
  g.FunForm = 3;
  g.ExpressX = "x";
  g.ExpressY = "2*x";
  g.ExpressZ = "1/x";  // undefined at t = 0
  g.StepU = 2;
  g.MinU = -1.0f;
  g.MaxU = 1.0f;
  EXPECT_TRUE(FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Line).empty());
  g.ExpressZ = "3";
  const auto lines = FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 2u);
  const Position end = view.Object(lines[1].vertices[1]);
  EXPECT_NEAR(end[0], 1.0f, 2e-3);
  EXPECT_NEAR(end[1], 2.0f, 2e-3);
  EXPECT_NEAR(end[2], 3.0f, 2e-3);
}

TEST_F(GraphDrawTest, AnimatedMarkerIsDrawnUnlessUndefined) {
  Cls9 g;
  g.GraphType = 8;
  g.PointColor = RGB(0, 0, 255);
  g.ResizeAnim1D(2);
  g.Anim1D(1).x = 0.5f;
  State().SceneKind = 3;  // a sphere
  auto polygons = FeedbackCapture::OfKind(DrawCaptured(g, 1), FeedbackKind::Polygon);
  ASSERT_FALSE(polygons.empty());
  EXPECT_NEAR(polygons[0].vertices[0].color[2], 1.0f, 1e-3);
  g.Anim1D(1).y = kUndefinedSample;
  EXPECT_TRUE(DrawCaptured(g, 1).empty());
  // In the colour-map scene lighting is switched off for the marker and back on after.
  State().SceneKind = 7;
  g.Anim1D(1).y = 0.0f;
  glDisable(GL_LIGHTING);
  int32_t step = 1;
  Draw(g, step);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(GraphDrawTest, ContourPlotKindDrawsItsGridContours) {
  OrthoView view(kWidth);
  State().SceneKind = 7;
  Cls9 g = MakeSurface(
      2, 2,
      [](int32_t k, int32_t j) {
        return Position{static_cast<float>(k), static_cast<float>(k), static_cast<float>(j)};
      },
      14);
  g.ContourLevel = 4;
  g.FillStyle = 4;
  g.SecondColor = RGB(255, 0, 0);
  const auto lines = FeedbackCapture::OfKind(DrawCaptured(g), FeedbackKind::Line);
  ASSERT_FALSE(lines.empty());
  // Level 0.5 runs along scene Z at x = 0.5, in the plane of the minimum Y.
  const Position a = view.Object(lines[0].vertices[0]);
  EXPECT_NEAR(a[0], 0.5f, 2e-3);
  EXPECT_NEAR(a[2], 0.0f, 2e-3);
  EXPECT_NEAR(lines[0].vertices[0].color[0], 1.0f, 1e-3);
}

TEST_F(GraphDrawTest, VectorPlotKindOnlySetsLineStateAndColour) {
  Cls9 g;
  g.GraphType = 15;
  g.SecondColor = RGB(0, 51, 0);
  int32_t step = 0;
  Draw(g, step);
  EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GLfloat color[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_NEAR(color[1], 0.2f, 1e-6);
}

}  // namespace
}  // namespace quillon
