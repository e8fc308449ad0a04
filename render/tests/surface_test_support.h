#pragma once
// Helpers for the surface, contour and graph drawing tests: graphs built by filling their tables
// directly, and an orthographic view whose feedback coordinates convert back to object space.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "graph/graph.h"
#include "render/feedback_capture.h"

namespace quillon::testing {

using Position = std::array<float, 3>;

// A graph of the given kind whose scene tables hold pos(k, j) and whose colour tables hold the
// scene coordinates (red X, green Y, blue Z); the box limits are the tables' extent.
inline Cls9 MakeSurface(int32_t stepU, int32_t stepV, const std::function<Position(int32_t, int32_t)>& pos,
                        int32_t type = 2) {
  Cls9 g;
  g.GraphType = type;
  g.StepU = stepU;
  g.StepV = stepV;
  for (GridTable* t : {&g.SceneX, &g.SceneY, &g.SceneZ, &g.ColorTableR, &g.ColorTableG, &g.ColorTableB})
    t->Resize(stepU, stepV);
  g.BoxMaxX = g.BoxMaxY = g.BoxMaxZ = -1e30f;
  g.BoxMinX = g.BoxMinY = g.BoxMinZ = 1e30f;
  for (int32_t k = 0; k <= stepU; ++k) {
    for (int32_t j = 0; j <= stepV; ++j) {
      const Position p = pos(k, j);
      g.SceneX.at(k, j) = g.ColorTableR.at(k, j) = p[0];
      g.SceneY.at(k, j) = g.ColorTableG.at(k, j) = p[1];
      g.SceneZ.at(k, j) = g.ColorTableB.at(k, j) = p[2];
      g.BoxMaxX = std::max(g.BoxMaxX, p[0]);
      g.BoxMinX = std::min(g.BoxMinX, p[0]);
      g.BoxMaxY = std::max(g.BoxMaxY, p[1]);
      g.BoxMinY = std::min(g.BoxMinY, p[1]);
      g.BoxMaxZ = std::max(g.BoxMaxZ, p[2]);
      g.BoxMinZ = std::min(g.BoxMinZ, p[2]);
    }
  }
  return g;
}

// The flat grid x = k, y = 0, z = j.
inline Position FlatGrid(int32_t k, int32_t j) {
  return {static_cast<float>(k), 0.0f, static_cast<float>(j)};
}

// glOrtho over [-kHalf, kHalf] in every direction on a square viewport of kSide pixels, so a
// feedback vertex converts back to the object coordinates it was drawn at.
struct OrthoView {
  static constexpr double kHalf = 10.0;
  int32_t side;

  explicit OrthoView(int32_t viewportSide) : side(viewportSide) {
    glViewport(0, 0, side, side);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-kHalf, kHalf, -kHalf, kHalf, -kHalf, kHalf);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  Position Object(const FeedbackVertex& v) const {
    const double x = v.x / side * 2.0 * kHalf - kHalf;
    const double y = v.y / side * 2.0 * kHalf - kHalf;
    const double z = (1.0 - 2.0 * v.z) * kHalf;  // depth 0 is z = +kHalf (nearest)
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
  }
};

// All vertices of the primitives of one kind, in order.
inline std::vector<FeedbackVertex> VerticesOf(const std::vector<FeedbackPrimitive>& all, FeedbackKind kind) {
  std::vector<FeedbackVertex> out;
  for (const FeedbackPrimitive& p : all)
    if (p.kind == kind) out.insert(out.end(), p.vertices.begin(), p.vertices.end());
  return out;
}

}  // namespace quillon::testing
