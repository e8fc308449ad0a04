#include "app/export_commands.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <cmath>
#include <memory>

namespace quillon {

ExportCommands::ExportCommands(SceneDocument& doc, Capture capture, QClipboard* clipboard)
    : doc_(doc),
      capture_(std::move(capture)),
      clipboard_(clipboard ? clipboard : QGuiApplication::clipboard()) {}

QImage ExportCommands::CaptureDrawingArea(QOpenGLWidget* area) {
  if (!area) return QImage();
  area->update();
  area->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  // The frame buffer holds exactly what the widget shows, in device pixels; being read
  // back rather than copied from the screen, it is complete even when covered.
  return area->grabFramebuffer();
}

const QImage& ExportCommands::Take() {
  picture_ = capture_ ? capture_() : QImage();
  return picture_;
}

bool ExportCommands::CopyAsBmp() {
  if (doc_.DrawScene.Count() == 0) return false;
  const QImage& picture = Take();
  if (picture.isNull()) return false;
  clipboard_->clear(QClipboard::Clipboard);
  clipboard_->setImage(picture.convertToFormat(QImage::Format_RGB32), QClipboard::Clipboard);
  return true;
}

QRect ExportCommands::PrintRect(const QSize& picture, double screenDpiX, double screenDpiY,
                                double printerDpiX, double printerDpiY) {
  const double sx = screenDpiX > 0.0 ? printerDpiX / screenDpiX : 1.0;
  const double sy = screenDpiY > 0.0 ? printerDpiY / screenDpiY : 1.0;
  return QRect(0, 0, static_cast<int>(std::lround(picture.width() * sx)),
               static_cast<int>(std::lround(picture.height() * sy)));
}

bool ExportCommands::Print(QPrinter* printer) {
  const QImage& picture = Take();
  std::unique_ptr<QPrinter> defaultPrinter;
  if (!printer) {
    defaultPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer = defaultPrinter.get();
  }
  if (picture.isNull()) return false;
  QPainter painter;
  if (!painter.begin(printer)) return false;
  double screenDpiX = 96.0, screenDpiY = 96.0;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    screenDpiX = screen->logicalDotsPerInchX();
    screenDpiY = screen->logicalDotsPerInchY();
  }
  const QSize logical = picture.deviceIndependentSize().toSize();
  const QRect target =
      PrintRect(logical, screenDpiX, screenDpiY, printer->logicalDpiX(), printer->logicalDpiY());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture);
  return painter.end();
}

}  // namespace quillon
