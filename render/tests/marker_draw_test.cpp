// Point markers through feedback: the six plane symbols' geometry and colours, the sphere of
// the other scene kinds, and the state each leaves behind.

#include "render/marker_draw.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "common/color.h"
#include "common/program_state.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"

namespace quillon {
namespace {

using testing::GlTest;

class MarkerTest : public GlTest {
 protected:
  std::vector<FeedbackPrimitive> DrawCaptured(const Cls2& m) {
    FeedbackCapture capture;
    return capture.Capture([&] { Draw(m); });
  }

  static Cls2 Marker(int32_t symbol, float size = 2.0f) {
    Cls2 m = Cls2().Init(0.2f, -0.1f, 0.0f);
    m.Symbol = symbol;
    m.Size = size;
    m.Color = RGB(255, 0, 51);
    return m;
  }

  // Object (x, y) in window pixels (identity matrices).
  static void ExpectAt(const FeedbackVertex& v, float x, float y) {
    EXPECT_NEAR(v.x, WindowX(x), 1e-3f);
    EXPECT_NEAR(v.y, WindowY(y), 1e-3f);
  }

  static void ExpectColor(const FeedbackVertex& v, float r, float g, float b) {
    EXPECT_NEAR(v.color[0], r, 1e-6f);
    EXPECT_NEAR(v.color[1], g, 1e-6f);
    EXPECT_NEAR(v.color[2], b, 1e-6f);
  }

  // Every expected corner appears among the vertices and no other vertex does (Mesa splits a
  // quad into triangles starting wherever it likes).
  static void ExpectCorners(const std::vector<FeedbackPrimitive>& prims,
                            const std::vector<std::pair<float, float>>& corners) {
    for (const auto& p : prims)
      for (const auto& v : p.vertices) {
        bool known = false;
        for (const auto& [x, y] : corners)
          known = known || (std::fabs(v.x - WindowX(x)) < 1e-3f && std::fabs(v.y - WindowY(y)) < 1e-3f);
        EXPECT_TRUE(known) << v.x << "," << v.y;
      }
    for (const auto& [x, y] : corners) {
      bool seen = false;
      for (const auto& p : prims)
        for (const auto& v : p.vertices)
          seen = seen || (std::fabs(v.x - WindowX(x)) < 1e-3f && std::fabs(v.y - WindowY(y)) < 1e-3f);
      EXPECT_TRUE(seen) << x << "," << y;
    }
  }

  // Largest distance in pixels of any vertex from the window position of (x, y).
  static float MaxDistance(const std::vector<FeedbackPrimitive>& prims, float x, float y) {
    float d = 0;
    for (const auto& p : prims)
      for (const auto& v : p.vertices) d = std::max(d, std::hypot(v.x - WindowX(x), v.y - WindowY(y)));
    return d;
  }

