#include "render/surface.h"

#include <GL/gl.h>

#include <vector>

#include "common/runtime_error.h"
#include "graph/codes.h"
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

// The colour map: flat in the plane z = 0, unlit, corners P0, P3, P2, P1.
void DrawColorMapCells(const SurfaceVertices& vertices, const std::vector<double>& rgb,
                       const std::array<GridTable, 3>& vn) {
  const SurfacePositions& p = vertices.Positions();
  glDisable(GL_LIGHTING);
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k, k + 1, k + 1};
      const int32_t cj[4] = {j, j + 1, j + 1, j};
      size_t n[4];
      bool skip = false;
      for (int c = 0; c < 4; ++c) {
        n[c] = p.Index(ck[c], cj[c]);
        skip = skip || vertices.Undefined(n[c]);
      }
      if (skip) continue;
      glBegin(GL_QUADS);
      for (int c = 0; c < 4; ++c) {
        // The map lies in the x-y plane, so the normal's y and z change places.
        glNormal3d(vn[0].at(ck[c], cj[c]), vn[2].at(ck[c], cj[c]), vn[1].at(ck[c], cj[c]));
        glColor3d(rgb[3 * n[c]], rgb[3 * n[c] + 1], rgb[3 * n[c] + 2]);
        glVertex3d(p.x[n[c]], p.z[n[c]], 0.0);
      }
      glEnd();
    }
  }
  glEnable(GL_LIGHTING);
}

// The surface quads, corners P0, P1, P2, P3, one begin/end pair per cell.
void DrawSurfaceCells(const Cls9& g, const SurfaceVertices& vertices, const std::vector<double>& rgb) {
  const SurfacePositions& p = vertices.Positions();
  const std::array<GridTable, 3>& cn = g.CellNormal;
  const std::array<GridTable, 3>& vn = g.VertexNormal;
  const int32_t smooth = g.Smoothness;
  const bool drawable = smooth >= smt::kFlat && smooth <= smt::kSmoothest;
  const CornerColor colorCall = ChooseCornerColor(g);
  const double alpha = g.TransAlpha;
  const double stepU = p.stepU;
  const double stepV = p.stepV;
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k + 1, k + 1, k};
      const int32_t cj[4] = {j, j, j + 1, j + 1};
      size_t n[4];
      bool skip = !drawable;
      for (int c = 0; c < 4; ++c) {
        n[c] = p.Index(ck[c], cj[c]);
        skip = skip || vertices.Undefined(n[c]);
      }
      glBegin(GL_QUADS);
      if (!skip) {
        if (smooth != smt::kSmoothest) glNormal3d(cn[0].at(k, j), cn[1].at(k, j), cn[2].at(k, j));
        for (int c = 0; c < 4; ++c) {
          if (smooth == smt::kSmoothest) {
            glNormal3d(vn[0].at(ck[c], cj[c]), vn[1].at(ck[c], cj[c]), vn[2].at(ck[c], cj[c]));
          }
          // Texture coordinates run from 1 on the first grid line to 0 on the last.
          glTexCoord2d((stepU - ck[c]) / stepU, (stepV - cj[c]) / stepV);
          const double* c3 = &rgb[3 * n[c]];
          switch (colorCall) {
            case CornerColor::kRgb:
              glColor3d(c3[0], c3[1], c3[2]);
              break;
            case CornerColor::kRgbAlpha:
              glColor4d(c3[0], c3[1], c3[2], alpha);
              break;
            case CornerColor::kWhite:
              glColor3d(1.0, 1.0, 1.0);
              break;
            case CornerColor::kNone:
              break;
          }
          glVertex3d(p.x[n[c]], p.y[n[c]], p.z[n[c]]);
        }
      }
      glEnd();
    }
  }
}

}  // namespace

void RenderSurface(Cls9& graph, int32_t& lngAnimStep) {
  const bool colorMap = graph.GraphType == gtp::kColorMap;

  // All the arithmetic comes first (positions, colour ranges, vertex colours, both normal
  // passes), so a fault in it leaves the OpenGL state as it was and the drawing loops only
  // look values up.
  const SurfaceVertices vertices(graph, lngAnimStep);
  const SurfacePositions& p = vertices.Positions();
  const SurfaceRanges ranges = ChannelRanges(graph);
  std::vector<double> rgb;
  ComputeVertexColors(graph, ranges, rgb);
  ComputeCellNormals(p, colorMap, graph.BoxMinY, graph.CellNormal);
  ComputeVertexNormals(p, graph.CellNormal, FindSeam(p, ranges), graph.VertexNormal);

  SetPolygonMode(graph.Show);
  if (graph.ShowTex && LoadTexture(graph.TexName)) glEnable(GL_TEXTURE_2D);
  if (graph.ShowTrans) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  if (graph.Smoothness == smt::kFlat) {
    glShadeModel(GL_FLAT);
  } else if (graph.Smoothness == smt::kSmooth || graph.Smoothness == smt::kSmoothest) {
    glShadeModel(GL_SMOOTH);
  }

  if (colorMap) {
    DrawColorMapCells(vertices, rgb, graph.VertexNormal);
    // The map draws untextured and opaque; switching both off again keeps a texture or blend
    // from leaking into the graphs and axes drawn after it.
    if (graph.ShowTex) glDisable(GL_TEXTURE_2D);
    if (graph.ShowTrans) glDisable(GL_BLEND);
    return;
  }

  DrawSurfaceCells(graph, vertices, rgb);
  if (graph.ShowTex) glDisable(GL_TEXTURE_2D);
  if (graph.ShowTrans) glDisable(GL_BLEND);

  if (graph.ShowColormap) DrawColormapLayer(vertices, rgb, graph.VertexNormal);
  if (graph.ShowContour) DrawContourLayer(graph, vertices);
  if (graph.ShowVector) DrawArrowLayer(graph, vertices);
}

}  // namespace quillon
