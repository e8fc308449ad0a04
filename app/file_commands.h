#pragma once
// The File menu's commands and the questions asked before graphs are discarded: Open, Save,
// Save As (document or BMP picture by the chosen filter), the closing question, the "Save
// changes to file?" question of the Draw commands, and reading a named document. No window
// needed: the picture comes from a capture
// callback, file names from a FileChooser, messages go through the message sink.

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "app/file_association.h"
#include "app/file_chooser.h"
#include "document/scene_document.h"

class QWidget;

namespace quillon {

// How a Save ended.
enum class SaveOutcome {
  kNothingToSave,  // the list holds no graph
  kCancelled,      // the file dialog was cancelled
  kSaved,          // the document was written
  kFailed,         // it could not be written; the reason has been shown
};

// The Draw commands that start a new drawing.
enum class DrawCommand { kFunctionGraph, kColorMap };

class FileCommands {
 public:
  FileCommands(SceneDocument& doc, FileChooser& chooser, const FileAssociation& association,
               QWidget* parent = nullptr);

  // The picture of the drawing area, as the screen shows it (Save As, BMP filter).
  void SetCapture(std::function<QImage()> capture) { capture_ = std::move(capture); }
  // The file dialog from now on (tests script it).
  void SetChooser(FileChooser& chooser) { chooser_ = &chooser; }
  // Clears the window's Result text when a new drawing discards the graphs.
  void SetClearResult(std::function<void()> clearResult) { clearResult_ = std::move(clearResult); }

  // Open: offers to save the graphs, then reads the chosen document. A document that cannot
  // be read is reported and the current graphs stay.
  void Open();
  // Save: asks for a name and writes the whole document atomically. SaveDone() is false
  // afterwards only when writing failed.
  SaveOutcome Save();
  // Save As: the captured picture as a BMP file or the document, by the chosen filter.
  void SaveAs();
  bool SaveDone() const { return saveDone_; }

  // The closing question. True when the window may close: no graphs, "No", or a save that
  // was written. "Yes" followed by a cancelled or failed save keeps the window open.
  bool MayClose();

  // The question of "3D Graph" and "Color Map" when graphs exist. True when the command goes
  // on to its dialog. "Yes" deletes the graphs only after they were written; otherwise
  // "3D Graph" ends and "Color Map" goes on with the graphs kept.
  bool PrepareNewDrawing(DrawCommand command);

  // Reads a document into the scene, reporting an unreadable file or unusable parts.
  bool OpenDocument(const QString& fileName);

  // Writes bytes as the whole file through a temporary file that replaces it only when
  // complete. False with the reason in *error.
  static bool WriteWholeFile(const QString& fileName, const std::string& bytes, QString* error);
  // Writes a picture as a standard BMP file, atomically like WriteWholeFile.
  static bool WriteBmpFile(const QString& fileName, const QImage& picture, QString* error);

 private:
  bool WriteDocumentTo(const QString& fileName);

  SceneDocument& doc_;
  FileChooser* chooser_;
  const FileAssociation& association_;
  QWidget* parent_;
  std::function<QImage()> capture_;
  std::function<void()> clearResult_;
  bool saveDone_ = true;
};

}  // namespace quillon
