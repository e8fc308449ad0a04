// The headless context renders, resizes and reads back; feedback capture reports geometry.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "render/feedback_capture.h"
#include "render/offscreen_context.h"
#include "render/tests/gl_fixture.h"

namespace quillon {
namespace {

using testing::GlTest;

class OffscreenTest : public GlTest {};

TEST_F(OffscreenTest, ClearAndQuadReadBackTopDown) {
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // A red quad over the upper half of the window (GL y up).
  glColor3f(1.0f, 0.0f, 0.0f);
  glBegin(GL_QUADS);
  glVertex2f(-1.0f, 0.0f);
  glVertex2f(1.0f, 0.0f);
  glVertex2f(1.0f, 1.0f);
  glVertex2f(-1.0f, 1.0f);
  glEnd();
  const QImage image = Context().ReadImage();
  ASSERT_EQ(image.width(), kWidth);
  ASSERT_EQ(image.height(), kHeight);
  // Image rows run top-down, so the quad is in the first rows.
  EXPECT_EQ(image.pixelColor(10, 5), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(50, kHeight / 2 - 2), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(10, kHeight - 5), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(50, kHeight / 2 + 2), QColor(0, 0, 255));
}

TEST_F(OffscreenTest, DepthBufferWorks) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  // Near green quad first, then a farther red one: the green must stay.
  glColor3f(0, 1, 0);
  glRectf(-1, -1, 1, 1);  // z = 0
  glColor3f(1, 0, 0);
  glBegin(GL_QUADS);
  glVertex3f(-1, -1, 0.5f);
  glVertex3f(1, -1, 0.5f);
  glVertex3f(1, 1, 0.5f);
  glVertex3f(-1, 1, 0.5f);
  glEnd();
  EXPECT_EQ(Context().ReadImage().pixelColor(32, 32), QColor(0, 255, 0));
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
}

TEST_F(OffscreenTest, ResizeChangesImageSize) {
  ASSERT_TRUE(Context().Resize(30, 20)) << Context().Error();
  glViewport(0, 0, 30, 20);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  const QImage image = Context().ReadImage();
  EXPECT_EQ(image.size(), QSize(30, 20));
  EXPECT_EQ(image.pixelColor(29, 19), QColor(255, 255, 255));
  EXPECT_FALSE(Context().Resize(0, 5));
}

TEST(OffscreenContextTest, InvalidSizeIsAClearError) {
  OffscreenContext ctx;
  EXPECT_FALSE(ctx.Create(0, 10));
  EXPECT_FALSE(ctx.IsValid());
  EXPECT_FALSE(ctx.Error().empty());
  EXPECT_TRUE(ctx.ReadImage().isNull());
  EXPECT_THROW(OffscreenContext(-1, 4), std::runtime_error);
}

TEST(OffscreenContextTest, TwoContextsKeepTheirOwnPictures) {
  OffscreenContext a(8, 8);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  OffscreenContext b(8, 8);
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(a.ReadImage().pixelColor(3, 3), QColor(255, 0, 0));
  EXPECT_EQ(b.ReadImage().pixelColor(3, 3), QColor(0, 255, 0));
}

class FeedbackTest : public GlTest {};

TEST_F(FeedbackTest, TriangleWithColoursAndWindowCoordinates) {
  FeedbackCapture capture;
  const auto prims = capture.Capture([] {
    glBegin(GL_TRIANGLES);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glColor4f(0.0f, 1.0f, 0.0f, 0.5f);
    glVertex3f(0.5f, -0.5f, 0.0f);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    glVertex3f(0.0f, 0.5f, 0.0f);
    glEnd();
  });
  ASSERT_EQ(prims.size(), 1u);
  ASSERT_EQ(prims[0].kind, FeedbackKind::Polygon);
  ASSERT_EQ(prims[0].vertices.size(), 3u);
  const auto& v = prims[0].vertices;
  EXPECT_FLOAT_EQ(v[0].x, WindowX(-0.5f));
  EXPECT_FLOAT_EQ(v[0].y, WindowY(-0.5f));
  EXPECT_FLOAT_EQ(v[0].z, 0.5f);
  EXPECT_FLOAT_EQ(v[1].x, WindowX(0.5f));
  EXPECT_FLOAT_EQ(v[2].y, WindowY(0.5f));
  EXPECT_FLOAT_EQ(v[0].color[0], 1.0f);
  EXPECT_FLOAT_EQ(v[1].color[1], 1.0f);
  EXPECT_FLOAT_EQ(v[1].color[3], 0.5f);
  EXPECT_FLOAT_EQ(v[2].color[2], 1.0f);
}

TEST_F(FeedbackTest, QuadBecomesTwoTrianglesAndLinesAndPointsAreKept) {
  GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glVertex2f(-0.5f, -0.5f);
  glVertex2f(0.5f, -0.5f);
  glVertex2f(0.5f, 0.5f);
  glVertex2f(-0.5f, 0.5f);
  glEnd();
  glColor3f(0, 1, 0);  // see FeedbackCapture::CaptureList: mixed kinds need a command between them
  glBegin(GL_LINES);
  glVertex2f(0, 0);
  glVertex2f(0.5f, 0);
  glEnd();
  glColor3f(0, 0, 1);
  glBegin(GL_POINTS);
  glVertex2f(0.25f, 0.25f);
  glEnd();
  glPassThrough(7.0f);
  glEndList();
  FeedbackCapture capture;
  const auto prims = capture.CaptureList(list);
  glDeleteLists(list, 1);
  const auto polys = FeedbackCapture::OfKind(prims, FeedbackKind::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  for (const auto& p : polys) EXPECT_EQ(p.vertices.size(), 3u);
  const auto lines = FeedbackCapture::OfKind(prims, FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_FLOAT_EQ(lines[0].vertices[1].x, WindowX(0.5f));
  EXPECT_FLOAT_EQ(lines[0].vertices[0].color[1], 1.0f);
  const auto points = FeedbackCapture::OfKind(prims, FeedbackKind::Point);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_FLOAT_EQ(points[0].vertices[0].y, WindowY(0.25f));
  EXPECT_FLOAT_EQ(points[0].vertices[0].color[2], 1.0f);
  ASSERT_EQ(prims.back().kind, FeedbackKind::PassThrough);
  EXPECT_FLOAT_EQ(prims.back().token, 7.0f);
  // Feedback mode drew nothing into the frame buffer and left render mode restored.
  GLint mode = 0;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  EXPECT_EQ(mode, GL_RENDER);
}

TEST_F(FeedbackTest, GrowsBufferWhenOverflowing) {
  FeedbackCapture capture(16);  // too small for even one triangle with colours
  const auto prims = capture.Capture([] {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 300; ++i) {
      const float x = -1.0f + i / 150.0f;
      glVertex2f(x, 0.0f);
      glVertex2f(x + 0.005f, 0.0f);
      glVertex2f(x, 0.1f);
    }
    glEnd();
  });
  EXPECT_EQ(prims.size(), 300u);
  EXPECT_GE(capture.BufferFloats(), 300 * (2 + 3 * 7));
}

TEST_F(FeedbackTest, ExceptionFromDrawingRestoresRenderMode) {
  FeedbackCapture capture;
  EXPECT_THROW(capture.Capture([] {
    glBegin(GL_POINTS);
    glVertex2f(0, 0);
    glEnd();
    throw std::runtime_error("drawing failed");
  }),
               std::runtime_error);
  GLint mode = 0;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  EXPECT_EQ(mode, GL_RENDER);
}

TEST(FeedbackParseTest, TruncatedOrUnknownDataStopsCleanly) {
  // A polygon announcing 3 vertices but holding only one, then garbage.
  const float data[] = {static_cast<float>(GL_POLYGON_TOKEN), 3, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_TRUE(ParseFeedback3DColor(data, 10).empty());
  const float unknown[] = {12345.0f, 1, 2};
  EXPECT_TRUE(ParseFeedback3DColor(unknown, 3).empty());
  const float point[] = {static_cast<float>(GL_POINT_TOKEN), 1, 2, 3, 0.1f, 0.2f, 0.3f, 0.4f};
  const auto p = ParseFeedback3DColor(point, 8);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_FLOAT_EQ(p[0].vertices[0].color[3], 0.4f);
}

}  // namespace
}  // namespace quillon
