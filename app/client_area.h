#pragma once
// The window's client area below the menus and toolbars: graph list over result box on the
// left, drawing area on the right, the two splitter bars between them. The bars' places are
// kept in window coordinates (below the menu bar) and clamped on release.

#include <QWidget>
#include <functional>

namespace quillon {

class SplitterBar;

class ClientArea : public QWidget {
  Q_OBJECT
 public:
  // What the clamping rules measure: the window's width and height below the menu bar, the
  // first toolbar's height, and where this area starts in those coordinates.
  struct WindowMetrics {
    int width = 0;
    int height = 0;
    int toolbarHeight = 0;
    QPoint origin;
  };

  ClientArea(QWidget* list, QWidget* result, QWidget* drawing, std::function<WindowMetrics()> metrics,
             QWidget* parent = nullptr);

  SplitterBar* VerticalBar() const { return splitter_; }
  SplitterBar* HorizontalBar() const { return splitter2_; }

  // The bars' places in window coordinates, as last set or dropped.
  int VerticalBarLeft() const { return barLeft_; }
  int HorizontalBarTop() const { return barTop_; }
  void SetVerticalBarLeft(int left);
  void SetHorizontalBarTop(int top);

  // Places every child from the bars' positions; sizes are kept non-negative and the bars
  // inside the area, so a tiny window still shows what fits.
  void LayOut();

 signals:
  void laidOut();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private slots:
  void OnVerticalReleased(int localLeft);
  void OnHorizontalReleased(int localTop);

 private:
  QWidget* list_;
  QWidget* result_;
  QWidget* drawing_;
  SplitterBar* splitter_;   // Splitter: the vertical bar between the left column and the drawing
  SplitterBar* splitter2_;  // Splitter2: the horizontal bar between list and result box
  std::function<WindowMetrics()> metrics_;
  int barLeft_ = 0;
  int barTop_ = 0;
};

}  // namespace quillon
