#pragma once
// A bounding box: six single-precision limits in scene coordinates.

namespace quillon {

inline constexpr float kEmptyBoxMax = -9999999.0f;
inline constexpr float kEmptyBoxMin = 9999999.0f;

// A bounding box: six limits in scene coordinates.
class Cls1 {
 public:
  float MaxZ = 0.0f;
  float MinZ = 0.0f;
  float MaxY = 0.0f;
  float MinY = 0.0f;
  float MaxX = 0.0f;
  float MinX = 0.0f;

  // The box has no drawing of its own.
  void Draw() const {}

  // The box with these limits.
  static Cls1 Of(float minX, float maxX, float minY, float maxY, float minZ, float maxZ) {
    Cls1 box;
    box.MinX = minX;
    box.MaxX = maxX;
    box.MinY = minY;
    box.MaxY = maxY;
    box.MinZ = minZ;
    box.MaxZ = maxZ;
    return box;
  }

  // An empty box: every maximum -9999999, every minimum 9999999.
  static Cls1 Empty() {
    Cls1 box;
    box.MaxX = box.MaxY = box.MaxZ = kEmptyBoxMax;
    box.MinX = box.MinY = box.MinZ = kEmptyBoxMin;
    return box;
  }
};

}  // namespace quillon
