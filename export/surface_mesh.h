#pragma once
// Triangles of a sampled surface grid: two a cell, none for a cell with an undefined corner
// (any coordinate that is not finite), and, with a height interval, each triangle cut cleanly
// at its two planes so that the kept part ends on them and neighbouring cells share the cut.

#include <cstdint>
#include <optional>
#include <string>

#include "export/triangle_mesh.h"

namespace quillon {

// A grid of (stepU + 1) x (stepV + 1) vertices, k-major (the j values of one k follow each
// other), as the sampled tables hold them.
struct SurfaceGrid {
  int32_t stepU = 0;
  int32_t stepV = 0;
  const float* x = nullptr;
  const float* y = nullptr;
  const float* z = nullptr;
  const float* rgb = nullptr;  // 0..1, three a vertex; nullptr: every vertex white
};

// The heights kept on one scene axis (0 x, 1 y, 2 z), both ends included.
struct HeightInterval {
  int32_t axis = 1;
  float min = 0.0f;
  float max = 0.0f;
};

// Memory the mesh of a grid takes at most without a clip (for the check before building).
uint64_t SurfaceMeshBytes(int32_t stepU, int32_t stepV);

// Appends the grid's triangles to the mesh as one part with this name and material and
// returns how many were added. Cell (k, j) with corners P0 (k, j), P1 (k+1, j), P2 (k+1, j+1),
// P3 (k, j+1) gives P0 P1 P3 and P1 P2 P3, the triangles the drawing shows. Vertices are
// added only for what a triangle uses. A cut vertex takes the position and colour where the
// edge meets the plane.
size_t AppendSurfaceMesh(const SurfaceGrid& grid, const std::optional<HeightInterval>& keep,
                         const std::string& name, const MeshMaterial& material, TriangleMesh& mesh);

}  // namespace quillon
