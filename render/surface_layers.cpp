#include "render/surface_layers.h"

#include <GL/gl.h>

#include <cmath>

#include "common/single.h"
#include "graph/point.h"
#include "render/contour.h"
#include "render/surface.h"

namespace quillon {

namespace {

constexpr double kArrowTipRadius = 0.04;
constexpr double kArrowTipAngleStep = 0.31416;
constexpr int kArrowTipSegments = 20;
// The contour grid starts this far inside the surface's lower corner.
constexpr double kContourInset = 0.1;

}  // namespace

void DrawColormapLayer(const SurfaceVertices& vertices, const std::vector<float>& rgb,
                       const std::array<GridTable, 3>& vertexNormal) {
  const SurfacePositions& p = vertices.Positions();
  // One begin/end pair for the whole layer, as for the surface above it.
  glBegin(GL_QUADS);
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const int32_t ck[4] = {k, k + 1, k + 1, k};
      const int32_t cj[4] = {j, j, j + 1, j + 1};
      size_t n[4];
      bool skip = false;
      for (int c = 0; c < 4; ++c) {
        n[c] = p.Index(ck[c], cj[c]);
        skip = skip || vertices.Undefined(n[c]);
      }
      if (skip) continue;
      for (int c = 0; c < 4; ++c) {
        glNormal3f(vertexNormal[0].at(ck[c], cj[c]), vertexNormal[1].at(ck[c], cj[c]),
                   vertexNormal[2].at(ck[c], cj[c]));
        glColor3fv(&rgb[3 * n[c]]);
        // The drop is taken in double, as the rest of the renderer's arithmetic.
        glVertex3f(p.x[n[c]], static_cast<float>(p.y[n[c]] - kLayerDrop), p.z[n[c]]);
      }
    }
  }
  glEnd();
}

void DrawContourLayer(const Cls9& graph, const SurfaceVertices& vertices) {
  const SurfacePositions& p = vertices.Positions();
  const int32_t nx = p.stepU + 1;
  const int32_t ny = p.stepV + 1;
  ContourGrid grid(nx, ny);  // refuses more than 500 lines
  for (int32_t k = 0; k <= p.stepU; ++k)
    for (int32_t j = 0; j <= p.stepV; ++j) grid.at(k + 1, j + 1) = p.y[p.Index(k, j)];

  const float dx = ToSingle(CheckedDivide(static_cast<double>(graph.BoxMaxX) - graph.BoxMinX, p.stepU));
  const float dz = ToSingle(CheckedDivide(static_cast<double>(graph.BoxMaxZ) - graph.BoxMinZ, p.stepV));
  // Grid index i lies at x0 + i dx, so column 1 lands just inside the surface's first line.
  const float x0 = ToSingle(static_cast<double>(graph.BoxMinX) - dx + kContourInset);
  const float z0 = ToSingle(static_cast<double>(graph.BoxMinZ) - dz + kContourInset);
  const float plane = ToSingle(static_cast<double>(graph.BoxMinY) - kLayerDrop);
  CContour().Contour(nx, ny, dx, dz, grid, x0, z0, plane, graph.ContourLevel, graph.FillStyle, 0, 0,
                     graph.LineWidth);
}

void DrawArrowLayer(const Cls9& graph, const SurfaceVertices& vertices) {
  const SurfacePositions& p = vertices.Positions();
  const double y0 = static_cast<double>(graph.BoxMinY) - kLayerDrop;
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glColor3f(0.0f, 0.0f, 0.0f);
  // The rim directions are the same for every tip.
  double rimCos[kArrowTipSegments + 1];
  double rimSin[kArrowTipSegments + 1];
  for (int i = 0; i <= kArrowTipSegments; ++i) {
    rimCos[i] = kArrowTipRadius * std::cos(i * kArrowTipAngleStep);
    rimSin[i] = kArrowTipRadius * std::sin(i * kArrowTipAngleStep);
  }
  auto y = [&p](int32_t k, int32_t j) { return p.y[p.Index(k, j)]; };
  for (int32_t k = 1; k <= p.stepU - 1; ++k) {
    for (int32_t j = 1; j <= p.stepV - 1; ++j) {
      // An arrow whose vertex or neighbours are undefined (outside the view, or without a
      // value) is left out.
      if (vertices.Undefined(p.Index(k, j)) || vertices.Undefined(p.Index(k - 1, j)) ||
          vertices.Undefined(p.Index(k + 1, j)) || vertices.Undefined(p.Index(k, j - 1)) ||
          vertices.Undefined(p.Index(k, j + 1)))
        continue;
      const float here = y(k, j);
      const float around[4] = {y(k - 1, j), y(k + 1, j), y(k, j - 1), y(k, j + 1)};
      const double ck =
          ((static_cast<double>(here) - around[0]) + (static_cast<double>(around[1]) - here)) / 2.0;
      const double cj =
          ((static_cast<double>(here) - around[2]) + (static_cast<double>(around[3]) - here)) / 2.0;
      const size_t n = p.Index(k, j);
      const double x = p.x[n];
      const double z = p.z[n];
      const double tipX = x + cj;
      const double tipZ = z + ck;
      glBegin(GL_LINES);
      glVertex3d(x, y0, z);
      glVertex3d(tipX, y0, tipZ);
      glEnd();
      glBegin(GL_TRIANGLES);
      for (int i = 0; i < kArrowTipSegments; ++i) {
        glVertex3d(tipX + rimCos[i], y0, tipZ + rimSin[i]);
        glVertex3d(tipX + rimCos[i + 1], y0, tipZ + rimSin[i + 1]);
        glVertex3d(tipX, y0, tipZ);
      }
      glEnd();
    }
  }
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
}

}  // namespace quillon
