#include "app/file_export_commands.h"

#include <QFileInfo>
#include <new>

#include "app/picture_size_dialog.h"
#include "app/progress_task.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "export/mesh_file.h"
#include "scene/scene_mesh.h"

namespace quillon {

namespace {

constexpr char kPictureTitle[] = "Export Picture";
constexpr char kSurfaceTitle[] = "Export Surface";

FileRequest SaveRequest(const char* title, const char* filters) {
  FileRequest request;
  request.mode = FileRequest::Mode::kSave;
  request.title = QString::fromLatin1(title);
  request.filters = ParseFilterText(QString::fromLatin1(filters));
  return request;
}

QString Name(const QString& fileName) {
  return QFileInfo(fileName).fileName();
}

}  // namespace

FileExportCommands::FileExportCommands(SceneDocument& doc, FileCommands& files, QWidget* parent)
    : doc_(doc), files_(files), parent_(parent) {}

void FileExportCommands::ReportFailure(const char* title, const QString& what, const QString& reason) const {
  MsgBox((what + QStringLiteral(" could not be exported: ") + reason).toStdString(), title,
         MsgIcon::Exclamation);
}

bool FileExportCommands::ExportPicture() {
  const QSize initial = defaultSize_ ? defaultSize_() : QSize(800, 600);
  const std::optional<QSize> size =
      sizeDialog_ ? sizeDialog_(initial) : PictureSizeDialog::Ask(initial, parent_);
  if (!size) return false;
  const FileChoice choice = files_.ChooseSaveName(SaveRequest(
      kPictureTitle,
      "PNG picture (*.png)|*.png|JPEG picture (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|PDF document (*.pdf)|*.pdf|"
      "SVG drawing (*.svg)|*.svg"));
  if (choice.Cancelled()) return false;
  const QString& fileName = choice.fileName;
  const QString what = QStringLiteral("The picture \"%1\"").arg(Name(fileName));
  if (!PictureFormatOf(fileName)) {
    ReportFailure(
        kPictureTitle, what,
        QStringLiteral("its extension names no picture format (use .png, .jpg, .bmp, .pdf or .svg)"));
    return false;
  }
  if (const auto refused = RefusePictureSize(size->width(), size->height())) {
    ReportFailure(kPictureTitle, what, QString::fromStdString(*refused));
    return false;
  }
  // Large pictures take seconds to draw in software: the dialog shows before drawing starts.
  constexpr qint64 kLargePicture = 4'000'000;
  ProgressSteps progress(parent_, QString::fromLatin1(kPictureTitle),
                         qint64(size->width()) * size->height() >= kLargePicture);
  progress.Now(QStringLiteral("Drawing %1 x %2 pixels...").arg(size->width()).arg(size->height()));
  QString error;
  QImage picture;
  try {
    picture = renderer_ ? renderer_(*size, &error) : QImage();
  } catch (const std::bad_alloc&) {
    picture = QImage();
  }
  if (picture.isNull()) {
    ReportFailure(kPictureTitle, what,
                  error.isEmpty() ? QStringLiteral("there is not enough memory to draw it") : error);
    return false;
  }
  bool written = false;
  progress.InBackground(QStringLiteral("Writing %1...").arg(Name(fileName)), [&] {
    try {
      written = WritePicture(fileName, picture, &error, overlay_);
    } catch (const std::bad_alloc&) {
      error = QStringLiteral("there is not enough memory to encode it");
    }
  });
  if (!written) ReportFailure(kPictureTitle, what, error);
  return written;
}

bool FileExportCommands::ExportSurface() {
  if (CountMeshSurfaces(doc_.DrawScene) == 0) {
    MsgBox("There is no checked surface to export.", kSurfaceTitle, MsgIcon::Information);
    return false;
  }
  const FileChoice choice = files_.ChooseSaveName(SaveRequest(
      kSurfaceTitle,
      "STL mesh (*.stl)|*.stl|OBJ mesh with materials (*.obj)|*.obj|PLY mesh with colours (*.ply)|*.ply"));
  if (choice.Cancelled()) return false;
  const std::string fileName = choice.fileName.toStdString();
  const QString what = QStringLiteral("The surface \"%1\"").arg(Name(choice.fileName));
  if (!MeshFormatOf(fileName)) {
    ReportFailure(kSurfaceTitle, what,
                  QStringLiteral("its extension names no mesh format (use .stl, .obj or .ply)"));
    return false;
  }
  // The mesh is built here, where the graphs live; only the file is written on the worker.
  bool written = false;
  std::string error;
  TriangleMesh mesh;
  try {
    written = BuildSceneMesh(doc_.DrawScene, MeshClip{}, State().CurrentFrame, mesh, error);
  } catch (const std::bad_alloc&) {
    error = "there is not enough memory for the mesh";
  }
  if (written) {
    ProgressSteps progress(parent_, QString::fromLatin1(kSurfaceTitle), false);
    progress.InBackground(QStringLiteral("Writing %1...").arg(Name(choice.fileName)), [&] {
      try {
        written = WriteMeshFile(fileName, mesh, error);
      } catch (const std::bad_alloc&) {
        written = false;
        error = "there is not enough memory to write the mesh";
      }
    });
  }
  if (!written) ReportFailure(kSurfaceTitle, what, QString::fromStdString(error));
  return written;
}

}  // namespace quillon
