#pragma once
// Drawing of a scene container: every graph in order, animated ones at the frame asked for.

#include <cstdint>
#include <string>

#include "graph/box.h"
#include "scene/model/container.h"

namespace quillon {

// Calls each graph's Draw: with lngAnimStep when the graph is animated, else with frame 0;
// planeCurveBox and resultText go from graph to graph (render/graph_draw.h).
void Draw(Cls8& scene, int32_t& lngAnimStep, Cls1& planeCurveBox, std::string& resultText);

}  // namespace quillon
