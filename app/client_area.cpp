#include "app/client_area.h"

#include <algorithm>

#include "app/splitter_bar.h"
#include "app/splitter_limits.h"

namespace quillon {

ClientArea::ClientArea(QWidget* list, QWidget* result, QWidget* drawing,
                       std::function<WindowMetrics()> metrics, QWidget* parent)
    : QWidget(parent), list_(list), result_(result), drawing_(drawing), metrics_(std::move(metrics)) {
  for (QWidget* child : {list_, result_, drawing_}) child->setParent(this);
  splitter_ = new SplitterBar(Qt::Vertical, "Splitter", this);
  splitter2_ = new SplitterBar(Qt::Horizontal, "Splitter2", this);
  connect(splitter_, &SplitterBar::released, this, &ClientArea::OnVerticalReleased);
  connect(splitter2_, &SplitterBar::released, this, &ClientArea::OnHorizontalReleased);
  splitter_->raise();
  splitter2_->raise();
}

void ClientArea::SetVerticalBarLeft(int left) {
  barLeft_ = left;
  LayOut();
}

void ClientArea::SetHorizontalBarTop(int top) {
  barTop_ = top;
  LayOut();
}

void ClientArea::OnVerticalReleased(int localLeft) {
  const WindowMetrics m = metrics_();
  barLeft_ = ClampVerticalBarLeft(localLeft + m.origin.x(), m.width);
  LayOut();
}

void ClientArea::OnHorizontalReleased(int localTop) {
  const WindowMetrics m = metrics_();
  barTop_ = ClampHorizontalBarTop(localTop + m.origin.y(), m.height, m.toolbarHeight);
  LayOut();
}

void ClientArea::LayOut() {
  const WindowMetrics m = metrics_();
  const int w = width(), h = height();
  const int left = std::clamp(barLeft_ - m.origin.x(), 0, std::max(0, w - kVerticalBarWidth));
  const int top = std::clamp(barTop_ - m.origin.y(), 0, std::max(0, h - kHorizontalBarHeight));
  splitter_->setGeometry(left, 0, kVerticalBarWidth, h);
  drawing_->setGeometry(left + kVerticalBarWidth, 0, std::max(0, w - left - kVerticalBarWidth), h);
  splitter2_->setGeometry(0, top, left, kHorizontalBarHeight);
  result_->setGeometry(0, top + kHorizontalBarHeight, left, std::max(0, h - top - kHorizontalBarHeight));
  list_->setGeometry(0, 0, left, top);
  emit laidOut();
}

void ClientArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

}  // namespace quillon
