#include "app/export_commands.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLWidget>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <cmath>
#include <memory>

#include "common/message_sink.h"

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

QRect ExportCommands::FitToPage(const QRect& rect, const QSize& page) {
  if (page.isEmpty() || (rect.width() <= page.width() && rect.height() <= page.height())) return rect;
  const QSize fitted = rect.size().scaled(page, Qt::KeepAspectRatio);
  return QRect(rect.topLeft(), fitted);
}

namespace {

// Why a printer could not start a job, in words for the user.
QString StartFailure(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    if (printer.outputFileName().isEmpty()) return QStringLiteral("no file was chosen for the PDF output");
    return QStringLiteral("the file \"%1\" cannot be written").arg(printer.outputFileName());
  }
  if (!printer.isValid() || printer.printerName().isEmpty()) return QStringLiteral("no printer is available");
  if (printer.printerState() == QPrinter::Error)
    return QStringLiteral("the printer \"%1\" reported an error").arg(printer.printerName());
  return QStringLiteral("the printer \"%1\" could not start a job").arg(printer.printerName());
}

}  // namespace

bool ExportCommands::PrintPicture(QPrinter& printer, const QImage& picture, QString* error) {
  if (picture.isNull()) {
    if (error) *error = QStringLiteral("there is no picture of the drawing area");
    return false;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (error) *error = StartFailure(printer);
    return false;
  }
  double screenDpiX = 96.0, screenDpiY = 96.0;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    screenDpiX = screen->logicalDotsPerInchX();
    screenDpiY = screen->logicalDotsPerInchY();
  }
  const QSize logical = picture.deviceIndependentSize().toSize();
  const QRect target =
      FitToPage(PrintRect(logical, screenDpiX, screenDpiY, printer.logicalDpiX(), printer.logicalDpiY()),
                printer.pageLayout().paintRectPixels(printer.resolution()).size());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture);
  if (!painter.end()) {
    if (error) *error = QStringLiteral("the print job could not be finished");
    return false;
  }
  return true;
}

namespace {

void ReportPrintFailure(const QString& reason) {
  MsgBox("The picture could not be printed: " + reason.toStdString() + ".", "Print", MsgIcon::Exclamation);
}

}  // namespace

bool ExportCommands::PrintAndReport(QPrinter& printer, const QImage& picture) {
  QString reason;
  if (PrintPicture(printer, picture, &reason)) return true;
  ReportPrintFailure(reason);
  return false;
}

bool ExportCommands::Print(QPrinter* printer) {
  const QImage& picture = Take();
  if (picture.isNull()) {
    ReportPrintFailure(QStringLiteral("there is no picture of the drawing area"));
    return false;
  }
  std::unique_ptr<QPrinter> chosen;
  if (!printer) {
    chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer = chosen.get();
    const bool accepted = printDialog_ ? printDialog_(*printer) : [&] {
      QPrintDialog dialog(printer, parent_);
      dialog.setObjectName(QStringLiteral("PrintDialog"));
      return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted) return false;
  }
  return PrintAndReport(*printer, picture);
}

void ExportCommands::Preview() {
  const QImage picture = Take();
  QPrinter printer(QPrinter::HighResolution);
  const auto paint = [this, picture](QPrinter* target) {
    if (target) PrintAndReport(*target, picture);
  };
  if (previewDialog_) {
    previewDialog_(printer, paint);
    return;
  }
  QPrintPreviewDialog dialog(&printer, parent_);
  dialog.setObjectName(QStringLiteral("PrintPreview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
  dialog.exec();
}

}  // namespace quillon
