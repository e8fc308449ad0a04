#pragma once
// Small o (zero) and x (pole) marks over a finished frame: each point is projected with the
// frame's own matrices and its mark drawn flat in window pixels, in front of the graphs, so it
// keeps its shape and size from every side and is never hidden under a surface.

#include <array>
#include <string>
#include <vector>

#include "graph/zeros_poles.h"
#include "scene/model/container.h"

namespace quillon {

struct RootMark {
  float x = 0.0f, y = 0.0f, z = 0.0f;  // scene coordinates, before the scene's orientation
  bool pole = false;
};

// The marks of a graph's zeros and poles, each where MarkPosition puts it on the drawn graph.
std::vector<RootMark> MarksOf(const Cls9& graph, const std::vector<ZeroOrPole>& roots);

// The marks of every drawn graph whose function can be searched, each searched over its own
// domain, for a picture made without the window. A function that does not compile (its box has
// been shown) or a search that fails adds no marks and a line to `problems`.
std::vector<RootMark> SearchAndMarkAll(const Cls8& drawScene, std::vector<std::string>& problems);

// Draws the marks with the current projection, the current model-view matrix multiplied by
// `orientation` (column-major), and the current viewport. Every state it changes is restored.
// The marks grow with the viewport (a print or a large export keeps their share of the picture).
void DrawRootMarks(const std::vector<RootMark>& marks, const std::array<float, 16>& orientation);

// The radius of a mark in pixels for a viewport of this size.
float RootMarkRadius(int viewportWidth, int viewportHeight);

}  // namespace quillon
