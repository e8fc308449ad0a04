#include "app/mouse_navigator.h"

#include "common/program_state.h"
#include "scene/model/camera.h"
#include "scene/model/trackball.h"

namespace quillon {

void MouseNavigator::SetMoveMode() {
  MoveMode = true;
  ZoomMode = false;
  RotateMode = false;
}

void MouseNavigator::SetZoomMode() {
  ZoomMode = true;
  MoveMode = false;
  RotateMode = false;
}

void MouseNavigator::SetRotateMode(int32_t rotationAxisMode) {
  RotateMode = true;
  MoveMode = false;
  ZoomMode = false;
  RotationAxisMode = rotationAxisMode;
}

void MouseNavigator::MouseDown(float x, float y) {
  LastMouseX = x;
  LastMouseY = y;
}

MouseNavigator::Effect MouseNavigator::MouseMove(float x, float y, int32_t width, int32_t height,
                                                 Cls4& camera) {
  if (width <= 0 || height <= 0) return Effect::None;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  Effect effect = Effect::None;
  if (ZoomMode) {
    ZoomFactor = 1.0f - (LastMouseY - y) / h;
    LastMouseX = x;
    LastMouseY = y;
    if (ZoomFactor > 0.0f) camera.Zoom(ZoomFactor);
    effect = Effect::Repaint;
  }
  if (RotateMode) {
    const float p1x = (2.0f * LastMouseX - w) / w, p1y = (h - 2.0f * LastMouseY) / h;
    const float p2x = (2.0f * x - w) / w, p2y = (h - 2.0f * y) / h;
    DragRotation = Trackball(p1x, p1y, p2x, p2y, RotationAxisMode);
    ProgramState& state = State();
    state.TrackballActive = true;
    state.CurrentRotation = AddQuats(DragRotation, state.CurrentRotation);
    LastMouseX = x;
    LastMouseY = y;
    effect = Effect::Recompile;
  }
  if (MoveMode) {
    const float dx = (x - LastMouseX) / w, dy = (LastMouseY - y) / h;
    camera.MoveView(dx, dy);
    LastMouseX = x;
    LastMouseY = y;
    effect = Effect::Repaint;
  }
  return effect;
}

}  // namespace quillon
