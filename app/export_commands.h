#pragma once
// The picture commands: "Copy As BMP" (clipboard), "Print..." (through the print dialog: a
// printer or a PDF file), "Print Preview..." and the picture that Save As writes as BMP. Each
// takes the pixels the drawing area shows, at its size in pixels, from the capture callback.

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

#include "document/scene_document.h"

class QClipboard;
class QOpenGLWidget;
class QPrinter;
class QWidget;

namespace quillon {

class ExportCommands {
 public:
  using Capture = std::function<QImage()>;
  ExportCommands(SceneDocument& doc, Capture capture, QClipboard* clipboard = nullptr);

  // The print dialog: sets the printer up and answers whether to print (QPrintDialog unless
  // replaced; tests choose a PDF file without a dialog).
  using PrintDialog = std::function<bool(QPrinter& printer)>;
  // The preview: shows the pages `paint` draws on the printer it is given, from which the
  // user may print (QPrintPreviewDialog unless replaced).
  using PreviewDialog = std::function<void(QPrinter& printer, const std::function<void(QPrinter*)>& paint)>;
  void SetPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
  void SetPreviewDialog(PreviewDialog dialog) { previewDialog_ = std::move(dialog); }
  void SetParent(QWidget* parent) { parent_ = parent; }

  // The drawing area as it is on screen: repaint it, give it the focus, let pending events
  // run, then read its frame buffer back (size in device pixels).
  static QImage CaptureDrawingArea(QOpenGLWidget* area);

  // Only while some graph is shown: the picture replaces the clipboard's contents.
  bool CopyAsBmp();
  // Draws the picture at the top left of a page of the printer at the size it has on screen
  // (smaller when it would not fit the page) and ends the job. Without a printer the print
  // dialog asks for one first; false when it was cancelled. A job that fails is reported
  // with its reason.
  bool Print(QPrinter* printer = nullptr);
  // The same page in the preview.
  void Preview();
  // Prints a picture on one page; false with the reason in *error.
  static bool PrintPicture(QPrinter& printer, const QImage& picture, QString* error);

  // The last picture taken (what the hidden picture box of the window holds).
  const QImage& Picture() const { return picture_; }

  // Where a picture of screenDpi goes on a printer page of printerDpi: same physical size.
  static QRect PrintRect(const QSize& picture, double screenDpiX, double screenDpiY, double printerDpiX,
                         double printerDpiY);
  // That rectangle, made smaller with its shape kept when it is larger than the page.
  static QRect FitToPage(const QRect& rect, const QSize& page);

 private:
  const QImage& Take();

  SceneDocument& doc_;
  Capture capture_;
  bool PrintAndReport(QPrinter& printer, const QImage& picture);

  QClipboard* clipboard_;
  QImage picture_;
  QWidget* parent_ = nullptr;
  PrintDialog printDialog_;
  PreviewDialog previewDialog_;
};

}  // namespace quillon
