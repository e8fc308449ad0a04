#pragma once
// What the mesh of one graph is built from: its scene tables as a grid, the scene axis its
// clip applies to and the interval its clip setting keeps.

#include <optional>
#include <utility>

#include "export/surface_mesh.h"
#include "graph/graph.h"

namespace quillon {

// The graph's scene tables (true values on the scene axes) as a grid, without colours.
// Tables that do not cover the graph's steps give a grid of no cells.
SurfaceGrid SceneGridOf(const Cls9& graph);

// The scene axis (0 x, 1 y, 2 z) that carries u, v or |w|: scene Y when it does, else the
// first of X and Z that does; nothing when no axis carries a value of w.
std::optional<int32_t> HeightAxisOf(const Cls9& graph);

// The interval the automatic clip rule keeps for this graph's height axis, whatever its own
// clip setting; nothing when no axis carries a value of w or it has no finite value.
std::optional<std::pair<float, float>> AutomaticClipRange(const Cls9& graph);

// The heights the graph's clip setting keeps: nothing for "off", the set range for a range,
// AutomaticClipRange for "automatic"; nothing when no axis carries a value of w.
std::optional<HeightInterval> GraphClipInterval(const Cls9& graph);

}  // namespace quillon
