#pragma once
// The File menu's commands and the questions asked before graphs are discarded: New, Open,
// Save, Save As (document or BMP picture by the chosen filter), the closing question, the
// "Save changes to file?" question of the Draw commands, and reading a named document. No
// window needed: the picture comes from a capture callback, file names from a FileChooser,
// messages go through the message sink. With a document history the questions are asked only
// while the graphs hold unsaved changes; without one, whenever there are graphs.

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

// How a Draw command goes on once the question about the current graphs is settled.
enum class NewDrawing {
  kStop,          // no dialog
  kAddToScene,    // the dialog adds its graph to the graphs there are (or to an empty list)
  kReplaceScene,  // the graphs make way for the new one, once its dialog ends with OK
};

class DocumentHistory;

class FileCommands {
 public:
  FileCommands(SceneDocument& doc, FileChooser& chooser, const FileAssociation& association,
               QWidget* parent = nullptr);

  // The picture of the drawing area, as the screen shows it (Save As, BMP filter).
  void SetCapture(std::function<QImage()> capture) { capture_ = std::move(capture); }
  // The file dialog from now on (tests script it).
  void SetChooser(FileChooser& chooser) { chooser_ = &chooser; }
  // Clears the window's Result text when File > New discards the graphs.
  void SetClearResult(std::function<void()> clearResult) { clearResult_ = std::move(clearResult); }
  // The document's name and unsaved changes (not owned; nullptr: every graph counts as unsaved).
  void SetHistory(DocumentHistory* history) { history_ = history; }

  // True when the list holds graphs with changes that no save has kept yet.
  bool HasUnsavedGraphs() const;

  // New: offers to save the graphs, then empties the scene and starts a new one. False when
  // the question was cancelled or the save it asked for was not written.
  bool New();
  // Open: offers to save the graphs, then reads the chosen document. A document that cannot
  // be read is reported and the current graphs stay.
  void Open();
  // Open of a named document (a recent file, a dropped file): the same question first.
  bool OpenNamed(const QString& fileName);
  // Save: asks for a name and writes the whole document atomically. SaveDone() is false
  // afterwards only when writing failed.
  SaveOutcome Save();
  // Save As: the captured picture as a BMP file or the document, by the chosen filter.
  void SaveAs();
  bool SaveDone() const { return saveDone_; }

  // The closing question. True when the window may close: no graphs, "No", or a save that
  // was written. "Yes" followed by a cancelled or failed save keeps the window open.
  bool MayClose();

  // The question of "3D Graph" and "Color Map" when graphs with unsaved changes exist.
  // Graphs without unsaved changes make way without a question. "Yes" lets them go only
  // after they were written; otherwise "3D Graph" ends and "Color Map" goes on with the
  // graphs kept. Nothing is deleted here: the Draw command does that once its dialog ends
  // with OK.
  NewDrawing AskBeforeNewDrawing(DrawCommand command);

  // Reads a document into the scene, reporting an unreadable file or unusable parts.
  bool OpenDocument(const QString& fileName);

  // The name a save dialog's answer stands for: a name without an extension gets the one of
  // the chosen filter's pattern ("*.zvt" gives ".zvt").
  static QString WithFilterSuffix(const QString& fileName, const FileFilter& filter);

  // Writes bytes as the whole file through a temporary file that replaces it only when
  // complete. False with the reason in *error.
  static bool WriteWholeFile(const QString& fileName, const std::string& bytes, QString* error);
  // Writes a picture as a standard BMP file, atomically like WriteWholeFile.
  static bool WriteBmpFile(const QString& fileName, const QImage& picture, QString* error);

  // Shows a save dialog until the user cancels or picks a name that is new or may be
  // replaced; the name comes back with the chosen filter's extension.
  FileChoice ChooseSaveName(FileRequest request);

 private:
  bool WriteDocumentTo(const QString& fileName);
  // "Do you want to save the graphs?" with Yes, No and Cancel when there are unsaved graphs;
  // true when the command may go on (No, or Yes and a written save).
  bool OfferToSave();

  SceneDocument& doc_;
  FileChooser* chooser_;
  const FileAssociation& association_;
  QWidget* parent_;
  std::function<QImage()> capture_;
  std::function<void()> clearResult_;
  DocumentHistory* history_ = nullptr;
  bool saveDone_ = true;
};

}  // namespace quillon
