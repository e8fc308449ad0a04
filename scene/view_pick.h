#pragma once
// From window pixels back to the scene: the inverse of the frame's projection, camera and
// orientation, for reading values under the mouse and for knowing which part of a flat
// colour map is on screen. Pure maths on the matrices the frame loads; no GL state is read.

#include <array>
#include <optional>

#include "graph/view_image.h"
#include "scene/model/camera.h"
#include "scene/model/container.h"

namespace quillon {

// The full transform of a frame: projection x camera x orientation, and the viewport.
struct ViewTransform {
  std::array<double, 16> projection{};
  std::array<double, 16> modelView{};  // camera look-at times the scene's orientation
  std::array<int, 4> viewport{};
};

// What Display loads for the camera and the current orientation (State().CurrentRotation).
ViewTransform CurrentViewTransform(const Cls4& camera, Cls8& drawScene);

// The scene point at window pixel (x, y), y counted down from the top as widgets do, and a
// window depth in 0..1; nothing when the transform cannot be inverted.
std::optional<std::array<double, 3>> Unproject(const ViewTransform& view, double x, double y, double depth);

// Where the line of sight through pixel (x, y) meets the scene plane z = 0, in which colour
// maps lie; nothing when it runs parallel to it.
std::optional<std::array<double, 2>> PickOnMapPlane(const ViewTransform& view, double x, double y);

// The rectangle of the plane z = 0 (scene X across, scene Y upwards) that the drawing area
// shows: the box around the picks of its four corners.
std::optional<PlaneRect> VisibleMapPlane(const ViewTransform& view);

}  // namespace quillon
