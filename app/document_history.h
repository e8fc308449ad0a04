#pragma once
// The open document's name and history: the undo stack of the window's commands, the file
// the document was last read from or written to, and whether it holds unsaved changes. A
// change is unsaved while some command between the saved state and the present one changes
// what a document holds (a light or view setting alone does not), so undoing back to the
// saved state makes the document unmodified again.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "app/scene_settings.h"

namespace quillon {

class DocumentHistory : public QObject {
  Q_OBJECT
 public:
  // The commands kept for undo; older ones are dropped.
  static constexpr int kUndoLimit = 100;

  explicit DocumentHistory(UndoTarget target, QObject* parent = nullptr);

  QUndoStack& Stack() { return stack_; }
  const UndoTarget& Target() const { return target_; }
  SceneSettings Settings() const { return SceneSettings::Capture(target_); }

  // Runs a command (its redo) and keeps it for undo.
  void Push(QUndoCommand* command);
  // Keeps a confirmed settings dialog for undo when it changed anything.
  void PushSettings(const QString& text, const SceneSettings& before);

  bool IsModified() const { return modified_; }
  // The document's file, empty for a document never read or written.
  const QString& FileName() const { return fileName_; }
  // The name the title shows: the file's name, or "Untitled".
  QString DisplayName() const;

  // A document read from a file (or a new one, with an empty name): no history, unmodified.
  void StartDocument(const QString& fileName);
  // The document was written to a file: unmodified from here.
  void MarkSaved(const QString& fileName);

 signals:
  // The name or the modified flag changed.
  void titleChanged();
  // A document was read from or written to this file (for the recent files).
  void fileUsed(const QString& fileName);

 private:
  void UpdateModified();

  UndoTarget target_;
  QUndoStack stack_;
  QString fileName_;
  bool modified_ = false;
};

}  // namespace quillon
