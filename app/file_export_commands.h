#pragma once
// File > Export Picture... and Export Surface...: the scene drawn offscreen at a size the user
// chooses and written as PNG, JPEG, BMP, PDF or SVG; the shown surfaces as an STL, OBJ or PLY
// mesh. Names come through the file commands' save dialog (extension from the chosen filter,
// the question before replacing a file); failures are reported with their reason.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "app/file_commands.h"
#include "document/scene_document.h"
#include "render/picture_file.h"

class QWidget;

namespace quillon {

class FileExportCommands {
 public:
  // Draws the scene offscreen at a size in pixels; a null picture with *error set when it
  // could not.
  using Renderer = std::function<QImage(const QSize& size, QString* error)>;
  // Asks for the picture's size, starting from the given one; nothing when cancelled.
  using SizeDialog = std::function<std::optional<QSize>(const QSize& initial)>;

  FileExportCommands(SceneDocument& doc, FileCommands& files, QWidget* parent = nullptr);

  void SetRenderer(Renderer renderer) { renderer_ = std::move(renderer); }
  // The size the dialog starts from: the drawing area's, in pixels.
  void SetDefaultSize(std::function<QSize()> size) { defaultSize_ = std::move(size); }
  // PictureSizeDialog unless replaced.
  void SetSizeDialog(SizeDialog dialog) { sizeDialog_ = std::move(dialog); }
  // What the scene draws over its frame (a legend, screen labels), in every picture format.
  void SetOverlay(PictureOverlay overlay) { overlay_ = std::move(overlay); }

  // True when a picture was written.
  bool ExportPicture();
  // True when a mesh was written; with no shown surface it says so and asks nothing.
  bool ExportSurface();

 private:
  void ReportFailure(const char* title, const QString& what, const QString& reason) const;

  SceneDocument& doc_;
  FileCommands& files_;
  QWidget* parent_;
  Renderer renderer_;
  std::function<QSize()> defaultSize_;
  SizeDialog sizeDialog_;
  PictureOverlay overlay_;
};

}  // namespace quillon
