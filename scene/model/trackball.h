#pragma once
// The virtual trackball: the rotation that carries one mouse position to the next, as pure
// maths on positions scaled to -1..1 (x right, y up).

#include <cstdint>

#include "scene/model/quaternion.h"

namespace quillon {

// Radius of the virtual ball in scaled window units.
inline constexpr float kTrackballRadius = 0.5f;

// The drag rotation from (p1x, p1y) to (p2x, p2y). rotationAxisMode 1 turns freely about the
// axis P2 x P1; 2, 3 and 4 turn about the viewer's z, x and y axes, the sign chosen by the drag
// direction. Equal points, and a mode outside 1..4, give the identity.
Quat Trackball(float p1x, float p1y, float p2x, float p2y, int32_t rotationAxisMode);

// Height of a scaled position over the ball: on the sphere near the centre, on a hyperbolic
// sheet further out, so that positions off the ball still turn smoothly.
float ProjectToTrackball(float radius, float x, float y);

}  // namespace quillon
