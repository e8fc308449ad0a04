#pragma once
// The extra layers of the surface renderer, drawn below the surface: a coloured copy, the
// contour lines and a field of gradient arrows. Used by RenderSurface.

#include <array>
#include <vector>

#include "graph/graph.h"
#include "graph/grid_table.h"
#include "render/surface_prep.h"

namespace quillon {

// The surface repeated kLayerDrop below itself, vertex normals and colours, no texture, no alpha.
void DrawColormapLayer(const SurfaceVertices& vertices, const std::vector<float>& rgb,
                       const std::array<GridTable, 3>& vertexNormal);

// Contour lines of scene Y on the plane kLayerDrop below the graph's minimum Y. Grids of more
// than 500 lines in a direction raise the subscript error; a contour level count of 0 raises
// the division-by-zero error.
void DrawContourLayer(const Cls9& graph, const SurfaceVertices& vertices);

// One black arrow per interior vertex: the central differences of scene Y along j and k, drawn
// on the plane kLayerDrop below the graph's minimum Y, with a small disc at the tip.
void DrawArrowLayer(const Cls9& graph, const SurfaceVertices& vertices);

}  // namespace quillon
