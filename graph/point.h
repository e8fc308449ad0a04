#pragma once
// A point with a marker style: a plain record in the graphs' animation tables, and a visible
// marker when drawn (the drawing lives with the renderer).

#include <cstdint>

namespace quillon {

// A point with a marker style: an animation table entry, or a marker when drawn.
class Cls2 {
 public:
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  int32_t Color = 0;
  float Size = 0.15f;
  bool Hollow = false;
  bool Show = false;
  int32_t Symbol = 0;

  // A new marker at (x, y, z) with default style; the object called on is not changed.
  Cls2 Init(float sngX, float sngY, float sngZ) const {
    Cls2 p;
    p.x = sngX;
    p.y = sngY;
    p.z = sngZ;
    return p;
  }
};

// Coordinate value that marks a point-marker sample outside the view intervals.
inline constexpr float kUndefinedSample = 0.12345f;

}  // namespace quillon
