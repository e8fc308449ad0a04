// The surface renderer in a real headless context: state read back, geometry and colours
// through feedback mode.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"
#include "graph/point.h"
#include "render/feedback_capture.h"
#include "render/surface.h"
#include "render/tests/gl_fixture.h"
#include "render/tests/surface_test_support.h"

namespace quillon {
namespace {

using testing::FlatGrid;
using testing::MakeSurface;
using testing::OrthoView;
using testing::Position;
using testing::VerticesOf;

class SurfaceRenderTest : public testing::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glViewport(0, 0, kWidth, kHeight);
    OrthoView{kWidth};  // every test sees -10..10, so nothing it draws is clipped
  }

  std::vector<FeedbackPrimitive> Render(Cls9& g, int32_t step = 0) {
    return FeedbackCapture().Capture([&] { RenderSurface(g, step); });
  }

  static void ExpectAt(const OrthoView& view, const FeedbackVertex& v, float x, float y, float z) {
    const Position p = view.Object(v);
    EXPECT_NEAR(p[0], x, 2e-3);
    EXPECT_NEAR(p[1], y, 2e-3);
    EXPECT_NEAR(p[2], z, 2e-3);
  }

  // A triangle's corners in object space, turned so that the corner nearest `first` comes
  // first: GL may report a triangle starting at any corner, but keeps its winding.
  static std::array<Position, 3> CornersFrom(const OrthoView& view, const FeedbackPrimitive& t,
                                             const Position& first) {
    std::array<Position, 3> c{};
    size_t start = 0;
    float best = 1e30f;
    for (size_t i = 0; i < 3 && i < t.vertices.size(); ++i) {
      c[i] = view.Object(t.vertices[i]);
      const float d =
          std::fabs(c[i][0] - first[0]) + std::fabs(c[i][1] - first[1]) + std::fabs(c[i][2] - first[2]);
      if (d < best) best = d, start = i;
    }
    std::rotate(c.begin(), c.begin() + static_cast<ptrdiff_t>(start), c.end());
    return c;
  }

  static void ExpectCorners(const std::array<Position, 3>& c, const std::array<Position, 3>& expected) {
    for (size_t i = 0; i < 3; ++i)
      for (size_t a = 0; a < 3; ++a) EXPECT_NEAR(c[i][a], expected[i][a], 2e-3) << "corner " << i;
  }
};

GLint Integer(GLenum name) {
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(name, v);
  return v[0];
}

TEST_F(SurfaceRenderTest, ModelAndSmoothnessSetPolygonModeAndShading) {
  Cls9 g = MakeSurface(1, 1, FlatGrid);
  int32_t step = 0;
  const struct {
    int32_t show;
    GLint mode;
  } models[] = {{1, GL_POINT}, {2, GL_LINE}, {3, GL_FILL}};
  for (const auto& m : models) {
    g.Show = m.show;
    RenderSurface(g, step);
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], m.mode);
    EXPECT_EQ(modes[1], m.mode);
  }
  g.Show = 7;  // unknown model: the mode stays
  RenderSurface(g, step);
  EXPECT_EQ(Integer(GL_POLYGON_MODE), GL_FILL);

  g.Smoothness = 1;
  RenderSurface(g, step);
  EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_FLAT);
  g.Smoothness = 2;
  RenderSurface(g, step);
  EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);
  g.Smoothness = 1;
  RenderSurface(g, step);
  g.Smoothness = 3;
  RenderSurface(g, step);
  EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SurfaceRenderTest, SurfaceQuadsCarryCornersAndVertexColours) {
  OrthoView view(kWidth);
  // One cell: x = k, z = j, y = 2k + j; red follows X (0..1), green Y (0..3), blue Z (0..1).
  Cls9 g = MakeSurface(1, 1, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), static_cast<float>(2 * k + j), static_cast<float>(j)};
  });
  g.ColorR = 1;
  g.ColorG = 2;
  g.ColorB = 1;
  g.ColorTableB = g.SceneZ;  // blue reads Z against the X span 0..1
  const auto polygons = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  ASSERT_EQ(polygons.size(), 2u);  // one quad, reported as two triangles
  // Corners P0 (0,0), P1 (1,0), P2 (1,1), P3 (0,1); the cell is the triangles P0 P1 P3 and
  // P1 P2 P3, as GL splits the quad P0 P1 P2 P3.
  const auto& t = polygons[0].vertices;
  ASSERT_EQ(t.size(), 3u);
  ASSERT_EQ(polygons[1].vertices.size(), 3u);
  ExpectAt(view, t[0], 0, 0, 0);
  ExpectAt(view, t[1], 1, 2, 0);
  ExpectAt(view, t[2], 0, 1, 1);
  ExpectCorners(CornersFrom(view, polygons[1], {1, 2, 0}), {{{1, 2, 0}, {1, 3, 1}, {0, 1, 1}}});
  const FeedbackVertex& p2 = *std::find_if(polygons[1].vertices.begin(), polygons[1].vertices.end(),
                                           [&](const FeedbackVertex& v) { return view.Object(v)[1] > 2.5f; });
  // Colours of P1 = (1, 2/3, 0) and P2 = (1, 1, 1).
  EXPECT_NEAR(t[1].color[0], 1.0, 1e-3);
  EXPECT_NEAR(t[1].color[1], 2.0 / 3.0, 1e-3);
  EXPECT_NEAR(t[1].color[2], 0.0, 1e-3);
  EXPECT_NEAR(p2.color[1], 1.0, 1e-3);
  EXPECT_NEAR(p2.color[2], 1.0, 1e-3);
  // The normals are working tables: the graph does not keep them once it is drawn.
  EXPECT_TRUE(g.CellNormal[0].Empty());
  EXPECT_TRUE(g.VertexNormal[1].Empty());
}

