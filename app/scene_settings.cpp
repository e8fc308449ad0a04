#include "app/scene_settings.h"

#include "common/program_state.h"

namespace quillon {

SceneSettings SceneSettings::Capture(const UndoTarget& target) {
  const ProgramState& state = State();
  SceneSettings s;
  s.axes = target.doc.Axes;
  s.extras = target.doc.Extras;
  s.rotation = {target.doc.DrawScene.RotRoll, target.doc.DrawScene.RotPitch, target.doc.DrawScene.RotYaw};
  s.currentRotation = state.CurrentRotation;
  s.trackballActive = state.TrackballActive;
  s.light = target.light;
  s.projectType = target.camera.ProjectType;
  s.viewIntervals = {state.ViewMinX, state.ViewMaxX, state.ViewMinY,
                     state.ViewMaxY, state.ViewMinZ, state.ViewMaxZ};
  s.sceneKind = state.SceneKind;
  s.lastGraphID = state.LastGraphID;
  s.titleLetters = {state.TitleLetterX, state.TitleLetterY, state.TitleLetterZ};
  return s;
}

void SceneSettings::ApplyOver(const SceneSettings& from, const UndoTarget& target) const {
  ProgramState& state = State();
  if (axes != from.axes) target.doc.Axes = axes;
  if (extras != from.extras) target.doc.Extras = extras;
  if (rotation != from.rotation || currentRotation != from.currentRotation ||
      trackballActive != from.trackballActive) {
    target.doc.DrawScene.RotRoll = rotation[0];
    target.doc.DrawScene.RotPitch = rotation[1];
    target.doc.DrawScene.RotYaw = rotation[2];
    state.CurrentRotation = currentRotation;
    state.TrackballActive = trackballActive;
  }
  if (light != from.light) target.light = light;
  if (projectType != from.projectType) target.camera.ProjectType = projectType;
  if (viewIntervals != from.viewIntervals) {
    state.ViewMinX = viewIntervals[0];
    state.ViewMaxX = viewIntervals[1];
    state.ViewMinY = viewIntervals[2];
    state.ViewMaxY = viewIntervals[3];
    state.ViewMinZ = viewIntervals[4];
    state.ViewMaxZ = viewIntervals[5];
  }
  if (sceneKind != from.sceneKind) state.SceneKind = sceneKind;
  if (lastGraphID != from.lastGraphID) state.LastGraphID = lastGraphID;
  if (titleLetters != from.titleLetters) {
    state.TitleLetterX = titleLetters[0];
    state.TitleLetterY = titleLetters[1];
    state.TitleLetterZ = titleLetters[2];
  }
}

bool SceneSettings::DocumentDiffers(const SceneSettings& other) const {
  return axes != other.axes || extras != other.extras || sceneKind != other.sceneKind;
}

}  // namespace quillon
