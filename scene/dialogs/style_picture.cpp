#include "scene/dialogs/style_picture.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

#include "scene/dialogs/color_chooser.h"

namespace quillon {
namespace {

constexpr int kPreviewSize = 40;

}  // namespace

StylePicture::StylePicture(int style, QWidget* parent) : QLabel(parent), style_(style) {
  setObjectName("Image1");
  setProperty("Index", style);
  setFixedSize(kPreviewSize + 6, kPreviewSize + 6);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setToolTip(tr("Background style %1").arg(style));
}

void StylePicture::SetColors(int32_t first, int32_t second) {
  const QColor a = QColor::fromRgb(ColorToQRgb(first));
  const QColor b = QColor::fromRgb(ColorToQRgb(second));
  const QRectF area(0, 0, kPreviewSize, kPreviewSize);
  QPixmap pixmap(kPreviewSize, kPreviewSize);
  QPainter painter(&pixmap);
  switch (style_) {
    case 1:
    case 2:
    case 3:
    case 4: {
      // Left to right, bottom to top, and the two diagonals.
      static const QPointF kEnds[4][2] = {
          {{0, 0}, {1, 0}}, {{0, 1}, {0, 0}}, {{0, 1}, {1, 0}}, {{0, 0}, {1, 1}}};
      QLinearGradient gradient(kEnds[style_ - 1][0] * kPreviewSize, kEnds[style_ - 1][1] * kPreviewSize);
      gradient.setColorAt(0, a);
      gradient.setColorAt(1, b);
      painter.fillRect(area, gradient);
      break;
    }
    case 5: {
      QRadialGradient gradient(area.center(), kPreviewSize / 1.4);
      gradient.setColorAt(0, b);
      gradient.setColorAt(1, a);
      painter.fillRect(area, gradient);
      break;
    }
    default:
      painter.fillRect(area, a);
      break;
  }
  painter.setPen(Qt::black);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  painter.end();
  setPixmap(pixmap);
}

void StylePicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit clicked(style_);
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void StylePicture::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    emit clicked(style_);
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace quillon