TEST_F(SurfaceRenderTest, ColourMapLiesFlatAtZeroWithItsOwnCornerOrder) {
  OrthoView view(kWidth);
  // Scene Y holds the magnitude, scene Z the second parameter; the map draws (X, Z, 0).
  Cls9 g = MakeSurface(
      1, 1,
      [](int32_t k, int32_t j) {
        return Position{static_cast<float>(2 * k), static_cast<float>(5 + k + j), static_cast<float>(3 * j)};
      },
      13);
  g.ColorR = 1;  // X 0..2
  g.ColorG = 0;  // no quantity: the table stays 0 and the span 0 gives 0, not a division fault
  g.ColorTableG.Resize(1, 1);
  g.ColorB = 2;  // Y 5..7
  g.ColorTableB = g.SceneY;
  glEnable(GL_LIGHTING);
  const auto all = Render(g);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  const auto polygons = FeedbackCapture::OfKind(all, FeedbackKind::Polygon);
  ASSERT_EQ(polygons.size(), 2u);
  // Corners P0, P3, P2, P1: (0,0), (0,3), (2,3), (2,0) in the plane z = 0; split as P0 P3 P1, P3 P2 P1.
  const auto& t = polygons[0].vertices;
  ExpectAt(view, t[0], 0, 0, 0);
  ExpectAt(view, t[1], 0, 3, 0);
  ExpectAt(view, t[2], 2, 0, 0);
  const FeedbackVertex& p2 = polygons[1].vertices[1];
  ExpectAt(view, p2, 2, 3, 0);
  // Unlit: the colours are the vertex colours. P2 = (k 1, j 1): red 1, green 0, blue (7-5)/2.
  EXPECT_NEAR(p2.color[0], 1.0, 1e-3);
  EXPECT_NEAR(p2.color[1], 0.0, 1e-3);
  EXPECT_NEAR(p2.color[2], 1.0, 1e-3);
  EXPECT_NEAR(t[1].color[2], 0.5, 1e-3);  // P3 = (k 0, j 1): Y 6
  EXPECT_NEAR(t[2].color[2], 0.5, 1e-3);  // P1 = (k 1, j 0): Y 6
}

TEST_F(SurfaceRenderTest, ColourMapDrawsNoLayers) {
  Cls9 g = MakeSurface(2, 2, FlatGrid, 13);
  g.ShowColormap = g.ShowContour = g.ShowVector = true;
  g.ContourLevel = 3;
  const auto all = Render(g);
  EXPECT_EQ(FeedbackCapture::OfKind(all, FeedbackKind::Polygon).size(), 8u);
  EXPECT_TRUE(FeedbackCapture::OfKind(all, FeedbackKind::Line).empty());
}

