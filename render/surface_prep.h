#pragma once
// The arithmetic the surface renderer does before it draws: vertex positions of the step,
// colour ranges, per-vertex colours, cell and vertex normals with the seam test, and the
// extent of a surface. No OpenGL here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/box.h"
#include "graph/graph.h"
#include "graph/grid_table.h"

namespace quillon {

// Vertex positions of a grid of (stepU + 1) x (stepV + 1) vertices, k-major like GridTable.
struct SurfacePositions {
  int32_t stepU = 0;
  int32_t stepV = 0;
  const float* x = nullptr;
  const float* y = nullptr;
  const float* z = nullptr;

  size_t Index(int32_t k, int32_t j) const {
    return static_cast<size_t>(k) * static_cast<size_t>(stepV + 1) + static_cast<size_t>(j);
  }
  size_t Count() const { return static_cast<size_t>(stepU + 1) * static_cast<size_t>(stepV + 1); }
};

// The positions a graph draws for an animation step. The scene tables for most kinds; for the
// animated surface (kind 12) the markers Anim3D(k, j, step), copied into this object's storage.
// Raises the subscript error when the tables or markers do not cover the graph's steps.
class SurfaceVertices {
 public:
  SurfaceVertices(const Cls9& graph, int32_t lngAnimStep);
  SurfaceVertices(const SurfaceVertices&) = delete;
  SurfaceVertices& operator=(const SurfaceVertices&) = delete;

  const SurfacePositions& Positions() const { return positions_; }
  // True when a coordinate of the vertex is the undefined-sample marker.
  bool Undefined(size_t index) const { return undefined_[index] != 0; }

 private:
  SurfacePositions positions_;
  // The markers of kind 12, and the coordinates a graph keeps as an axis or a constant.
  std::vector<float> x_, y_, z_;
  std::vector<unsigned char> undefined_;
};

// Low value and span of one colour channel.
struct ChannelRange {
  double low = 0.0;
  double span = 0.0;
};

// The three channel ranges and the seam cell sizes derived from them.
struct SurfaceRanges {
  std::array<ChannelRange, 3> channel;  // red, green, blue
  double seamX = 0.0;                   // red span / StepU
  double seamY = 0.0;                   // green span / StepV
  double seamZ = 0.0;                   // blue span / max(StepU, StepV)
};

// Channel ranges from the colour codes (1 scene X, 2 scene Y, 3 the u domain, 4 the v domain,
// 5 the magnitude; other codes 0) and the graph's box limits. Raises the division-by-zero error
// when a step count is 0.
SurfaceRanges ChannelRanges(const Cls9& graph);

// r, g, b per vertex (3 each, vertex order of the grid), from the colour tables. Worked out in
// double and kept as the float OpenGL stores a colour as. A span of 0 is taken as 0.000001. A
// colour table that does not cover the grid reads as 0.
void ComputeVertexColors(const Cls9& graph, const SurfaceRanges& ranges, std::vector<float>& rgb);

// Cell normals: the normalised cross product of the diagonals (P0 - P2) x (P1 - P3), a zero
// length taken as 0.0001. With flatY every corner's Y is taken as flatYValue (the colour map).
void ComputeCellNormals(const SurfacePositions& p, bool flatY, float flatYValue,
                        std::array<GridTable, 3>& cell);

// Whether the grid closes on itself: first tried along j (columns k = 0 and k = StepU, vertex
// j = 0 against j = StepV), then along k; at most one seam.
enum class Seam { kNone, kAlongJ, kAlongK };
Seam FindSeam(const SurfacePositions& p, const SurfaceRanges& ranges);

// Vertex normals: the normalised sum of the normals of the cells that share the vertex (a zero
// length taken as 1). Across a seam the first border line sums its cells on both sides and the
// opposite border line gets the same normal.
void ComputeVertexNormals(const SurfacePositions& p, const std::array<GridTable, 3>& cell, Seam seam,
                          std::array<GridTable, 3>& vertex);

// The extent of the defined vertices of a graph for a step; false when it has none (or the
// positions cannot be read).
bool SurfaceExtent(const Cls9& graph, int32_t lngAnimStep, Cls1& box);

}  // namespace quillon