  void SetUp() override {
    GlTest::SetUp();
    State().SceneKind = 1;
  }
};

TEST_F(MarkerTest, FilledDiscIsTwentyTrianglesAroundThePoint) {
  const Cls2 m = Marker(1);
  const auto prims = DrawCaptured(m);
  ASSERT_EQ(prims.size(), 20u);
  const float r = 0.05f * 2.0f + 0.05f;
  for (size_t i = 0; i < prims.size(); ++i) {
    ASSERT_EQ(prims[i].kind, FeedbackKind::Polygon);
    ASSERT_EQ(prims[i].vertices.size(), 3u);
    const float a0 = static_cast<float>(i) * 0.31416f;
    const float a1 = static_cast<float>(i + 1) * 0.31416f;
    ExpectAt(prims[i].vertices[0], m.x + r * std::cos(a0), m.y + r * std::sin(a0));
    ExpectAt(prims[i].vertices[1], m.x + r * std::cos(a1), m.y + r * std::sin(a1));
    ExpectAt(prims[i].vertices[2], m.x, m.y);
    ExpectColor(prims[i].vertices[0], 1.0f, 0.0f, 0.2f);
  }
  // The twentieth rim point closes the circle (0.31416 x 20 is a full turn to 1e-5).
  EXPECT_NEAR(prims[19].vertices[1].x, prims[0].vertices[0].x, 1e-3f);
  EXPECT_NEAR(prims[19].vertices[1].y, prims[0].vertices[0].y, 1e-3f);
}

TEST_F(MarkerTest, HollowCircleIsWhiteDiscWithColouredRim) {
  glLineWidth(4.0f);
  const Cls2 m = Marker(2);
  const auto prims = DrawCaptured(m);
  const auto tris = FeedbackCapture::OfKind(prims, FeedbackKind::Polygon);
  const auto lines = FeedbackCapture::OfKind(prims, FeedbackKind::Line);
  ASSERT_EQ(tris.size(), 20u);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(prims.front().kind, FeedbackKind::Polygon);  // disc first, rim on top
  const float r = 0.04f * 2.0f + 0.05f;
  for (const auto& t : tris) ExpectColor(t.vertices[0], 1, 1, 1);
  for (size_t i = 0; i < lines.size(); ++i) {
    ExpectColor(lines[i].vertices[0], 1.0f, 0.0f, 0.2f);
    const float a = static_cast<float>(i) * 0.31416f;
    ExpectAt(lines[i].vertices[0], m.x + r * std::cos(a), m.y + r * std::sin(a));
  }
  EXPECT_NEAR(MaxDistance(prims, m.x, m.y), r * 32.0f, 1e-3f);
  float width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
}

TEST_F(MarkerTest, SquareTriangleDiamondCorners) {
  {
    const Cls2 m = Marker(3);
    const float h = 0.05f * 2.0f;
    const auto prims = DrawCaptured(m);
    ASSERT_EQ(prims.size(), 2u);  // one quad, reported as two triangles
    ExpectCorners(prims, {{m.x - h, m.y + h}, {m.x - h, m.y - h}, {m.x + h, m.y - h}, {m.x + h, m.y + h}});
  }
  {
    const Cls2 m = Marker(4);
    const float d = 0.075f * 2.0f;
    const auto prims = DrawCaptured(m);
    ASSERT_EQ(prims.size(), 1u);
    ASSERT_EQ(prims[0].vertices.size(), 3u);
    ExpectAt(prims[0].vertices[0], m.x, m.y + d);
    ExpectAt(prims[0].vertices[1], m.x - d, m.y - d);
    ExpectAt(prims[0].vertices[2], m.x + d, m.y - d);
  }
  {
    const Cls2 m = Marker(5);
    const float d = 0.075f * 2.0f;
    const auto prims = DrawCaptured(m);
    ASSERT_EQ(prims.size(), 2u);
    ExpectCorners(prims, {{m.x, m.y + d}, {m.x - d, m.y}, {m.x, m.y - d}, {m.x + d, m.y}});
    EXPECT_NEAR(MaxDistance(prims, m.x, m.y), d * 32.0f, 1e-3f);
  }
}

TEST_F(MarkerTest, PlusIsTwoLinesAndKeepsSizeAsLineWidth) {
  const Cls2 m = Marker(6, 3.0f);
  const float d = 0.075f * 3.0f;
  const auto prims = DrawCaptured(m);
  ASSERT_EQ(prims.size(), 2u);
  ASSERT_EQ(prims[0].kind, FeedbackKind::Line);
  ExpectAt(prims[0].vertices[0], m.x, m.y + d);
  ExpectAt(prims[0].vertices[1], m.x, m.y - d);
  ExpectAt(prims[1].vertices[0], m.x - d, m.y);
  ExpectAt(prims[1].vertices[1], m.x + d, m.y);
  float width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 3.0f);
}

TEST_F(MarkerTest, PlaneSymbolsLieInZeroPlaneAndOtherSymbolsDrawNothing) {
  // The symbols are drawn in z = 0 whatever the marker's z; only the disc centre uses z.
  Cls2 m = Marker(3);
  m.z = 0.5f;
  for (const auto& p : DrawCaptured(m))
    for (const auto& v : p.vertices) EXPECT_FLOAT_EQ(v.z, 0.5f);  // window depth of z = 0
  for (int32_t symbol : {0, 7, -1}) EXPECT_TRUE(DrawCaptured(Marker(symbol)).empty()) << symbol;
}

TEST_F(MarkerTest, SphereInOtherSceneKindsWithDefaultSize) {
  for (int32_t kind : {0, 3, 7}) {
    SCOPED_TRACE(kind);
    State().SceneKind = kind;
    Cls2 m = Cls2().Init(0.3f, 0.2f, 0.0f);  // Symbol 0, Size 0.15 -> radius 0.0575
    m.Color = RGB(0, 255, 0);
    m.Size = 10.0f;  // radius 0.55: big enough to measure in a 64-pixel window
    const auto prims = DrawCaptured(m);
    // 32 slices x 32 stacks: two fans of 32 and 30 bands of 32 quads.
    EXPECT_EQ(prims.size(), 32u * 2u + 30u * 32u * 2u);
    EXPECT_NEAR(MaxDistance(prims, m.x, m.y), MarkerRadius(10.0f) * 32.0f, 0.05f);
    ExpectColor(prims[0].vertices[0], 0, 1, 0);
  }
  EXPECT_FLOAT_EQ(MarkerRadius(0.15f), 0.0575f);
}

TEST_F(MarkerTest, MatrixIsRestoredAfterDrawing) {
  State().SceneKind = 3;
  Cls2 m = Cls2().Init(0.5f, 0.5f, 0.5f);
  Draw(m);
  float mv[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(mv[i], (i % 5 == 0) ? 1.0f : 0.0f);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace quillon
