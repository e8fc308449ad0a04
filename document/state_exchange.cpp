#include "document/state_exchange.h"

#include "common/program_state.h"

namespace quillon {

SamplingSettings ProgramSamplingSettings() {
  ProgramState& state = State();
  if (state.FrameCount == 0) state.FrameCount = 1;
  SamplingSettings settings;
  settings.frameCount = state.FrameCount;
  settings.view = {state.ViewMinX, state.ViewMaxX, state.ViewMinY,
                   state.ViewMaxY, state.ViewMinZ, state.ViewMaxZ};
  return settings;
}

SceneDrawState LoadSceneDrawState() {
  const ProgramState& state = State();
  SceneDrawState drawState;
  drawState.frameCount = state.FrameCount;
  drawState.trackballActive = state.TrackballActive;
  drawState.currentRotation = state.CurrentRotation;
  drawState.planeCurveBox.MaxX = state.GlobalBoxMaxX;
  drawState.planeCurveBox.MinX = state.GlobalBoxMinX;
  drawState.planeCurveBox.MaxY = state.GlobalBoxMaxY;
  drawState.planeCurveBox.MinY = state.GlobalBoxMinY;
  drawState.planeCurveBox.MaxZ = state.GlobalBoxMaxZ;
  drawState.planeCurveBox.MinZ = state.GlobalBoxMinZ;
  drawState.resultText = state.ResultText;
  return drawState;
}

void StoreSceneDrawState(const SceneDrawState& drawState) {
  ProgramState& state = State();
  state.TrackballActive = drawState.trackballActive;
  state.CurrentRotation = drawState.currentRotation;
  state.GlobalBoxMaxX = drawState.planeCurveBox.MaxX;
  state.GlobalBoxMinX = drawState.planeCurveBox.MinX;
  state.GlobalBoxMaxY = drawState.planeCurveBox.MaxY;
  state.GlobalBoxMinY = drawState.planeCurveBox.MinY;
  state.GlobalBoxMaxZ = drawState.planeCurveBox.MaxZ;
  state.GlobalBoxMinZ = drawState.planeCurveBox.MinZ;
  state.ResultText = drawState.resultText;
}

}  // namespace quillon
