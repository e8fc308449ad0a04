#include "scene/model/scene_scaling.h"

#include <algorithm>

namespace quillon {

float SceneScaling::Shown(int axis, float value) const {
  const auto a = static_cast<size_t>(axis);
  return static_cast<float>((static_cast<double>(value) - centre[a]) * scale[a]);
}

Cls1 SceneScaling::ShownBox(const Cls1& box) const {
  Cls1 b;
  b.MinX = Shown(0, box.MinX);
  b.MaxX = Shown(0, box.MaxX);
  b.MinY = Shown(1, box.MinY);
  b.MaxY = Shown(1, box.MaxY);
  b.MinZ = Shown(2, box.MinZ);
  b.MaxZ = Shown(2, box.MaxZ);
  return b;
}

SceneScaling ScalingFor(const Cls1& box, BoxScale mode) {
  SceneScaling s;
  if (mode != BoxScale::kCube) return s;
  const std::array<double, 3> lo{box.MinX, box.MinY, box.MinZ};
  const std::array<double, 3> hi{box.MaxX, box.MaxY, box.MaxZ};
  std::array<double, 3> extent{};
  for (size_t a = 0; a < 3; ++a) {
    if (!(hi[a] >= lo[a])) return s;  // an empty box
    extent[a] = hi[a] - lo[a];
  }
  double side = std::max(extent[0], extent[2]);
  if (!(side > 0.0)) side = extent[1];
  if (!(side > 0.0)) side = 1.0;
  for (size_t a = 0; a < 3; ++a) {
    s.centre[a] = (lo[a] + hi[a]) / 2.0;
    s.scale[a] = extent[a] > 0.0 ? side / extent[a] : 1.0;
  }
  return s;
}

}  // namespace quillon
