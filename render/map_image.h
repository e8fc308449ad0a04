#pragma once
// A colour map drawn as one textured rectangle: its samples become the texels (one per grid
// point), and a picture sampled again at screen resolution goes over the part it covers.
// Cheaper than one quad per cell by far for large grids, and the same picture.

#include <cstdint>
#include <vector>

#include "graph/graph.h"
#include "render/surface_prep.h"

namespace quillon {

// True when the vertices form an axis-aligned lattice: scene X depends only on k and rises
// with it, scene Z only on j and rises with it. Only such a map can be one rectangle.
bool IsAxisLattice(const SurfacePositions& p);

// The map's texels: RGBA per grid point, row j (scene Z) after row j - 1, k across; the
// channels of rgb clamped to 0..1, the hole grey where the vertex is undefined.
std::vector<uint8_t> MapTexels(const SurfaceVertices& vertices, const std::vector<float>& rgb);

// Draws the map as a texture in the plane z = 0 (unlit) into the current context; the texture
// name is recorded for deletion with the lists. False, drawing nothing, when the vertices are
// not an axis lattice, a side has fewer than two points or exceeds the GL texture limit.
bool DrawMapImage(const SurfaceVertices& vertices, const std::vector<float>& rgb);

// Draws graph.ScreenView, when it has one, over the map: its rectangle of the plane placed by
// the map's own lattice (quantity x and y to scene X and Z). Nothing when the map is not an
// axis lattice.
void DrawScreenView(const Cls9& graph, const SurfaceVertices& vertices);

}  // namespace quillon
