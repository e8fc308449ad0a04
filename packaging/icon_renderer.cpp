// quillon_icon_renderer IN.svg OUT.png SIZE: draws the program's scalable icon into a square
// PNG of SIZE pixels for the desktop's icon theme.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quillon_icon_renderer IN.svg OUT.png SIZE\n");
    return 64;
  }
  bool sizeOk = false;
  const int size = QString::fromLocal8Bit(argv[3]).toInt(&sizeOk);
  if (!sizeOk || size < 1 || size > 4096) {
    std::fprintf(stderr, "quillon_icon_renderer: bad size '%s'\n", argv[3]);
    return 64;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "quillon_icon_renderer: cannot read %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
  }
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "quillon_icon_renderer: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
