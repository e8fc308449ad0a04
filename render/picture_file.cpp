#include "render/picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include "common/memory_budget.h"
#include "render/dib.h"

namespace quillon {

namespace {

constexpr int kJpegQuality = 92;
// PDF and SVG pages take one picture pixel as one CSS pixel: 96 to the inch.
constexpr int kVectorResolution = 96;

bool Fail(QString* error, const QString& fileName, const QString& reason) {
  if (error) *error = QStringLiteral("%1: %2").arg(fileName, reason);
  return false;
}

// The frame as the screen shows it: OpenGL leaves the lit materials' alpha in the frame
// buffer, which the window never blends, so the colours are kept as they are and made opaque.
QImage Opaque(const QImage& frame) {
  QImage opaque = frame.copy();
  switch (frame.format()) {
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
      opaque.reinterpretAsFormat(QImage::Format_RGBX8888);
      return opaque;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      opaque.reinterpretAsFormat(QImage::Format_RGB32);
      return opaque;
    default:
      return frame.convertToFormat(QImage::Format_RGB32);
  }
}

QImage WithOverlay(const QImage& picture, const PictureOverlay& overlay) {
  if (!overlay) return picture;
  QImage drawn = picture.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&drawn);
  overlay(painter, drawn.size());
  return drawn;
}

// Draws the picture over the whole device, then the overlay scaled to it.
bool PaintPage(QPaintDevice& device, const QImage& picture, const PictureOverlay& overlay) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // PDF pages keep the pixels exactly instead of compressing them as a photograph.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  const QRectF page(0, 0, device.width(), device.height());
  painter.drawImage(page, picture);
  if (overlay) {
    painter.scale(page.width() / picture.width(), page.height() / picture.height());
    overlay(painter, picture.size());
  }
  return painter.end();
}

bool WriteRaster(QSaveFile& file, const QImage& picture, PictureFormat format, QString* error) {
  const QString name = file.fileName();
  if (format == PictureFormat::kBmp) {
    // The program's own bitmap writer: 24 bits, bottom-up, as Save As writes a picture.
    cDIB dib;
    if (!dib.CreateFromImage(picture))
      return Fail(error, name, QStringLiteral("the picture cannot be made a bitmap"));
    const std::vector<uint8_t> bytes = dib.FileBytes();
    if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
      return Fail(error, name, file.errorString());
    return true;
  }
  QImageWriter writer(&file, format == PictureFormat::kPng ? "png" : "jpeg");
  if (format == PictureFormat::kJpeg) writer.setQuality(kJpegQuality);
  if (!writer.write(picture)) return Fail(error, name, writer.errorString());
  return true;
}

// The generator gives the canvas in millimetres, which readers turn back into pixels at their
// own resolution (90 or 96 to the inch, rounded either way); pixels say the size exactly.
QByteArray SizeInPixels(QByteArray svg, const QSize& size) {
  static const QRegularExpression millimetres(QStringLiteral(R"(<svg width="[0-9.]+mm" height="[0-9.]+mm")"));
  const QRegularExpressionMatch match = millimetres.match(QString::fromLatin1(svg.left(256)));
  if (!match.hasMatch()) return svg;
  const QByteArray pixels =
      QStringLiteral(R"(<svg width="%1" height="%2")").arg(size.width()).arg(size.height()).toLatin1();
  return svg.replace(match.capturedStart(), match.capturedLength(), pixels);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& fileName) {
  const QString extension = QFileInfo(fileName).suffix().toLower();
  if (extension == QLatin1String("png")) return PictureFormat::kPng;
  if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) return PictureFormat::kJpeg;
  if (extension == QLatin1String("bmp")) return PictureFormat::kBmp;
  if (extension == QLatin1String("pdf")) return PictureFormat::kPdf;
  if (extension == QLatin1String("svg")) return PictureFormat::kSvg;
  return std::nullopt;
}

uint64_t PictureMemoryBytes(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  return SaturatingMultiply(uint64_t(width) * uint64_t(height), 4 * 5);
}

std::optional<std::string> RefusePictureSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return "A picture is 1 to " + std::to_string(kMaxPictureSide) + " pixels a side; " +
           std::to_string(width) + " x " + std::to_string(height) + " was asked for.";
  }
  return RefuseAllocation(PictureMemoryBytes(width, height), "A picture of " + std::to_string(width) + " x " +
                                                                 std::to_string(height) + " pixels");
}

bool WritePicture(const QString& fileName, const QImage& frame, QString* error,
                  const PictureOverlay& overlay) {
  const std::optional<PictureFormat> format = PictureFormatOf(fileName);
  if (!format) {
    return Fail(error, fileName,
                QStringLiteral("unknown extension \"%1\" (use .png, .jpg, .bmp, .pdf or .svg)")
                    .arg(QFileInfo(fileName).suffix()));
  }
  if (frame.isNull()) return Fail(error, fileName, QStringLiteral("there is no picture"));
  const QImage picture = Opaque(frame);
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return Fail(error, fileName, file.errorString());

  bool written = false;
  switch (*format) {
    case PictureFormat::kPng:
    case PictureFormat::kJpeg:
    case PictureFormat::kBmp:
      written = WriteRaster(file, WithOverlay(picture, overlay), *format, error);
      break;
    case PictureFormat::kPdf: {
      QPdfWriter pdf(&file);
      pdf.setCreator(QStringLiteral("Quillon"));
      pdf.setResolution(kVectorResolution);
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      // Points are 72 to the inch: the page has the picture's size at 96 pixels to the inch.
      const QSizeF points(picture.width() * 72.0 / kVectorResolution,
                          picture.height() * 72.0 / kVectorResolution);
      pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
      written = PaintPage(pdf, picture, overlay) ||
                Fail(error, fileName, QStringLiteral("the PDF could not be drawn"));
      break;
    }
    case PictureFormat::kSvg: {
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(picture.size());
      svg.setViewBox(QRect(QPoint(0, 0), picture.size()));
      svg.setResolution(kVectorResolution);
      svg.setTitle(QStringLiteral("Quillon picture"));
      written = PaintPage(svg, picture, overlay) ||
                Fail(error, fileName, QStringLiteral("the SVG could not be drawn"));
      if (written) {
        const QByteArray text = SizeInPixels(buffer.data(), picture.size());
        written = file.write(text) == text.size() || Fail(error, fileName, file.errorString());
      }
      break;
    }
  }
  if (!written) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) return Fail(error, fileName, file.errorString());
  return true;
}

}  // namespace quillon
