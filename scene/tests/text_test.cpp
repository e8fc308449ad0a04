// The fonts' display lists and the text routines: glyph size, extrusion and advance of the
// outline fonts, placement and colour of 3D text, bitmap text and the code conversion.

#include "scene/text.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <limits>

#include "common/message_sink.h"
#include "render/feedback_capture.h"
#include "render/tests/gl_fixture.h"

namespace quillon {
namespace {

struct Bounds {
  float minX = std::numeric_limits<float>::max(), maxX = -std::numeric_limits<float>::max();
  float minY = std::numeric_limits<float>::max(), maxY = -std::numeric_limits<float>::max();
  std::vector<float> depths;
  size_t polygons = 0;
};

// The unit square window of the fixture shows x in 0..4 and y in -1..3: 16 pixels a unit.
constexpr float kPixelsPerUnit = 16.0f;

Bounds PolygonBounds(const std::vector<FeedbackPrimitive>& prims) {
  Bounds b;
  for (const auto& p : FeedbackCapture::OfKind(prims, FeedbackKind::Polygon)) {
    ++b.polygons;
    for (const auto& v : p.vertices) {
      b.minX = std::min(b.minX, v.x / kPixelsPerUnit);
      b.maxX = std::max(b.maxX, v.x / kPixelsPerUnit);
      b.minY = std::min(b.minY, v.y / kPixelsPerUnit - 1.0f);
      b.maxY = std::max(b.maxY, v.y / kPixelsPerUnit - 1.0f);
      if (std::none_of(b.depths.begin(), b.depths.end(), [&](float d) { return std::abs(d - v.z) < 1e-4f; }))
        b.depths.push_back(v.z);
    }
  }
  std::sort(b.depths.begin(), b.depths.end());
  return b;
}

class TextTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 4, -1, 3, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    CreateOutlineFont(font_, "Arial", -6, 400, false, 0);
    ASSERT_NE(font_, 0u);
  }
  void TearDown() override {
    DeleteFont(font_);
    GlTest::TearDown();
  }
  void CallGlyphs(const std::string& text) {
    glListBase(font_);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  }
  uint32_t font_ = 0;
};

TEST_F(TextTest, OutlineGlyphsAreAboutOneEmTallWithTheExtrusionBehind) {
  FeedbackCapture capture;
  const Bounds h = PolygonBounds(capture.Capture([&] { CallGlyphs("H"); }));
  ASSERT_GT(h.polygons, 4u);
  // The capital's height of the sans faces is close to 0.7 em; its foot sits on the baseline.
  EXPECT_NEAR(h.maxY - h.minY, 0.7f, 0.06f);
  EXPECT_NEAR(h.minY, 0.0f, 0.02f);
  // Front cap at z = 0 and back cap 0.1 behind it (window depth 0.5 and 0.55 here).
  ASSERT_EQ(h.depths.size(), 2u);
  EXPECT_NEAR(h.depths[0], 0.5f, 1e-4f);
  EXPECT_NEAR(h.depths[1], 0.55f, 1e-4f);
}

TEST_F(TextTest, EachGlyphListAdvancesToTheNextGlyph) {
  CallGlyphs("HH");
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_NEAR(m[12], 2 * 0.722f, 0.05f);
  glLoadIdentity();
  CallGlyphs("\n\t");  // control codes neither draw nor move
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 0.0f);
  FeedbackCapture capture;
  EXPECT_EQ(PolygonBounds(capture.Capture([&] { CallGlyphs(" \n"); })).polygons, 0u);
}

TEST_F(TextTest, BoldFontHasWiderGlyphs) {
  uint32_t bold = 0;
  CreateOutlineFont(bold, "Arial", -8, 700, false, 0);
  ASSERT_NE(bold, 0u);
  GLfloat normal[16], wide[16];
  CallGlyphs("m");
  glGetFloatv(GL_MODELVIEW_MATRIX, normal);
  glLoadIdentity();
  glListBase(bold);
  glCallLists(1, GL_UNSIGNED_BYTE, "m");
  glGetFloatv(GL_MODELVIEW_MATRIX, wide);
  EXPECT_GT(wide[12], normal[12] + 0.02f);
  DeleteFont(bold);
}

