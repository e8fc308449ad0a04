#include "app/toolbar_icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace quillon {
namespace {

// Every picture is drawn on a 24 x 24 grid.
constexpr int kGrid = 24;

using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 250);
const QColor kBlue(40, 90, 200);
const QColor kRed(200, 50, 40);
const QColor kGreen(40, 150, 60);
const QColor kYellow(240, 200, 40);

void Pen(QPainter& p, const QColor& color, double width = 1.5) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Page(QPainter& p, const QRectF& r) {
  Pen(p, kInk, 1.2);
  p.setBrush(kPaper);
  p.drawRect(r);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  Pen(p, color, 1.8);
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  if (len == 0) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  p.setBrush(color);
  p.drawPolygon(QPolygonF({to, to - u * 4 + n * 2.5, to - u * 4 - n * 2.5}));
}

void Floppy(QPainter& p) {
  Pen(p, kInk, 1.2);
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(7, 3, 10, 7));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(6, 14, 12, 7));
}

void Magnifier(QPainter& p) {
  Pen(p, kInk, 2.2);
  p.drawLine(QPointF(14, 14), QPointF(21, 21));
  Pen(p, kInk, 1.6);
  p.setBrush(QColor(200, 225, 255));
  p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
}

// A cube seen from the front-right-top with one face highlighted (0 front, 1 right, 2 top,
// 3 all three).
void Cube(QPainter& p, int face) {
  const QPolygonF front({{4, 9}, {15, 9}, {15, 20}, {4, 20}});
  const QPolygonF right({{15, 9}, {20, 4}, {20, 15}, {15, 20}});
  const QPolygonF top({{4, 9}, {9, 4}, {20, 4}, {15, 9}});
  const QPolygonF faces[3] = {front, right, top};
  Pen(p, kInk, 1.2);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(face == i || face == 3 ? QColor(kYellow) : QColor(225, 225, 225));
    p.drawPolygon(faces[i]);
  }
}

void Sphere(QPainter& p, int shading) {
  QRadialGradient gradient(QPointF(9, 9), 12);
  if (shading == 1) {
    p.setBrush(QColor(120, 160, 230));
  } else {
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(shading == 2 ? 0.6 : 1.0, kBlue);
    gradient.setColorAt(1, kBlue.darker(shading == 2 ? 130 : 160));
    p.setBrush(gradient);
  }
  Pen(p, kInk, 1);
  if (shading == 1) {
    // Facets of a flat-shaded ball.
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    p.drawEllipse(QPointF(12, 12), 4.5, 9);
  } else {
    p.drawEllipse(QPointF(12, 12), 9, 9);
  }
}

void RotateAbout(QPainter& p, const QString& letter) {
  Pen(p, kBlue, 1.8);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 5, 18, 14), 30 * 16, 300 * 16);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({{19.5, 6.5}, {21.5, 11.5}, {16, 10}}));
  QFont font;
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kRed);
  p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, letter);
}

