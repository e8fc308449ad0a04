#pragma once
// Drawing of point markers (Cls2): a flat symbol in the plane scene, a small sphere otherwise.

#include "graph/point.h"

namespace quillon {

// Draws the marker in the current OpenGL state inside its own push/pop of the matrix. In the
// plane scene (SceneKind 1) Symbol picks one of six flat shapes (any other symbol draws
// nothing); in every other scene kind a GLU sphere of radius 0.05 x Size + 0.05. Symbols 2 and
// 6 leave the line width they set.
void Draw(const Cls2& marker);

// Radius of the sphere (and of the filled disc, symbol 1) for a marker size.
inline float MarkerRadius(float size) {
  return 0.05f * size + 0.05f;
}

}  // namespace quillon