TEST_F(TextTest, Text3DIsPlacedScaledRotatedAndColoured) {
  FeedbackCapture capture;
  const auto prims = capture.Capture([&] {
    DrawText3D(font_, "HH", 1.0f, 0.5f, 0.0f, {0, 0, 0, 1}, 0xFF0000);
  });
  const Bounds b = PolygonBounds(prims);
  EXPECT_NEAR(b.minY, 0.5f, 0.02f);
  EXPECT_NEAR(b.maxY - b.minY, 0.8f * 0.7f, 0.05f);
  EXPECT_NEAR(b.minX, 1.0f + 0.8f * 0.08f, 0.05f);  // the H's left side bearing
  for (const auto& p : FeedbackCapture::OfKind(prims, FeedbackKind::Polygon)) {
    EXPECT_EQ(p.vertices[0].color[0], 0.0f);
    EXPECT_EQ(p.vertices[0].color[2], 1.0f);
  }
  // The matrix is restored.
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 0.0f);

  // Turned -90 degrees about z the text runs downwards from its start.
  const Bounds down = PolygonBounds(capture.Capture([&] {
    DrawText3D(font_, "HH", 1.0f, 2.5f, 0.0f, {-90, 0, 0, 1});
  }));
  EXPECT_LT(down.maxY, 2.5f);
  EXPECT_NEAR(down.maxY - down.minY, 0.8f * (0.722f + 0.722f - 0.08f - 0.08f), 0.1f);
  EXPECT_NEAR(down.minX, 1.0f, 0.02f);  // letters lie on their right side
}

// 3D text draws its glyphs from their triangles in one pair and leaves out the faces turned
// away: a glyph is a closed solid, so from every side the picture must be the one the glyph
// lists draw with all faces (depth-tested, one colour).
TEST_F(TextTest, Text3DDrawsWhatTheGlyphListsDrawFromEverySide) {
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.5, 2.5, -1.5, 1.5, -3, 3);
  glMatrixMode(GL_MODELVIEW);
  const std::string text = "Ag8%";
  const std::array<float, 4> turns[] = {
      {0, 0, 1, 0}, {60, 0, 1, 0}, {180, 0, 1, 0}, {-50, 1, 0.3f, 0}, {75, 1, 0, 0}};
  for (const auto& turn : turns) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0.2f, 0.4f, 0.6f);
    glLoadIdentity();
    glTranslatef(0.2f, -0.3f, 0.0f);
    glScalef(0.8f, 0.8f, 0.8f);
    glRotatef(turn[0], turn[1], turn[2], turn[3]);
    CallGlyphs(text);
    const QImage lists = Context().ReadImage();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    DrawText3D(font_, text, 0.2f, -0.3f, 0.0f, turn);
    const QImage drawn = Context().ReadImage();
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) inked += drawn.pixel(x, y) != 0xFFFFFFFFu;
    EXPECT_GT(inked, 40) << turn[0];
    int differ = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) differ += drawn.pixel(x, y) != lists.pixel(x, y);
    EXPECT_EQ(differ, 0) << "turned " << turn[0] << " degrees";
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  }
}

TEST_F(TextTest, CodesAboveTheFontDrawNothingEvenWhereOtherListsFollow) {
  // Lists right after the font: with the base added, code 200 would land on one of them.
  const GLuint next = glGenLists(256);
  ASSERT_GE(next, font_ + 128);
  for (GLuint l = next; l < next + 256; ++l) {
    glNewList(l, GL_COMPILE);
    glBegin(GL_POINTS);
    glVertex2f(1, 1);
    glEnd();
    glEndList();
  }
  FeedbackCapture capture;
  const auto prims = capture.Capture([&] {
    DrawText3D(font_, "\xc3\xa9\xc3\xbf\xc2\xa0", 1, 1, 0, {0, 0, 0, 1});
  });
  EXPECT_TRUE(prims.empty());
  glDeleteLists(next, 256);
}

