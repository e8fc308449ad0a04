#pragma once
// Grid points where the function has no value (a pole, an overflow, an invalid operation) hold
// NaN in the u, v and magnitude tables, and so in the scene and colour tables that share them;
// x and y keep their coordinates. Whatever reads sampled values asks HasValue, so that extremes,
// boxes, normals, contours and drawing all agree on what a hole is.

#include <cmath>
#include <limits>

namespace quillon {

// What a table holds where the function has no value.
inline constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// True for a usable sampled value: finite. Written as one comparison of the magnitude, which
// is false for NaN and infinities and which compilers keep vectorised inside loops.
inline bool HasValue(float value) {
  return std::fabs(value) <= std::numeric_limits<float>::max();
}
inline bool HasValue(double value) {
  return std::fabs(value) <= std::numeric_limits<double>::max();
}

}  // namespace quillon