TEST_F(SurfaceRenderTest, CellsTouchingAnUndefinedSampleAreSkipped) {
  // 3 x 3 cells; the centre cell's corner (1, 1) is undefined: the four cells around it go.
  Cls9 g = MakeSurface(3, 3, FlatGrid);
  g.SceneY.at(1, 1) = kUndefinedSample;
  g.ShowColormap = true;  // the layer skips the same cells
  auto polygons = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  EXPECT_EQ(polygons.size(), 2u * 2u * 5u);
  // An undefined corner of the grid takes one cell only.
  Cls9 corner = MakeSurface(3, 3, FlatGrid);
  corner.SceneZ.at(3, 3) = kUndefinedSample;
  EXPECT_EQ(FeedbackCapture::OfKind(Render(corner), FeedbackKind::Polygon).size(), 2u * 8u);
  // The colour map skips it too.
  Cls9 map = MakeSurface(3, 3, FlatGrid, 13);
  map.SceneX.at(0, 0) = kUndefinedSample;
  EXPECT_EQ(FeedbackCapture::OfKind(Render(map), FeedbackKind::Polygon).size(), 2u * 8u);
}

// A point without a value (NaN in the height and the colour that share its quantity) takes
// out the four cells around it, and nothing else, in every model, shading and kind of drawing.
TEST_F(SurfaceRenderTest, NoVertexComesFromACellWithAPointWithoutAValue) {
  OrthoView view(kWidth);
  struct Kind {
    const char* name;
    int32_t type;
    bool layer;
  };
  const Kind kinds[] = {
      {"surface", 2, false}, {"surface with colour-map layer", 2, true}, {"colour map", 13, false}};
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Kind& kind : kinds) {
    for (int32_t show : {shw::kPoint, shw::kGrid, shw::kSurface}) {
      for (int32_t smooth : {smt::kFlat, smt::kSmooth, smt::kSmoothest}) {
        const std::string name = std::string(kind.name) + " show " + std::to_string(show) + " smoothness " +
                                 std::to_string(smooth);
        auto make = [&](bool hole) {
          Cls9 g = MakeSurface(4, 4, FlatGrid, kind.type);
          g.Show = show;
          g.Smoothness = smooth;
          g.ShowColormap = kind.layer;
          if (hole) g.SceneY.at(2, 2) = g.ColorTableG.at(2, 2) = nan;
          return g;
        };
        Cls9 whole = make(false);
        Cls9 holed = make(true);
        const std::vector<FeedbackPrimitive> all = Render(whole);
        const std::vector<FeedbackPrimitive> some = Render(holed);
        for (FeedbackKind k : {FeedbackKind::Point, FeedbackKind::Line, FeedbackKind::Polygon}) {
          // Every cell sends the same primitives; 12 of the 16 cells are left.
          EXPECT_EQ(FeedbackCapture::OfKind(some, k).size() * 16, FeedbackCapture::OfKind(all, k).size() * 12)
              << name;
        }
        EXPECT_FALSE(some.empty()) << name;
        for (const FeedbackPrimitive& p : some) {
          float cx = 0.0f, cz = 0.0f;
          for (const FeedbackVertex& v : p.vertices) {
            for (float c : {v.x, v.y, v.z, v.color[0], v.color[1], v.color[2]})
              ASSERT_TRUE(std::isfinite(c)) << name;
            const Position o = view.Object(v);
            // The map lies in the x-y plane: its depth is the grid's j.
            const float vk = o[0];
            const float vj = kind.type == 13 ? o[1] : o[2];
            EXPECT_FALSE(std::fabs(vk - 2.0f) < 1e-3f && std::fabs(vj - 2.0f) < 1e-3f) << name;
            cx += vk / static_cast<float>(p.vertices.size());
            cz += vj / static_cast<float>(p.vertices.size());
          }
          if (p.kind != FeedbackKind::Polygon) continue;
          // A triangle lies in one cell; cells (1..2, 1..2) have the point as a corner.
          const int ck = static_cast<int>(std::floor(cx));
          const int cj = static_cast<int>(std::floor(cz));
          EXPECT_FALSE(ck >= 1 && ck <= 2 && cj >= 1 && cj <= 2) << name << " cell " << ck << "," << cj;
        }
      }
    }
  }
}

