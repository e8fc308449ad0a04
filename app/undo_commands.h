#pragma once
// The undoable commands of the window. Each wraps the list bookkeeping of the scene document
// (add, remove, replace, check) and keeps the scene settings before and after it, so that
// undoing a run of commands gives back exactly the scene they started from.
//
// Commands whose change a dialog or the clipboard has already made are built "done": their
// first redo (QUndoStack::push calls it) changes nothing. The others make their change in
// their first redo.

#include <QString>
#include <QUndoCommand>
#include <vector>

#include "app/scene_settings.h"

namespace quillon {

class SceneCommand : public QUndoCommand {
 public:
  void redo() final;
  void undo() final;
  // Whether undoing or redoing it changes what a saved document holds.
  virtual bool ChangesDocument() const;

 protected:
  // A command that makes its change in its first redo; the settings after it are taken then.
  SceneCommand(const UndoTarget& target, const QString& text);
  // A command whose change is already made, from `before` to the settings now.
  SceneCommand(const UndoTarget& target, const QString& text, const SceneSettings& before);

  virtual void Forward() {}
  virtual void Backward() {}
  virtual bool ChangesGraphs() const { return true; }

  const UndoTarget& Target() const { return target_; }
  SceneDocument& Doc() const { return target_.doc; }

 private:
  UndoTarget target_;
  SceneSettings before_;
  SceneSettings after_;
  bool afterKnown_ = false;
  bool skipRedo_ = false;
};

// Graphs that a dialog or Paste appended to the list: the list items from `first` on.
class AddGraphsCommand : public SceneCommand {
 public:
  AddGraphsCommand(const UndoTarget& target, const QString& text, const SceneSettings& before, int32_t first);

 protected:
  void Forward() override;
  void Backward() override;

 private:
  std::vector<SceneDocument::GraphPlace> places_;
};

// Delete or Cut of the graph at a list position.
class RemoveGraphCommand : public SceneCommand {
 public:
  RemoveGraphCommand(const UndoTarget& target, const QString& text, int32_t index);

 protected:
  void Forward() override;
  void Backward() override;

 private:
  int32_t index_;
  SceneDocument::GraphPlace place_;
};

// Delete All.
class DeleteAllCommand : public SceneCommand {
 public:
  explicit DeleteAllCommand(const UndoTarget& target);

 protected:
  void Forward() override;
  void Backward() override;

 private:
  SceneDocument::Contents contents_;
};

// A graph given a new definition: by its dialog (already done) or by the model buttons.
class ReplaceGraphCommand : public SceneCommand {
 public:
  struct Version {
    Cls9 graph;
    std::string caption;
  };
  // The dialog has already replaced `before` with what the list holds now.
  ReplaceGraphCommand(const UndoTarget& target, const QString& text, const SceneSettings& settingsBefore,
                      int32_t index, Version before);
  // Replaces the graph in the first redo.
  ReplaceGraphCommand(const UndoTarget& target, const QString& text, int32_t index, Version after);

 protected:
  void Forward() override;
  void Backward() override;

 private:
  int32_t index_;
  Version before_;
  Version after_;
};

// Checking or unchecking a list item. Undoing an uncheck puts the graph back at its place
// in the drawing order.
class CheckGraphCommand : public SceneCommand {
 public:
  CheckGraphCommand(const UndoTarget& target, int32_t index, bool checked);

 protected:
  void Forward() override;
  void Backward() override;

 private:
  int32_t index_;
  bool checked_;
  int32_t drawIndexBefore_ = -1;
};

// A dialog of the scene's settings (axes, light, view) that has been confirmed.
class SettingsCommand : public SceneCommand {
 public:
  SettingsCommand(const UndoTarget& target, const QString& text, const SceneSettings& before)
      : SceneCommand(target, text, before) {}

 protected:
  bool ChangesGraphs() const override { return false; }
};

}  // namespace quillon
