#pragma once
// Loads the light settings into OpenGL: light 0, the mirrored light 1, the light model.

#include "scene/model/light.h"

namespace quillon {

void SetLight(const Cls10& light);

}  // namespace quillon