// The cells after a skipped one come out whole and in order, drawn directly and from a list.
TEST_F(SurfaceRenderTest, CellsAfterASkippedCellKeepTheirCorners) {
  OrthoView view(kWidth);
  // 2 x 2 cells, y = k + 3j so that every vertex is told apart; (0, 0) takes the first cell.
  Cls9 g = MakeSurface(2, 2, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), static_cast<float>(k + 3 * j), static_cast<float>(j)};
  });
  g.SceneX.at(0, 0) = kUndefinedSample;
  const uint32_t list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  int32_t step = 0;
  RenderSurface(g, step);
  glEndList();
  std::vector<FeedbackPrimitive> direct = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  // Mesa joins the strips of a list with zero-area triangles, which draw nothing.
  auto listed = FeedbackCapture::OfKind(FeedbackCapture().CaptureList(list), FeedbackKind::Polygon);
  std::erase_if(listed, [](const FeedbackPrimitive& t) {
    const auto same = [](const FeedbackVertex& a, const FeedbackVertex& b) {
      return a.x == b.x && a.y == b.y && a.z == b.z;
    };
    return t.vertices.size() == 3 &&
           (same(t.vertices[0], t.vertices[1]) || same(t.vertices[1], t.vertices[2]) ||
            same(t.vertices[0], t.vertices[2]));
  });
  glDeleteLists(list, 1);
  for (const std::vector<FeedbackPrimitive>* polygons : {&direct, &listed}) {
    ASSERT_EQ(polygons->size(), 6u);
    const int32_t cells[3][2] = {{0, 1}, {1, 0}, {1, 1}};
    for (size_t c = 0; c < 3; ++c) {
      const int32_t k = cells[c][0];
      const int32_t j = cells[c][1];
      auto at = [](int32_t vk, int32_t vj) {
        return Position{static_cast<float>(vk), static_cast<float>(vk + 3 * vj), static_cast<float>(vj)};
      };
      // The quad P0 P1 P2 P3 as the triangles P0 P1 P3 and P1 P2 P3.
      const FeedbackPrimitive& first = (*polygons)[2 * c];
      const FeedbackPrimitive& second = (*polygons)[2 * c + 1];
      ASSERT_EQ(first.vertices.size(), 3u);
      ASSERT_EQ(second.vertices.size(), 3u);
      ExpectCorners(CornersFrom(view, first, at(k, j)), {at(k, j), at(k + 1, j), at(k, j + 1)});
      ExpectCorners(CornersFrom(view, second, at(k + 1, j)), {at(k + 1, j), at(k + 1, j + 1), at(k, j + 1)});
    }
  }
}

TEST_F(SurfaceRenderTest, SmoothnessOutsideOneToThreeDrawsEmptyCells) {
  Cls9 g = MakeSurface(2, 2, FlatGrid);
  for (int32_t s : {0, 4}) {
    g.Smoothness = s;
    EXPECT_TRUE(FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon).empty()) << s;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Lit from above with white vertices, a cell of a bent surface: one normal per cell gives its
// corners one shade; vertex normals give them different shades.
// A filled surface with a normal per corner goes out as strips that share the corners of a
// row; the triangles, their winding and their corners' colours must be those of the quads.
TEST_F(SurfaceRenderTest, StripsDrawTheTrianglesOfTheQuads) {
  OrthoView view(kWidth);
  Cls9 g = MakeSurface(3, 4, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), static_cast<float>(k * j % 5) * 0.5f, static_cast<float>(j)};
  });
  g.SceneY.at(2, 2) = kUndefinedSample;  // a hole: the strips of rows 1 and 2 break around it
  g.Smoothness = 3;
  g.Show = 3;
  const auto strips = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  g.Show = 0;  // an unknown mode leaves the fill mode on and sends quads
  const auto quads = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  ASSERT_EQ(quads.size(), 2u * (12u - 4u));
  ASSERT_EQ(strips.size(), quads.size());
  for (size_t i = 0; i < quads.size(); ++i) {
    ASSERT_EQ(quads[i].vertices.size(), 3u);
    const Position first = view.Object(quads[i].vertices[0]);
    ExpectCorners(CornersFrom(view, strips[i], first), CornersFrom(view, quads[i], first));
    for (const FeedbackVertex& q : quads[i].vertices) {
      const Position at = view.Object(q);
      const auto same =
          std::find_if(strips[i].vertices.begin(), strips[i].vertices.end(), [&](const auto& v) {
            const Position p = view.Object(v);
            return std::fabs(p[0] - at[0]) + std::fabs(p[1] - at[1]) + std::fabs(p[2] - at[2]) < 1e-3f;
          });
      ASSERT_NE(same, strips[i].vertices.end());
      EXPECT_EQ(same->color, q.color);
    }
  }
}

