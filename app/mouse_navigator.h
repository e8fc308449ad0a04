#pragma once
// The mouse modes of the drawing area (move, zoom, rotate about a fixed axis or with the
// free trackball) and what one drag step does to the camera and the scene's orientation.
// No widgets: positions and sizes come in as numbers, so the rules are tested directly.

#include <cstdint>

#include "scene/model/quaternion.h"

namespace quillon {

class Cls4;

class MouseNavigator {
 public:
  // What the window must do after a drag step.
  enum class Effect { None, Repaint, Recompile };

  bool ZoomMode = false;
  bool MoveMode = false;
  bool RotateMode = false;
  int32_t RotationAxisMode = 0;  // 1 trackball, 2 about z, 3 about x, 4 about y (viewer's axes)
  float LastMouseX = 0.0f;
  float LastMouseY = 0.0f;
  Quat DragRotation{0.0f, 0.0f, 0.0f, 0.0f};
  float ZoomFactor = 1.0f;

  // The mode commands keep exactly one mode on.
  void SetMoveMode();
  void SetZoomMode();
  void SetRotateMode(int32_t rotationAxisMode);

  // Left button pressed at (x, y) in the drawing area's pixels.
  void MouseDown(float x, float y);
  // A move with only the left button held, in a drawing area of width x height pixels.
  // Zoom and move change the camera; rotation changes CurrentRotation and sets
  // TrackballActive. An area without width or height does nothing.
  Effect MouseMove(float x, float y, int32_t width, int32_t height, Cls4& camera);
};

}  // namespace quillon