TEST(TextCodesTest, LatinCodesThenZero) {
  EXPECT_EQ(TextToCodes("A1"), (std::vector<uint8_t>{65, 49, 0}));
  EXPECT_EQ(TextToCodes(""), (std::vector<uint8_t>{0}));
  EXPECT_EQ(TextToCodes("\xc3\xa9"), (std::vector<uint8_t>{233, 0}));      // e acute
  EXPECT_EQ(TextToCodes("\xe2\x82\xac"), (std::vector<uint8_t>{'?', 0}));  // euro sign
  EXPECT_EQ(ResolveFaceName("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFaceName("Verdana"), "DejaVu Sans");
}

class BitmapTextTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ASSERT_TRUE(CreateSceneFonts());
  }
  void TearDown() override {
    DeleteSceneFonts();
    GlTest::TearDown();
  }
  static std::array<float, 4> RasterPosition() {
    std::array<float, 4> p{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, p.data());
    return p;
  }
};

TEST_F(BitmapTextTest, SceneFontsAreThreeSetsOf128Lists) {
  const SceneFonts f = Fonts();
  for (uint32_t base : {f.LabelFont, f.TitleFont, f.BitmapFont}) {
    ASSERT_NE(base, 0u);
    EXPECT_TRUE(glIsList(base));
    EXPECT_TRUE(glIsList(base + 127));
  }
  EXPECT_NE(f.LabelFont, f.TitleFont);
  EXPECT_NE(f.TitleFont, f.BitmapFont);
  const uint32_t label = f.LabelFont;
  DeleteSceneFonts();
  EXPECT_FALSE(glIsList(label));
  EXPECT_EQ(Fonts().LabelFont, 0u);
}

TEST_F(BitmapTextTest, EmptyTextOnlySetsColourAndPosition) {
  SetColor(255);
  DrawText2D(0.0f, 0.0f, 0.0f, "");
  const auto p = RasterPosition();
  EXPECT_FLOAT_EQ(p[0], WindowX(0));
  EXPECT_FLOAT_EQ(p[1], WindowY(0));
  std::array<float, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_EQ(colour, (std::array<float, 4>{0, 0, 0, 1}));
}

TEST_F(BitmapTextTest, BitmapTextAdvancesAndPaintsBlackPixels) {
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawText2D(0.0f, -0.9f, 0.0f, "WW");
  const auto after = RasterPosition();
  // Two 12-pixel capitals W advance about 2 x 12 x 0.99 pixels.
  EXPECT_NEAR(after[0] - WindowX(-0.9f), 24.0f, 3.0f);
  const QImage image = Context().ReadImage();
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qRed(image.pixel(x, y)) < 100 ? 1 : 0;
  EXPECT_GT(dark, 20);
  // Nothing above the glyphs' height: the text stands on the raster position.
  for (int y = 0; y < kHeight / 2 - 13; ++y)
    for (int x = 0; x < image.width(); ++x) ASSERT_GT(qRed(image.pixel(x, y)), 200) << x << "," << y;
}

TEST(SetColorTest, SplitsRedGreenBlue) {
  OffscreenContext context(8, 8);
  SetColor(255);
  std::array<float, 4> c{};
  glGetFloatv(GL_CURRENT_COLOR, c.data());
  EXPECT_EQ(c, (std::array<float, 4>{1, 0, 0, 1}));
  SetColor(255 * 65536);
  glGetFloatv(GL_CURRENT_COLOR, c.data());
  EXPECT_EQ(c, (std::array<float, 4>{0, 0, 1, 1}));
  SetColor(0x008000);
  glGetFloatv(GL_CURRENT_COLOR, c.data());
  EXPECT_NEAR(c[1], 128.0f / 255.0f, 1e-6f);
}

}  // namespace
}  // namespace quillon