TEST_F(SurfaceRenderTest, OnlySmoothestSendsVertexNormals) {
  Cls9 g = MakeSurface(2, 1, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), k == 1 ? 1.0f : 0.0f, static_cast<float>(j)};
  });
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const GLfloat dir[4] = {0.3f, -1.0f, 0.2f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, dir);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  auto shades = [&](int32_t smooth) {
    g.Smoothness = smooth;
    const auto v = VerticesOf(Render(g), FeedbackKind::Polygon);
    return std::vector<FeedbackVertex>(v.begin(), v.begin() + 3);  // first triangle of cell (0, 0)
  };
  const auto flatish = shades(2);
  EXPECT_NEAR(flatish[0].color[0], flatish[1].color[0], 1e-4);
  EXPECT_NEAR(flatish[0].color[0], flatish[2].color[0], 1e-4);
  // The cells share one begin/end pair, yet the second cell is lit with its own normal.
  for (int32_t smooth : {1, 2}) {
    g.Smoothness = smooth;
    const auto v = VerticesOf(Render(g), FeedbackKind::Polygon);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_NEAR(v[6].color[0], v[11].color[0], 1e-4) << smooth;
    EXPECT_GT(std::fabs(v[0].color[0] - v[6].color[0]), 1e-3) << smooth;
  }
  const auto smooth = shades(3);
  EXPECT_GT(std::fabs(smooth[0].color[0] - smooth[1].color[0]), 1e-3);
}

TEST_F(SurfaceRenderTest, LayersLieThreeBelow) {
  OrthoView view(kWidth);
  State().SceneKind = 3;
  // x = k, z = j, y = k + j on a 2 x 2 grid; the renderer reads the layer plane from BoxMinY.
  Cls9 g = MakeSurface(2, 2, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), static_cast<float>(k + j), static_cast<float>(j)};
  });
  g.ShowColormap = true;
  auto polygons = FeedbackCapture::OfKind(Render(g), FeedbackKind::Polygon);
  ASSERT_EQ(polygons.size(), 16u);
  for (size_t n = 0; n < 8; ++n) {
    Position first = view.Object(polygons[n].vertices[0]);
    const auto top = CornersFrom(view, polygons[n], first);
    first[1] -= 3.0f;
    const auto low = CornersFrom(view, polygons[n + 8], first);
    for (size_t v = 0; v < 3; ++v) {
      EXPECT_NEAR(low[v][0], top[v][0], 2e-3);
      EXPECT_NEAR(low[v][1], top[v][1] - 3.0f, 2e-3);
      EXPECT_NEAR(low[v][2], top[v][2], 2e-3);
    }
  }

  g.ShowColormap = false;
  g.ShowVector = true;
  const auto all = Render(g);
  const auto lines = FeedbackCapture::OfKind(all, FeedbackKind::Line);
  ASSERT_EQ(lines.size(), 1u);  // the one interior vertex (1, 1)
  // Differences along j go to x and along k to z: both 1 here.
  ExpectAt(view, lines[0].vertices[0], 1, -3, 1);
  ExpectAt(view, lines[0].vertices[1], 2, -3, 2);
  // The tip disc: 20 triangles around (2, -3, 2) of radius 0.04.
  EXPECT_EQ(FeedbackCapture::OfKind(all, FeedbackKind::Polygon).size(), 8u + 20u);
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  g.ShowVector = false;
  g.ShowContour = true;
  g.ContourLevel = 4;
  const auto contour = FeedbackCapture::OfKind(Render(g), FeedbackKind::Line);
  ASSERT_FALSE(contour.empty());
  for (const FeedbackPrimitive& l : contour)
    for (const FeedbackVertex& v : l.vertices) EXPECT_NEAR(view.Object(v)[1], -3.0f + 0.1f, 2e-3);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(SurfaceRenderTest, ContourLayerWithLevelCountZeroRaises) {
  Cls9 g = MakeSurface(2, 2, FlatGrid);
  g.ShowContour = true;
  int32_t step = 0;
  try {
    RenderSurface(g, step);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kDivisionByZero);
  }
}

