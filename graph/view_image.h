#pragma once
// A colour map's picture of part of the z-plane sampled again at screen resolution, for when
// the view is zoomed into the map beyond its own grid. The graph's domain does not change;
// the picture only covers what was seen.

#include <cstdint>
#include <vector>

namespace quillon {

// A rectangle of the z-plane: x = Re z across, y = Im z upwards.
struct PlaneRect {
  double minX = 0.0;
  double maxX = 0.0;
  double minY = 0.0;
  double maxY = 0.0;
  bool operator==(const PlaneRect&) const = default;
};

struct ViewImage {
  PlaneRect rect;  // what the picture covers, pixel edges to pixel edges
  int32_t width = 0;
  int32_t height = 0;
  // RGBA, row 0 at minY, width pixels per row from minX.
  std::vector<uint8_t> rgba;
};

}  // namespace quillon
