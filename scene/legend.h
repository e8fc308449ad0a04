#pragma once
// The colouring legend: a colour wheel with argument labels for the phase colourings, a bar
// with |w| labels for Modulus. A picture of constant size in device pixels, placed in the
// lower right corner of the drawing area; painted with QPainter (into any picture) or drawn
// as a 2D pass after the 3D frame in the current OpenGL context.

#include <QImage>
#include <QPainter>
#include <QSize>
#include <optional>

#include "graph/colouring.h"
#include "scene/model/container.h"

namespace quillon {

struct LegendSpec {
  Colouring mode = Colouring::kPhase;
  ModulusRange range;  // Modulus only
  bool operator==(const LegendSpec&) const = default;
};

// The legend of the first graph of the scene coloured from w; nothing when every graph is
// coloured by channels (or there is none).
std::optional<LegendSpec> SceneLegend(const Cls8& drawScene);

// The legend as a picture with a transparent surround.
QImage LegendImage(const LegendSpec& kind);

// Where the legend's top left corner goes in a drawing area of `area` device pixels (y down).
QPoint LegendPlace(QSize area, QSize legend);

// Paints the legend into a picture of the drawing area.
void PaintLegend(QPainter& painter, QSize area, const LegendSpec& kind);

// Draws the legend over what the current context holds, in window coordinates; the matrices
// and the state it changes are restored.
void DrawLegendGl(QSize area, const LegendSpec& kind);

}  // namespace quillon
