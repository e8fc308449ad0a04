#include "scene/legend.h"

#include <GL/gl.h>

#include <QFont>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace quillon {

namespace {

constexpr int kWheelRadius = 32;  // device pixels
constexpr int kBarWidth = 12;
constexpr int kBarHeight = 100;
constexpr int kMargin = 10;     // from the drawing area's edges
constexpr int kPadding = 6;     // inside the legend's background
constexpr int kLabelRoom = 26;  // beside the wheel or bar for its labels

QRgb Pixel(const Rgb& c) {
  auto byte = [](float f) { return static_cast<int>(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f)); };
  return qRgb(byte(c.r), byte(c.g), byte(c.b));
}

QString ModulusLabel(double log10Value) {
  return QString::number(std::pow(10.0, log10Value), 'g', 2);
}

QImage Wheel(const LegendSpec& kind) {
  const int side = 2 * kWheelRadius + 1;
  QImage wheel(side, side, QImage::Format_ARGB32);
  wheel.fill(Qt::transparent);
  const ComplexColouring colour(kind.mode);
  for (int py = 0; py < side; ++py) {
    for (int px = 0; px < side; ++px) {
      const double x = px - kWheelRadius;
      const double y = kWheelRadius - py;  // upwards
      const double rho = std::hypot(x, y) / kWheelRadius;
      if (rho > 1.0) continue;
      // The enhanced wheel runs |w| from 1/4 at the centre to 4 at the rim, to show its bands.
      const double modulus = std::exp2(4.0 * rho - 2.0);
      const double angle = std::atan2(y, x);
      wheel.setPixel(px, py, Pixel(colour(modulus * std::cos(angle), modulus * std::sin(angle))));
    }
  }
  return wheel;
}

}  // namespace

std::optional<LegendSpec> SceneLegend(const Cls8& drawScene) {
  for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
    const Cls9& g = *entry.graph;
    if (g.Extras.colouring == Colouring::kChannels) continue;
    LegendSpec kind{g.Extras.colouring, {}};
    if (kind.mode == Colouring::kModulus) kind.range = ModulusRangeOf(g);
    return kind;
  }
  return std::nullopt;
}

QImage LegendImage(const LegendSpec& kind) {
  const bool bar = kind.mode == Colouring::kModulus;
  const QSize size =
      bar ? QSize(kBarWidth + kLabelRoom + 2 * kPadding + 10, kBarHeight + 2 * kPadding + 12)
          : QSize(2 * kWheelRadius + 2 * kLabelRoom + 2 * kPadding, 2 * kWheelRadius + 2 * kPadding + 28);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 0, 0, 90));
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 5, 5);
  QFont font("DejaVu Sans");
  font.setPixelSize(10);
  p.setFont(font);
  p.setPen(Qt::black);
  if (bar) {
    const QRect barRect(kPadding, kPadding + 6, kBarWidth, kBarHeight);
    for (int y = 0; y < kBarHeight; ++y) {
      const double t = 1.0 - (y + 0.5) / kBarHeight;
      p.fillRect(barRect.x(), barRect.y() + y, kBarWidth, 1, QColor(Pixel(Viridis(t))));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRect(barRect);
    const double low = kind.range.lowLog10, high = kind.range.highLog10;
    for (int i = 0; i <= 4; ++i) {
      const double t = i / 4.0;
      const int y = barRect.bottom() - static_cast<int>(std::lround(t * (kBarHeight - 1)));
      p.drawLine(barRect.right(), y, barRect.right() + 3, y);
      p.drawText(QPoint(barRect.right() + 5, y + 4), ModulusLabel(low + t * (high - low)));
    }
    p.drawText(QPoint(kPadding, size.height() - 2), "|w|");
    return image;
  }
  const QPoint centre(size.width() / 2, kPadding + 12 + kWheelRadius);
  p.drawImage(centre.x() - kWheelRadius, centre.y() - kWheelRadius, Wheel(kind));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(centre), kWheelRadius + 0.5, kWheelRadius + 0.5);
  const QFontMetrics metrics(font);
  auto label = [&](const QString& text, double angle) {
    const double r =
        kWheelRadius + 4 + 0.5 * metrics.horizontalAdvance(text) * std::fabs(std::cos(angle)) + 2;
    const double x = centre.x() + r * std::cos(angle);
    const double y = centre.y() - (kWheelRadius + 8) * std::sin(angle);
    p.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0, y + metrics.ascent() / 2.0 - 1), text);
  };
  label("0", 0.0);
  label(QString::fromUtf8("\u03c0/2"), std::numbers::pi / 2);
  label(QString::fromUtf8("\u03c0"), std::numbers::pi);
  label(QString::fromUtf8("3\u03c0/2"), 3 * std::numbers::pi / 2);
  p.drawText(QPoint(kPadding, kPadding + 8), "arg w");
  return image;
}

QPoint LegendPlace(QSize area, QSize legend) {
  return {area.width() - legend.width() - kMargin, area.height() - legend.height() - kMargin};
}

void PaintLegend(QPainter& painter, QSize area, const LegendSpec& kind) {
  const QImage image = LegendImage(kind);
  painter.drawImage(LegendPlace(area, image.size()), image);
}

void DrawLegendGl(QSize area, const LegendSpec& kind) {
  if (area.width() <= 0 || area.height() <= 0) return;
  // GL rows run upwards and take straight (not premultiplied) RGBA.
  const QImage image = LegendImage(kind).convertToFormat(QImage::Format_RGBA8888).mirrored();
  const QPoint place = LegendPlace(area, image.size());
  const int x = place.x();
  const int y = area.height() - place.y() - image.height();
  if (x < 0 || y < 0) return;  // a drawing area smaller than the legend shows none
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_PIXEL_MODE_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, area.width(), 0.0, area.height(), -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glRasterPos2i(x, y);
  glDrawPixels(image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace quillon
