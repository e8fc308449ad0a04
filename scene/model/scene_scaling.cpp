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

SceneScaling ScalingFor(const Cls1& box, BoxScale mode, double padding) {
  SceneScaling s;
  s.framed = box;
  if (mode != BoxScale::kCube) return s;
  std::array<double, 3> lo{box.MinX, box.MinY, box.MinZ};
  std::array<double, 3> hi{box.MaxX, box.MaxY, box.MaxZ};
  for (size_t a = 0; a < 3; ++a) {
    if (!(hi[a] >= lo[a])) return s;      // an empty box
    if (hi[a] - lo[a] > 2.0 * padding) {  // a flat axis keeps its padding
      lo[a] += padding;
      hi[a] -= padding;
    }
  }
  s.framed = Cls1{static_cast<float>(hi[2]), static_cast<float>(lo[2]), static_cast<float>(hi[1]),
                  static_cast<float>(lo[1]), static_cast<float>(hi[0]), static_cast<float>(lo[0])};
  for (size_t a = 0; a < 3; ++a) {
    const double extent = hi[a] - lo[a];
    s.centre[a] = (lo[a] + hi[a]) / 2.0;
    s.scale[a] = extent > 0.0 ? kCubeSide / extent : 1.0;
  }
  return s;
}

}  // namespace quillon
