#pragma once
// The program-wide values that compiling and displaying a scene read and leave. The window
// and the command line fill one from the program's state before they compile or display and
// store it back afterwards (document/state_exchange.h); the drawing code itself never reads
// or writes the program-wide state.

#include <cstdint>
#include <string>

#include "graph/box.h"
#include "scene/model/quaternion.h"

namespace quillon {

struct SceneDrawState {
  // Read: an animated scene compiles frameCount + 1 frame lists.
  int32_t frameCount = 10;
  // Read: the mouse has set currentRotation. When it has not, compiling sets currentRotation
  // from the container's angles, so that a later drag continues from what is shown.
  bool trackballActive = false;
  Quat currentRotation = kIdentityQuat;
  // Read and written: the box the plane curves' drawing leaves, which the boxes of the plane
  // kinds take in (a plane curve is framed from the compile after the one that first drew it).
  Cls1 planeCurveBox;
  // Written: the Result box's text. Every graph drawn empties it; the plane curves fill it.
  std::string resultText;
};

}  // namespace quillon
