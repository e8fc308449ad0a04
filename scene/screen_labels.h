#pragma once
// Tick labels and axis titles drawn flat on the screen after the 3D frame: a constant size in
// pixels, upright, facing the viewer, placed beside the box edge of each axis that lies
// outermost on screen, and never overlapping (a label that would touch one already placed is
// left out). The window, the command line and every export share this code through
// SceneFrame::Display, which paints them into an overlay image over the finished frame.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/box.h"

class QPainter;

namespace quillon {

// Maps scene points (in the coordinates the axes frame is drawn in) to window pixels, y down.
struct ScreenProjection {
  std::array<double, 16> matrix{};  // projection x model-view x orientation, column-major
  double width = 1.0, height = 1.0;

  // The window position, and the depth in -1..1 (smaller is nearer).
  QPointF Project(double x, double y, double z, double* depth = nullptr) const;
  // The product of two column-major matrices, a x b.
  static std::array<double, 16> Multiply(const std::array<double, 16>& a, const std::array<double, 16>& b);
};

// What the labels of a box frame show: where the box is drawn, the true values at its sides,
// the interval count and title of each scene axis (X, Y, Z).
struct FrameLabelSet {
  bool active = false;
  Cls1 shown;
  Cls1 values;
  std::array<int32_t, 3> intervals{1, 1, 1};
  std::array<std::string, 3> titles;
};

struct PlacedLabel {
  QRectF rect;
  QString text;
  bool title = false;
};

// The tick label texts of one axis: as few decimals as keep neighbouring ticks apart (at least
// one), and three significant digits for values of 100000 and more.
std::vector<QString> TickTexts(double from, double to, int32_t intervals);

// Where each label goes (titles first, then the end labels of each axis, then the rest), with
// the labels that would overlap one placed before them, or leave the picture, left out.
std::vector<PlacedLabel> LayoutFrameLabels(const FrameLabelSet& set, const ScreenProjection& projection);

// Paints the labels of a frame with the label and title fonts. Other overlays (a legend) can
// paint with the same painter and projection in the same pass.
void PaintFrameLabels(QPainter& painter, const FrameLabelSet& set, const ScreenProjection& projection);

}  // namespace quillon
