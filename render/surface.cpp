#include "render/surface.h"

#include <GL/gl.h>

#include <vector>

#include "common/runtime_error.h"
#include "graph/codes.h"
#include "graph/colouring.h"
#include "render/complex_contours.h"
#include "render/map_image.h"
#include "render/surface_layers.h"
#include "render/surface_prep.h"
#include "render/texture.h"

namespace quillon {

namespace {

// What each corner of a surface quad sends as its colour.
enum class CornerColor { kNone, kRgb, kRgbAlpha, kWhite };

CornerColor ChooseCornerColor(const Cls9& g) {
  if (g.ShowTex) {
    if (g.TexMode == 2) return CornerColor::kRgbAlpha;
    if (g.TexMode == 1) return CornerColor::kWhite;
    return CornerColor::kNone;
  }
  return g.ShowTrans ? CornerColor::kRgbAlpha : CornerColor::kRgb;
}

void SetPolygonMode(int32_t show) {
  switch (show) {
    case shw::kPoint:
      glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
      break;
    case shw::kGrid:
      glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
      break;
    case shw::kSurface:
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
      break;
    default:
      break;  // the mode stays as it was
  }
}

// A texture that cannot be made (missing file, undecodable picture) leaves texturing off.
bool LoadTexture(const std::string& name) {
  try {
    Cls15 texture;
    return texture.LoadGLTextures(name);
  } catch (const RuntimeError&) {
    return false;
  }
}

// True when a corner of cell (k, j) is undefined; `n` receives the corners' indices in the
// order the caller lists them.
bool CellUndefined(const SurfaceVertices& vertices, const int32_t (&ck)[4], const int32_t (&cj)[4],
                   size_t (&n)[4]) {
  const SurfacePositions& p = vertices.Positions();
  bool undefined = false;
  for (int c = 0; c < 4; ++c) {
    n[c] = p.Index(ck[c], cj[c]);
    undefined = undefined || vertices.Undefined(n[c]);
  }
  return undefined;
}

// Texture coordinates run from 1 on the first grid line to 0 on the last. Computed in double
// like the rest of the renderer's arithmetic, then handed to GL as the float it stores anyway.
std::vector<float> TexCoords(int32_t steps) {
  std::vector<float> coords(static_cast<size_t>(steps) + 1);
  const double n = steps;
  for (int32_t i = 0; i <= steps; ++i) coords[static_cast<size_t>(i)] = static_cast<float>((n - i) / n);
  return coords;
}

// The cells of a grid all go into one GL_QUADS begin/end pair: GL sees the same quads as with
// a pair per cell, but Mesa records one primitive instead of one per cell, which is most of
// the cost of compiling a large surface into a display list. A skipped cell sends nothing.
// Every value reaching GL is a float already (positions, normals) or one that GL would store
// as a float (colours, texture coordinates), so the float entry points lose nothing.

// The colour map: flat in the plane z = 0, unlit, corners P0, P3, P2, P1.
void DrawColorMapCells(const SurfaceVertices& vertices, const std::vector<float>& rgb,
                       const std::array<GridTable, 3>& vn) {
  const SurfacePositions& p = vertices.Positions();
  glDisable(GL_LIGHTING);
  glBegin(GL_QUADS);
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k, k + 1, k + 1};
      const int32_t cj[4] = {j, j + 1, j + 1, j};
      size_t n[4];
      if (CellUndefined(vertices, ck, cj, n)) continue;
      for (int c = 0; c < 4; ++c) {
        // The map lies in the x-y plane, so the normal's y and z change places.
        glNormal3f(vn[0].at(ck[c], cj[c]), vn[2].at(ck[c], cj[c]), vn[1].at(ck[c], cj[c]));
        glColor3fv(&rgb[3 * n[c]]);
        glVertex3f(p.x[n[c]], p.z[n[c]], 0.0f);
      }
    }
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

// What one corner of the surface sends: normal, texture coordinate, colour, position.
struct CornerEmitter {
  const SurfacePositions& p;
  const std::array<GridTable, 3>& vn;
  const std::vector<float>& s;
  const std::vector<float>& t;
  const std::vector<float>& rgb;
  CornerColor colorCall;
  float alpha;
  bool vertexNormals;
  bool textured;  // without a texture the coordinates would only be carried along unused

  void operator()(int32_t k, int32_t j, size_t n) const {
    if (vertexNormals) glNormal3f(vn[0].at(k, j), vn[1].at(k, j), vn[2].at(k, j));
    if (textured) glTexCoord2f(s[static_cast<size_t>(k)], t[static_cast<size_t>(j)]);
    const float* c3 = &rgb[3 * n];
    switch (colorCall) {
      case CornerColor::kRgb:
        glColor3fv(c3);
        break;
      case CornerColor::kRgbAlpha:
        glColor4f(c3[0], c3[1], c3[2], alpha);
        break;
      case CornerColor::kWhite:
        glColor3f(1.0f, 1.0f, 1.0f);
        break;
      case CornerColor::kNone:
        break;
    }
    glVertex3f(p.x[n], p.y[n], p.z[n]);
  }
};

// The surface quads, corners P0, P1, P2, P3.
void DrawSurfaceQuads(const Cls9& g, const SurfaceVertices& vertices, const CornerEmitter& corner) {
  const SurfacePositions& p = vertices.Positions();
  const std::array<GridTable, 3>& cn = g.CellNormal;
  glBegin(GL_QUADS);
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k + 1, k + 1, k};
      const int32_t cj[4] = {j, j, j + 1, j + 1};
      size_t n[4];
      if (CellUndefined(vertices, ck, cj, n)) continue;
      if (!corner.vertexNormals) glNormal3f(cn[0].at(k, j), cn[1].at(k, j), cn[2].at(k, j));
      for (int c = 0; c < 4; ++c) corner(ck[c], cj[c], n[c]);
    }
  }
  glEnd();
}

