#pragma once
// Lines of constant modulus (|w| = 2^k) and constant phase (arg w a multiple of pi/6) of a
// graph's sampled values, traced on its grid with the contour tracer and drawn over the
// colour map or on the surface.

#include <cstdint>
#include <vector>

#include "graph/graph.h"
#include "render/surface_prep.h"

namespace quillon {

// One traced segment in grid coordinates: k from 0 to StepU, j from 0 to StepV, fractional
// along the grid edge it crosses.
struct GridSegment {
  float k1 = 0.0f, j1 = 0.0f, k2 = 0.0f, j2 = 0.0f;
};

struct ComplexContourLines {
  std::vector<GridSegment> modulus;
  std::vector<GridSegment> phase;
};

// The lines the graph's Extras.contours asks for, from its u and v tables (nothing when
// they do not cover the grid). Modulus lines follow log2 |w| through its whole levels; phase
// lines follow sin(arg w - m pi/6) = 0 for m = 0..5, which is continuous where arg w jumps,
// so no line runs along the jump. Grid points without a value, zeros and poles stop a line.
ComplexContourLines TraceComplexContours(const Cls9& graph);

// Draws the lines into the current context: on the plane z = 0 for a colour map (scene X
// across, scene Z upwards), on the surface itself otherwise.
void DrawComplexContours(const Cls9& graph, const SurfaceVertices& vertices);

}  // namespace quillon