QHash<QString, Painter> BuildPainters() {
  QHash<QString, Painter> painters;
  painters["barOpen"] = [](QPainter& p) {
    Pen(p, kInk, 1.2);
    p.setBrush(kYellow.darker(110));
    p.drawPolygon(QPolygonF({{2, 7}, {8, 7}, {10, 9}, {20, 9}, {20, 20}, {2, 20}}));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({{5, 12}, {23, 12}, {20, 20}, {2, 20}}));
  };
  painters["barSave"] = Floppy;
  painters["barSaveAs"] = [](QPainter& p) {
    Floppy(p);
    Pen(p, kRed, 2.5);
    p.drawLine(QPointF(13, 21), QPointF(22, 12));
  };
  painters["barPrint"] = [](QPainter& p) {
    Page(p, QRectF(7, 2, 10, 8));
    Pen(p, kInk, 1.2);
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    Page(p, QRectF(6, 15, 12, 7));
  };
  painters["barCut"] = [](QPainter& p) {
    Pen(p, kInk, 1.6);
    p.drawLine(QPointF(8, 2), QPointF(15, 15));
    p.drawLine(QPointF(16, 2), QPointF(9, 15));
    p.setBrush(Qt::NoBrush);
    Pen(p, kRed, 1.8);
    p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
    p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
  };
  painters["barCopy"] = [](QPainter& p) {
    Page(p, QRectF(3, 3, 11, 14));
    Page(p, QRectF(9, 8, 11, 14));
  };
  painters["barCopyAs"] = [](QPainter& p) {
    Page(p, QRectF(2, 4, 20, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 190, 255));
    p.drawRect(QRectF(3, 5, 18, 9));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{3, 19}, {9, 11}, {14, 17}, {17, 13}, {21, 19}}));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(17, 8), 2, 2);
  };
  painters["barPaste"] = [](QPainter& p) {
    Pen(p, kInk, 1.2);
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(3, 4, 15, 18), 2, 2);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 2, 7, 4));
    Page(p, QRectF(10, 9, 11, 13));
  };
  painters["varDel"] = [](QPainter& p) {
    Pen(p, kRed, 3.2);
    p.drawLine(QPointF(5, 5), QPointF(19, 19));
    p.drawLine(QPointF(19, 5), QPointF(5, 19));
  };
  painters["barHelp"] = [](QPainter& p) {
    Pen(p, kBlue.darker(120), 1.2);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    QFont font;
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, "?");
  };
  painters["barFun3DCart"] = [](QPainter& p) {
    // A wavy surface patch drawn as a small wire grid.
    Pen(p, kBlue, 1.1);
    for (int i = 0; i <= 4; ++i) {
      QPainterPath row;
      for (int k = 0; k <= 16; ++k) {
        const double x = 3 + k * 1.1 + i * 1.2, y = 7 + i * 3 - 3 * std::sin(k * 0.45 + i * 0.3);
        k == 0 ? row.moveTo(x, y) : row.lineTo(x, y);
      }
      p.drawPath(row);
    }
    Pen(p, kInk, 1.2);
    p.drawLine(QPointF(2, 22), QPointF(22, 22));
    p.drawLine(QPointF(2, 22), QPointF(2, 2));
  };
  painters["barColormap"] = [](QPainter& p) {
    QLinearGradient gradient(QPointF(3, 3), QPointF(21, 21));
    gradient.setColorAt(0, kBlue);
    gradient.setColorAt(0.5, kGreen);
    gradient.setColorAt(1, kRed);
    Pen(p, kInk, 1.2);
    p.setBrush(gradient);
    p.drawRect(QRectF(3, 3, 18, 18));
  };
  painters["barCoord"] = [](QPainter& p) {
    Arrow(p, {6, 18}, {22, 18}, kRed);
    Arrow(p, {6, 18}, {6, 2}, kGreen);
    Arrow(p, {6, 18}, {1.5, 22.5}, kBlue);
  };
  painters["barLight"] = [](QPainter& p) {
    Pen(p, kYellow.darker(150), 1.2);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(12, 9), 6.5, 6.5);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(9, 15, 6, 5));
    Pen(p, kInk, 1.2);
    p.drawLine(QPointF(10, 22), QPointF(14, 22));
  };
  painters["barViewFront"] = [](QPainter& p) { Cube(p, 0); };
  painters["barViewRight"] = [](QPainter& p) { Cube(p, 1); };
  painters["barViewTop"] = [](QPainter& p) { Cube(p, 2); };
  painters["barViewISO"] = [](QPainter& p) { Cube(p, 3); };
  painters["barViewOrtho"] = [](QPainter& p) {
    Pen(p, kInk, 1.3);
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(3, 6, 8, 12));
    p.drawRect(QRectF(13, 6, 8, 12));
    Pen(p, kBlue, 1);
    p.drawLine(QPointF(11, 6), QPointF(13, 6));
    p.drawLine(QPointF(11, 18), QPointF(13, 18));
  };
  painters["barViewPer"] = [](QPainter& p) {
    Pen(p, kInk, 1.3);
    p.setBrush(QColor(225, 225, 225));
    p.drawPolygon(QPolygonF({{2, 3}, {22, 8}, {22, 16}, {2, 21}}));
    Pen(p, kBlue, 1);
    p.drawLine(QPointF(12, 5.5), QPointF(12, 18.5));
  };
  painters["barMove"] = [](QPainter& p) {
    Arrow(p, {12, 12}, {12, 2}, kInk);
    Arrow(p, {12, 12}, {12, 22}, kInk);
    Arrow(p, {12, 12}, {2, 12}, kInk);
    Arrow(p, {12, 12}, {22, 12}, kInk);
  };
  painters["barZoom"] = [](QPainter& p) {
    Magnifier(p);
    Pen(p, kInk, 1.6);
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    p.drawLine(QPointF(10, 7), QPointF(10, 13));
  };
  painters["barZoomAll"] = [](QPainter& p) {
    Magnifier(p);
    Pen(p, kRed, 1.2);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7, 7, 6, 6));
  };
  painters["barRotX"] = [](QPainter& p) { RotateAbout(p, "x"); };
  painters["barRotY"] = [](QPainter& p) { RotateAbout(p, "y"); };
  painters["barRotZ"] = [](QPainter& p) { RotateAbout(p, "z"); };
  painters["barTrackBall"] = [](QPainter& p) {
    Sphere(p, 2);
    Pen(p, Qt::white, 1.4);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 9, 14, 6), 200 * 16, 140 * 16);
    p.drawArc(QRectF(9, 5, 6, 14), 110 * 16, 140 * 16);
  };
  painters["barModelPoint"] = [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 4; ++k) p.drawEllipse(QPointF(4.5 + 5 * k, 4.5 + 5 * i), 1.4, 1.4);
  };
  painters["barModelGrid"] = [](QPainter& p) {
    Pen(p, kBlue, 1.2);
    for (int i = 0; i < 4; ++i) {
      p.drawLine(QPointF(4.5, 4.5 + 5 * i), QPointF(19.5, 4.5 + 5 * i));
      p.drawLine(QPointF(4.5 + 5 * i, 4.5), QPointF(4.5 + 5 * i, 19.5));
    }
  };
  painters["barModelSur"] = [](QPainter& p) {
    QLinearGradient gradient(QPointF(4, 4), QPointF(20, 20));
    gradient.setColorAt(0, kBlue.lighter(150));
    gradient.setColorAt(1, kBlue.darker(130));
    Pen(p, kInk, 1.2);
    p.setBrush(gradient);
    p.drawRect(QRectF(4, 4, 16, 16));
  };
  painters["bar3DFlat"] = [](QPainter& p) { Sphere(p, 1); };
  painters["bar3DSmooth"] = [](QPainter& p) { Sphere(p, 2); };
  painters["bar3DSmoothest"] = [](QPainter& p) { Sphere(p, 3); };
  return painters;
}

QPixmap Render(const Painter& paint, int scale) {
  QPixmap pixmap(kGrid * scale, kGrid * scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  paint(painter);
  painter.end();
  pixmap.setDevicePixelRatio(scale);
  return pixmap;
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
  static const QHash<QString, Painter> painters = BuildPainters();
  const auto found = painters.find(key);
  if (found == painters.end()) return QIcon();
  QIcon icon;
  for (int scale : {1, 2}) icon.addPixmap(Render(found.value(), scale));
  return icon;
}

}  // namespace quillon