// The same filled quads as triangle strips along each row, where every corner carries its own
// normal and the cells of a row therefore share their corners. GL cuts a quad P0 P1 P2 P3 into
// the triangles P0 P1 P3 and P1 P2 P3; the strip P0 P1 P3 P2, continued by the next cell's P3
// P2, yields exactly those triangles, facing the same way, with half the corners sent. Only for
// the fill mode: in line mode a strip would also draw the diagonals. A skipped cell ends the
// strip, and the next defined cell starts a new one.
void DrawSurfaceStrips(const SurfaceVertices& vertices, const CornerEmitter& corner) {
  const SurfacePositions& p = vertices.Positions();
  for (int32_t k = 0; k < p.stepU; ++k) {
    bool open = false;
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k + 1, k + 1, k};
      const int32_t cj[4] = {j, j, j + 1, j + 1};
      size_t n[4];
      if (CellUndefined(vertices, ck, cj, n)) {
        if (open) glEnd();
        open = false;
        continue;
      }
      if (!open) {
        glBegin(GL_TRIANGLE_STRIP);
        corner(k, j, n[0]);
        corner(k + 1, j, n[1]);
        open = true;
      }
      corner(k, j + 1, n[3]);
      corner(k + 1, j + 1, n[2]);
    }
    if (open) glEnd();
  }
}

void DrawSurfaceCells(const Cls9& g, const SurfaceVertices& vertices, const std::vector<float>& rgb,
                      bool textured) {
  const int32_t smooth = g.Smoothness;
  if (smooth < smt::kFlat || smooth > smt::kSmoothest) return;  // no cell has anything to send
  const SurfacePositions& p = vertices.Positions();
  if (p.stepU < 1 || p.stepV < 1) return;
  const std::vector<float> s = TexCoords(p.stepU);
  const std::vector<float> t = TexCoords(p.stepV);
  const CornerEmitter corner{
      p, g.VertexNormal, s, t, rgb, ChooseCornerColor(g), g.TransAlpha, smooth == smt::kSmoothest, textured};
  if (corner.vertexNormals && g.Show == shw::kSurface)
    DrawSurfaceStrips(vertices, corner);
  else
    DrawSurfaceQuads(g, vertices, corner);
}

}  // namespace

void RenderSurface(Cls9& graph, int32_t& lngAnimStep) {
  const bool colorMap = graph.GraphType == gtp::kColorMap;
  // The normals are worked out again at every drawing; once the list holds them the graph
  // lets them go, so that it keeps only its sampled tables between drawings.
  struct ReleaseNormals {
    Cls9& g;
    ~ReleaseNormals() {
      for (GridTable& t : g.CellNormal) t.Clear();
      for (GridTable& t : g.VertexNormal) t.Clear();
    }
  } releaseNormals{graph};

  // All the arithmetic comes first (positions, colour ranges, vertex colours, both normal
  // passes), so a fault in it leaves the OpenGL state as it was and the drawing loops only
  // look values up.
  const SurfaceVertices vertices(graph, lngAnimStep);
  const SurfacePositions& p = vertices.Positions();
  const SurfaceRanges ranges = ChannelRanges(graph);
  std::vector<float> rgb;
  // A colouring from w replaces the channels; the channels are what a document without one
  // draws.
  if (!ColourSamples(graph, rgb)) ComputeVertexColors(graph, ranges, rgb);
  ComputeCellNormals(p, colorMap, graph.BoxMinY, graph.CellNormal);
  ComputeVertexNormals(p, graph.CellNormal, FindSeam(p, ranges), graph.VertexNormal);

  SetPolygonMode(graph.Show);
  const bool textured = graph.ShowTex && LoadTexture(graph.TexName);
  if (textured) glEnable(GL_TEXTURE_2D);
  if (graph.ShowTrans) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  if (graph.Smoothness == smt::kFlat) {
    glShadeModel(GL_FLAT);
  } else if (graph.Smoothness == smt::kSmooth || graph.Smoothness == smt::kSmoothest) {
    glShadeModel(GL_SMOOTH);
  }

  const bool contours = graph.Extras.contours != ContourLines::kNone;
  if (colorMap) {
    // A map coloured from w is one picture of its samples; a map coloured by channels keeps
    // its cells, as documents without the newer settings have always drawn it.
    const bool image = graph.Extras.colouring != Colouring::kChannels && DrawMapImage(vertices, rgb);
    if (!image) DrawColorMapCells(vertices, rgb, graph.VertexNormal);
    DrawScreenView(graph, vertices);
    if (contours) DrawComplexContours(graph, vertices);
    // The map draws untextured and opaque; switching both off again keeps a texture or blend
    // from leaking into the graphs and axes drawn after it.
    if (graph.ShowTex) glDisable(GL_TEXTURE_2D);
    if (graph.ShowTrans) glDisable(GL_BLEND);
    return;
  }

  // Lines drawn on the surface must win the depth test against the cells they lie on.
  if (contours) {
    glPolygonOffset(1.0f, 1.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
  }
  DrawSurfaceCells(graph, vertices, rgb, textured);
  if (contours) glDisable(GL_POLYGON_OFFSET_FILL);
  if (graph.ShowTex) glDisable(GL_TEXTURE_2D);
  if (graph.ShowTrans) glDisable(GL_BLEND);

  if (graph.ShowColormap) DrawColormapLayer(vertices, rgb, graph.VertexNormal);
  if (graph.ShowContour) DrawContourLayer(graph, vertices);
  if (graph.ShowVector) DrawArrowLayer(graph, vertices);
  if (contours) DrawComplexContours(graph, vertices);
}

}  // namespace quillon
