#include "scene/dialogs/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "scene/dialogs/color_chooser.h"

namespace quillon {

ColorSwatch::ColorSwatch(const QString& objectName, int32_t color, QWidget* parent)
    : QFrame(parent), color_(color) {
  setObjectName(objectName);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setMinimumSize(36, 20);
  setToolTip(tr("Click to choose a colour"));
}

void ColorSwatch::SetColor(int32_t color) {
  if (color == color_) return;
  color_ = color;
  update();
  emit colorChanged(color_);
}

void ColorSwatch::Choose() {
  if (const auto chosen = ChooseColor(color_, this)) SetColor(*chosen);
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inside = contentsRect().adjusted(2, 2, -2, -2);
  painter.fillRect(inside, QColor::fromRgb(ColorToQRgb(color_)));
  if (hasFocus()) {
    painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
    painter.drawRect(inside.adjusted(0, 0, -1, -1));
  }
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Choose();
    return;
  }
  QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    Choose();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace quillon
