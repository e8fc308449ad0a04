#pragma once
// The OpenGL side of the camera: the viewport and loading the matrices the camera computes.

#include <cstdint>

#include "scene/model/camera.h"
#include "scene/model/container.h"

namespace quillon {

// glViewport(0, 0, x, y) and the camera's screen size (a height of 0 counts as 1 there).
void SetScreen(Cls4& camera, int32_t x, int32_t y);

// Returns GL to normal rendering and loads the projection and model-view matrices; the
// perspective near distance comes from the scene's box for frame 0 (planeCurveBox: see
// Cls8::GetBox).
void Projection(Cls4& camera, Cls8& drawScene, const Cls1& planeCurveBox);

}  // namespace quillon
