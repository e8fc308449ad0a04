#pragma once
// The surface renderer: turns a graph's sampled grid into OpenGL quads with normals, shading,
// per-vertex colour, optional texture and transparency, and the extra layers drawn below the
// surface (a coloured copy, contour lines, gradient arrows). It draws into the current context
// and opens no display list of its own, so its calls land in the caller's list.

#include <cstdint>

#include "graph/graph.h"

namespace quillon {

// How far below the surface the extra layers lie.
inline constexpr double kLayerDrop = 3.0;

// Draws graph kinds 2, 6, 12, 13, 21 and 22 for an animation step. Writes the cell and vertex
// normals into the graph. Run-time errors (a step count of 0, tables that do not cover the
// steps, a contour level count of 0) travel to the caller; what was drawn before stays.
void RenderSurface(Cls9& graph, int32_t& lngAnimStep);

}  // namespace quillon
