#pragma once
// A hand-moved splitter bar: pressing starts a drag and shades the bar, moving shifts it
// with the mouse, releasing restores its colour and tells the owner to clamp and lay out.

#include <QWidget>

namespace quillon {

class SplitterBar : public QWidget {
  Q_OBJECT
 public:
  SplitterBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent);

  Qt::Orientation Orientation() const { return orientation_; }
  bool Dragging() const { return dragging_; }

 signals:
  // The bar's new left (vertical bar) or top (horizontal bar) in its parent, after a drag.
  void released(int position);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Shade(bool dragging);

  Qt::Orientation orientation_;
  bool dragging_ = false;
  int pressOffset_ = 0;
};

}  // namespace quillon
