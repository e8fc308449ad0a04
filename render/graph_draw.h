#pragma once
// Drawing of one graph: the shared preparation (box, status text, colour tracking, material)
// and the dispatch on the graph's kind. Draws into the current OpenGL context; the scene
// records the calls into its display lists.

#include <cstdint>

#include "graph/graph.h"

namespace quillon {

// Draws the graph for an animation step (0 when it is not animated). Empties
// State().ResultText first; the plane-curve kinds write their status line there. A run-time
// error in the preparatory arithmetic or in a drawing branch ends it silently (what was drawn
// stays). It never shows a message box.
void Draw(Cls9& graph, int32_t& lngAnimStep);

// The box limits Draw gives a graph before drawing it for an animation step (what the colour
// ranges and layers of the surface renderer are taken from). No OpenGL.
void PrepareGraphBox(Cls9& graph, int32_t lngAnimStep);

}  // namespace quillon
