#pragma once
// Drawing of one graph: the shared preparation (box, status text, colour tracking, material)
// and the dispatch on the graph's kind. Draws into the current OpenGL context; the scene
// records the calls into its display lists.

#include <cstdint>
#include <string>

#include "graph/box.h"
#include "graph/graph.h"

namespace quillon {

// Draws the graph for an animation step (0 when it is not animated). planeCurveBox is the box
// the plane curves leave: the plane kinds' boxes take it in, and a plane curve drawn replaces it
// with its extent. resultText is the Result box's text: emptied first, then the plane-curve
// kinds write their status line there. Both are the caller's to keep from graph to graph and
// from compile to compile. A run-time error in the preparatory arithmetic or in a drawing branch
// ends it silently (what was drawn stays). It never shows a message box.
void Draw(Cls9& graph, int32_t& lngAnimStep, Cls1& planeCurveBox, std::string& resultText);

// The box limits Draw gives a graph before drawing it for an animation step (what the colour
// ranges and layers of the surface renderer are taken from). No OpenGL. planeCurveBox: as for Draw.
void PrepareGraphBox(Cls9& graph, int32_t lngAnimStep, const Cls1& planeCurveBox);

}  // namespace quillon
