#pragma once
// What the undoable commands act on (the scene document, the light, the camera) and the
// settings around the graphs that a command may change with them: the axes frame, the scene's
// extra settings and orientation, the light, the projection and view intervals, and the
// program-wide scene kind, graph IDs and axis title letters. A command keeps the settings
// before and after it and, when undone or redone, puts back only the groups it changed, so
// that a view the user turned in between is left as it is.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "document/scene_document.h"
#include "scene/model/camera.h"
#include "scene/model/light.h"

namespace quillon {

struct UndoTarget {
  SceneDocument& doc;
  Cls10& light;
  Cls4& camera;
  // Brings the window in step after a command was undone or redone (list, drawing, view
  // buttons); empty where there is no window.
  std::function<void()> refresh;

  void Refresh() const {
    if (refresh) refresh();
  }
};

struct SceneSettings {
  Cls3 axes;
  SceneExtras extras;
  std::array<float, 3> rotation{};  // DrawScene's RotRoll, RotPitch, RotYaw
  std::array<float, 4> currentRotation{};
  bool trackballActive = false;
  Cls10 light;
  int32_t projectType = 1;
  std::array<float, 6> viewIntervals{};
  int32_t sceneKind = 0;
  int32_t lastGraphID = 0;
  std::array<std::string, 3> titleLetters;

  static SceneSettings Capture(const UndoTarget& target);
  // Sets every group in which this differs from `from` to this one's values.
  void ApplyOver(const SceneSettings& from, const UndoTarget& target) const;
  // True when the two differ in what a saved document holds (axes, extra settings, kind).
  bool DocumentDiffers(const SceneSettings& other) const;

  bool operator==(const SceneSettings&) const = default;
};

}  // namespace quillon
