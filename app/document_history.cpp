#include "app/document_history.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "app/undo_commands.h"

namespace quillon {

DocumentHistory::DocumentHistory(UndoTarget target, QObject* parent)
    : QObject(parent), target_(std::move(target)) {
  stack_.setUndoLimit(kUndoLimit);
  connect(&stack_, &QUndoStack::indexChanged, this, &DocumentHistory::UpdateModified);
  connect(&stack_, &QUndoStack::cleanChanged, this, &DocumentHistory::UpdateModified);
}

void DocumentHistory::Push(QUndoCommand* command) {
  stack_.push(command);
}

void DocumentHistory::PushSettings(const QString& text, const SceneSettings& before) {
  if (before == Settings()) return;
  Push(new SettingsCommand(target_, text, before));
}

QString DocumentHistory::DisplayName() const {
  return fileName_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(fileName_).fileName();
}

void DocumentHistory::StartDocument(const QString& fileName) {
  stack_.clear();
  stack_.setClean();
  fileName_ = fileName;
  UpdateModified();
  emit titleChanged();
  if (!fileName.isEmpty()) emit fileUsed(fileName);
}

void DocumentHistory::MarkSaved(const QString& fileName) {
  stack_.setClean();
  fileName_ = fileName;
  UpdateModified();
  emit titleChanged();
  emit fileUsed(fileName);
}

void DocumentHistory::UpdateModified() {
  bool modified = false;
  const int clean = stack_.cleanIndex();
  if (clean < 0) {
    // The saved state was dropped from the history or can no longer be reached.
    modified = true;
  } else {
    const int from = std::min(clean, stack_.index());
    const int to = std::max(clean, stack_.index());
    for (int i = from; i < to && !modified; ++i) {
      const auto* command = dynamic_cast<const SceneCommand*>(stack_.command(i));
      modified = !command || command->ChangesDocument();
    }
  }
  if (modified == modified_) return;
  modified_ = modified;
  emit titleChanged();
}

}  // namespace quillon