TEST_F(SurfaceRenderTest, TextureModesAndTransparencyChooseTheColourCall) {
  Cls9 g = MakeSurface(1, 1, FlatGrid);
  g.ColorR = 1;  // red 0 at k = 0, 1 at k = 1
  g.TransAlpha = 0.25f;
  g.ShowTex = true;
  g.TexName = "/nonexistent/picture.bmp";  // fails to load: texturing stays off
  g.TexMode = 1;
  auto v = VerticesOf(Render(g), FeedbackKind::Polygon);
  ASSERT_EQ(v.size(), 6u);
  for (const FeedbackVertex& x : v) EXPECT_EQ(x.color, (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

  g.TexMode = 2;  // vertex colours with the alpha, even without transparency
  v = VerticesOf(Render(g), FeedbackKind::Polygon);
  EXPECT_NEAR(v[1].color[0], 1.0f, 1e-4);
  EXPECT_NEAR(v[1].color[3], 0.25f, 1e-4);

  g.ShowTex = false;
  g.ShowTrans = true;
  v = VerticesOf(Render(g), FeedbackKind::Polygon);
  EXPECT_NEAR(v[0].color[0], 0.0f, 1e-4);
  EXPECT_NEAR(v[0].color[3], 0.25f, 1e-4);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(SurfaceRenderTest, TablesThatDoNotCoverTheStepsRaiseBeforeDrawing) {
  Cls9 g = MakeSurface(2, 2, FlatGrid);
  g.StepV = 5;
  g.Show = 1;
  int32_t step = 0;
  EXPECT_THROW(RenderSurface(g, step), RuntimeError);
  EXPECT_EQ(Integer(GL_POLYGON_MODE), GL_FILL);  // nothing was set
}

TEST_F(SurfaceRenderTest, AnimatedSurfaceReadsTheMarkersOfItsStep) {
  OrthoView view(kWidth);
  Cls9 g;
  g.GraphType = 12;
  g.StepU = 1;
  g.StepV = 1;
  g.ResizeAnim3D(1, 1, 2);
  for (int32_t t = 0; t <= 2; ++t)
    for (int32_t k = 0; k <= 1; ++k)
      for (int32_t j = 0; j <= 1; ++j) {
        Cls2& m = g.Anim3D(k, j, t);
        m.x = static_cast<float>(k);
        m.y = static_cast<float>(t);
        m.z = static_cast<float>(j);
      }
  g.BoxMaxX = g.BoxMaxY = g.BoxMaxZ = 1.0f;
  auto polygons = FeedbackCapture::OfKind(Render(g, 2), FeedbackKind::Polygon);
  ASSERT_EQ(polygons.size(), 2u);
  ExpectAt(view, polygons[0].vertices[0], 0, 2, 0);
  g.Anim3D(1, 0, 1).y = kUndefinedSample;
  EXPECT_TRUE(FeedbackCapture::OfKind(Render(g, 1), FeedbackKind::Polygon).empty());
  int32_t beyond = 3;
  EXPECT_THROW(RenderSurface(g, beyond), RuntimeError);
}

}  // namespace
}  // namespace quillon
