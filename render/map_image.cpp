#include "render/map_image.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "graph/colouring.h"
#include "graph/view_sampling.h"
#include "render/texture_registry.h"

namespace quillon {

namespace {

uint8_t Byte(float channel) {
  // NaN (a channel of a point without a value) reads as 0.
  return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

// One texture from RGBA texels, drawn on the rectangle x0..x1, y0..y1 of the plane z = 0 with
// the texel centres of the outer rows and columns on its edges (so the grid points lie where
// their vertices would) or, with `edges`, the texels filling it exactly.
void DrawTexturedRectangle(const std::vector<uint8_t>& texels, int32_t width, int32_t height, double x0,
                           double x1, double y0, double y1, bool edges) {
  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == 0) return;
  CreatedTextures().Record(name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  const float s0 = edges ? 0.0f : 0.5f / static_cast<float>(width);
  const float s1 = 1.0f - s0;
  const float t0 = edges ? 0.0f : 0.5f / static_cast<float>(height);
  const float t1 = 1.0f - t0;
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glTexCoord2f(s0, t0);
  glVertex3d(x0, y0, 0.0);
  glTexCoord2f(s1, t0);
  glVertex3d(x1, y0, 0.0);
  glTexCoord2f(s1, t1);
  glVertex3d(x1, y1, 0.0);
  glTexCoord2f(s0, t1);
  glVertex3d(x0, y1, 0.0);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_LIGHTING);
}

bool FitsTexture(int32_t width, int32_t height) {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  return width >= 2 && height >= 2 && width <= limit && height <= limit;
}

}  // namespace

bool IsAxisLattice(const SurfacePositions& p) {
  if (p.stepU < 1 || p.stepV < 1) return false;
  for (int32_t k = 0; k <= p.stepU; ++k) {
    const float x = p.x[p.Index(k, 0)];
    if (!std::isfinite(x) || (k > 0 && !(x > p.x[p.Index(k - 1, 0)]))) return false;
    for (int32_t j = 0; j <= p.stepV; ++j) {
      const size_t n = p.Index(k, j);
      if (p.x[n] != x || p.z[n] != p.z[p.Index(0, j)]) return false;
    }
  }
  for (int32_t j = 1; j <= p.stepV; ++j)
    if (!(p.z[p.Index(0, j)] > p.z[p.Index(0, j - 1)])) return false;
  return std::isfinite(p.z[0]) && std::isfinite(p.z[p.Index(0, p.stepV)]);
}

std::vector<uint8_t> MapTexels(const SurfaceVertices& vertices, const std::vector<float>& rgb) {
  const SurfacePositions& p = vertices.Positions();
  const size_t width = static_cast<size_t>(p.stepU) + 1;
  const size_t height = static_cast<size_t>(p.stepV) + 1;
  std::vector<uint8_t> texels(width * height * 4);
  for (size_t k = 0; k < width; ++k) {
    for (size_t j = 0; j < height; ++j) {
      const size_t n = p.Index(static_cast<int32_t>(k), static_cast<int32_t>(j));
      uint8_t* out = &texels[(j * width + k) * 4];
      const bool hole = vertices.Undefined(n) || !std::isfinite(rgb[3 * n]) ||
                        !std::isfinite(rgb[3 * n + 1]) || !std::isfinite(rgb[3 * n + 2]);
      const Rgb c = hole ? kHoleGrey : Rgb{rgb[3 * n], rgb[3 * n + 1], rgb[3 * n + 2]};
      out[0] = Byte(c.r);
      out[1] = Byte(c.g);
      out[2] = Byte(c.b);
      out[3] = 255;
    }
  }
  return texels;
}

bool DrawMapImage(const SurfaceVertices& vertices, const std::vector<float>& rgb) {
  const SurfacePositions& p = vertices.Positions();
  if (!IsAxisLattice(p) || !FitsTexture(p.stepU + 1, p.stepV + 1)) return false;
  const std::vector<uint8_t> texels = MapTexels(vertices, rgb);
  DrawTexturedRectangle(texels, p.stepU + 1, p.stepV + 1, p.x[0], p.x[p.Index(p.stepU, 0)], p.z[0],
                        p.z[p.Index(0, p.stepV)], false);
  return true;
}

void DrawScreenView(const Cls9& graph, const SurfaceVertices& vertices) {
  const ViewImage* view = graph.ScreenView.get();
  const SurfacePositions& p = vertices.Positions();
  if (view == nullptr || !IsAxisLattice(p) || !FitsTexture(view->width, view->height)) return;
  const std::optional<MapPlacement> place = PlacementOf(graph);
  if (!place) return;
  DrawTexturedRectangle(view->rgba, view->width, view->height, place->SceneX(view->rect.minX),
                        place->SceneX(view->rect.maxX), place->SceneZ(view->rect.minY),
                        place->SceneZ(view->rect.maxY), true);
}

}  // namespace quillon
