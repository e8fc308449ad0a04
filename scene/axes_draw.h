#pragma once
// Drawing of the axes frame (Cls3) for every scene kind: the 3D box frame with panels,
// grids, ticks, labels and titles, axes through the origin, the flat frame of colour maps,
// and the background, grid and axes of plane scenes.

#include <cstdint>
#include <string>

#include "graph/box.h"
#include "scene/model/axes_frame.h"

namespace quillon {

// What the box frame's tick labels show when the box is drawn scaled (a cube): the true values
// at the box's sides, and whether the labels are drawn as 3D text at all (screen labels are
// drawn over the finished frame instead).
struct FrameLabelValues {
  Cls1 values;
  bool text3D = true;
};

// Draws the frame for the box (scene coordinates). The drawing depends on SceneKind, not on
// gtpGraphType. The box values are read, never changed. sceneUnit is the unit of the scene's
// box (Cls8::SceneUnit), which sets the tick step of plane scenes. Without `labels` the box
// frame's labels show the box's own values as 3D text.
void Draw(Cls3& axes, int32_t gtpGraphType, float& MinX, float& MaxX, float& MinY, float& MaxY, float& MinZ,
          float& MaxZ, float sceneUnit, const FrameLabelValues* labels = nullptr);

// Plane scenes: the coloured background (and its shadow) and the primary and secondary grid,
// whose step follows sceneUnit as the axes' ticks do.
void DrawBackground(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ);
void Draw2DGrid(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ,
                float sceneUnit);

// A tick label: one digit after the point, leading zero, "-" for negatives ("-2.0", "0.5");
// a value that rounds to zero reads "0.0".
std::string FormatTickLabel(double value);

// Interval counts the frame draws with: the settings are meant to hold 1..500; anything
// outside is drawn as the nearest count in that range.
int32_t FrameIntervals(int32_t count);

// The estimated width of a text in scene units, as the label layout assumes.
inline double EstimatedTextWidth(const std::string& text) {
  return static_cast<double>(text.size()) / 3.9;
}

// The flat frames' pieces, shared by the dispatcher.
void DrawBoxFrame(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ,
                  const FrameLabelValues* labels = nullptr);
void DrawOriginAxes(float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ);
void DrawColorMapFrame(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float MinZ,
                       float MaxZ);
void DrawPlaneAxes(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float sceneUnit);

}  // namespace quillon
