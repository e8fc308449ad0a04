// The bitmap font: each glyph rendered by Qt into a one-bit image and recorded as a glBitmap
// that draws it at the raster position and advances by the glyph's width.

#include <GL/gl.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/message_sink.h"
#include "scene/text.h"

namespace quillon {

namespace {

constexpr int kBitmapPixels = 12;

// The glyph's pixels as glBitmap wants them: rows bottom to top, most significant bit first,
// rows padded to whole bytes.
std::vector<GLubyte> PackRows(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int rowBytes = (w + 7) / 8;
  std::vector<GLubyte> bits(static_cast<size_t>(rowBytes) * h, 0);
  for (int y = 0; y < h; ++y) {
    const int glRow = h - 1 - y;
    for (int x = 0; x < w; ++x) {
      // Antialiased coverage is kept where the glyph covers at least half the pixel.
      if (qAlpha(image.pixel(x, y)) >= 128)
        bits[glRow * rowBytes + x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
    }
  }
  return bits;
}

}  // namespace

void CreateBitmapFont(uint32_t& listBase) {
  listBase = 0;
  if (QGuiApplication::instance() == nullptr) {
    MsgBox("Unable to create font", kAppTitle, MsgIcon::Critical);
    return;
  }
  const GLuint base = glGenLists(kFontListCount);
  if (base == 0) {
    MsgBox("Unable to create font", kAppTitle, MsgIcon::Critical);
    return;
  }
  QFont font(QString::fromStdString(ResolveFaceName("Verdana")));
  font.setPixelSize(kBitmapPixels);
  font.setWeight(QFont::Normal);
  font.setStyleStrategy(QFont::PreferAntialias);
  const QFontMetrics metrics(font);
  const int ascent = metrics.ascent(), descent = metrics.descent();
  const int height = ascent + descent;

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  for (int code = 0; code < kFontListCount; ++code) {
    glNewList(base + code, GL_COMPILE);
    if (code >= 32 && code != 127) {
      const QChar ch(static_cast<char16_t>(code));
      const int advance = metrics.horizontalAdvance(ch);
      const int width = std::max(1, std::max(advance, metrics.boundingRect(ch).right() + 1));
      QImage image(width, height, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(0, ascent, QString(ch));
      }
      const std::vector<GLubyte> bits = PackRows(image);
      glBitmap(width, height, 0.0f, static_cast<GLfloat>(descent), static_cast<GLfloat>(advance), 0.0f,
               bits.data());
    }
    glEndList();
  }
  glPopClientAttrib();
  listBase = base;
}

}  // namespace quillon
