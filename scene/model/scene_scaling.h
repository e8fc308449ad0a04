#pragma once
// How the scene's box is shown: in true scale, or as a cube. A cube scales each scene axis so
// that the box's sides are equal and centres the box on the origin, so rotations turn it about
// its middle; the horizontal sides (scene X and Z) keep the longer of their two lengths, so a
// domain keeps its size and only the heights are stretched or squeezed. Labels keep the true
// values: the scaling only maps them to where they are drawn.

#include <array>

#include "graph/box.h"
#include "scene/model/scene_extras.h"

namespace quillon {

// The side of a cube, in scene units: the same for every scene, so that the extruded 3D text
// (sized in scene units) reads the same at any range of values.
inline constexpr double kCubeSide = 20.0;

struct SceneScaling {
  // shown = (value - centre) x scale, axis by axis (scene X, Y, Z).
  std::array<double, 3> centre{0.0, 0.0, 0.0};
  std::array<double, 3> scale{1.0, 1.0, 1.0};
  // The box the frame is drawn around, in true values: the scene box itself, or for a cube
  // the graphs' own extent without the scene box's fixed padding, which would otherwise
  // dwarf a small range.
  Cls1 framed;

  bool IsIdentity() const {
    return centre == std::array<double, 3>{} && scale == std::array<double, 3>{1, 1, 1};
  }
  float Shown(int axis, float value) const;
  // The box where it is drawn.
  Cls1 ShownBox(const Cls1& box) const;
};

// The scaling of a scene box (padded by `padding` on every side, as the scene container pads
// it) for a box mode; true scale and an empty box give the identity.
SceneScaling ScalingFor(const Cls1& box, BoxScale mode, double padding = 0.0);

}  // namespace quillon
