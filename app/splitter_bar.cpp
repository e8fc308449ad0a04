#include "app/splitter_bar.h"

#include <QMouseEvent>
#include <QPalette>

namespace quillon {

SplitterBar::SplitterBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  setObjectName(objectName);
  setAutoFillBackground(true);
  setCursor(orientation == Qt::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
  Shade(false);
}

void SplitterBar::Shade(bool dragging) {
  QPalette p = palette();
  p.setColor(QPalette::Window, dragging ? p.color(QPalette::Dark) : p.color(QPalette::Button));
  setPalette(p);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  const QPoint at = event->position().toPoint();
  pressOffset_ = orientation_ == Qt::Vertical ? at.x() : at.y();
  Shade(true);
  raise();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint at = event->position().toPoint();
  if (orientation_ == Qt::Vertical)
    move(x() + at.x() - pressOffset_, y());
  else
    move(x(), y() + at.y() - pressOffset_);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  Shade(false);
  emit released(orientation_ == Qt::Vertical ? x() : y());
}

}  // namespace quillon
