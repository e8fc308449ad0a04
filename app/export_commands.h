#pragma once
// The picture commands: "Copy As BMP" (clipboard), "Print..." (the default printer, no
// dialog) and the picture that Save As writes as BMP. Each takes the pixels the drawing area
// shows, at its size in pixels, from the capture callback.

#include <QImage>
#include <QRect>
#include <functional>

#include "document/scene_document.h"

class QClipboard;
class QOpenGLWidget;
class QPrinter;

namespace quillon {

class ExportCommands {
 public:
  using Capture = std::function<QImage()>;
  ExportCommands(SceneDocument& doc, Capture capture, QClipboard* clipboard = nullptr);

  // The drawing area as it is on screen: repaint it, give it the focus, let pending events
  // run, then read its frame buffer back (size in device pixels).
  static QImage CaptureDrawingArea(QOpenGLWidget* area);

  // Only while some graph is shown: the picture replaces the clipboard's contents.
  bool CopyAsBmp();
  // Draws the picture at the top left of a page of the printer (the default printer when
  // none is given) at the size it has on screen, and ends the job. A printer that cannot
  // start a job ends the command silently; false then.
  bool Print(QPrinter* printer = nullptr);

  // The last picture taken (what the hidden picture box of the window holds).
  const QImage& Picture() const { return picture_; }

  // Where a picture of screenDpi goes on a printer page of printerDpi: same physical size.
  static QRect PrintRect(const QSize& picture, double screenDpiX, double screenDpiY, double printerDpiX,
                         double printerDpiY);

 private:
  const QImage& Take();

  SceneDocument& doc_;
  Capture capture_;
  QClipboard* clipboard_;
  QImage picture_;
};

}  // namespace quillon
