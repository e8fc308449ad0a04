#pragma once
// Which scene axis of a graph is clipped and to what range. The automatic range is a robust
// one, so that a pole does not flatten the rest of the surface: the 2nd and 98th percentiles
// of the finite values on that axis, widened on each side by half their distance, and never
// beyond the values themselves (a graph without outliers keeps its whole range).

#include <cstdint>
#include <optional>
#include <utility>

#include "graph/graph.h"

namespace quillon {

// The scene axis (0 X, 1 Y, 2 Z) whose quantity is u, v or |w|: the height (scene Y) when it
// carries one, else scene X, else scene Z; -1 when no axis does.
int32_t ClipAxis(const Cls9& graph);

// The automatic range of the finite values of a table; none when it holds no finite value.
// Tables of more than 262144 values are read at a regular stride, so the range costs the same
// for any grid.
std::optional<std::pair<float, float>> AutomaticClipRange(const GridTable& table);

// The range the clipped axis is drawn and boxed in, in the values that axis shows (log10 |w|
// where the graph shows log |w| there): none when the graph is not clipped (ClipMode::kOff,
// no axis carries u, v or |w|, no finite value, or a "From MIN to MAX" range that is empty
// or not finite).
std::optional<std::pair<float, float>> ResolveClipRange(const Cls9& graph);

}  // namespace quillon
