#pragma once
// Drawing of a scene container: every graph in order, animated ones at the frame asked for.

#include <cstdint>

#include "scene/model/container.h"

namespace quillon {

// Calls each graph's Draw: with lngAnimStep when the graph is animated, else with frame 0.
void Draw(Cls8& scene, int32_t& lngAnimStep);

}  // namespace quillon
