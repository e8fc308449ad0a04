#pragma once
// Opening the two graph dialogs: the Draw commands "3D Graph" and "Color Map" (after the
// question about the current graphs) and the dialogs of the Edit command.

#include <QDialog>
#include <functional>

#include "app/file_commands.h"
#include "document/scene_document.h"
#include "graph/graph.h"
#include "scene/model/light.h"

class QWidget;

namespace quillon {

class DocumentHistory;

// Builds frmF6 or frmF22, fills it for editing when a graph is given, and runs it.
class GraphDialogLauncher {
 public:
  GraphDialogLauncher(SceneDocument& doc, Cls10& light, QWidget* parent = nullptr);

  // True when the dialog was confirmed (a graph added or the edited one replaced).
  bool FunctionGraph(const Cls9* editing = nullptr);
  bool ColorMap(const Cls9* editing = nullptr);
  // The dialog of a Draw command, adding its graph to `doc` (lit by `light`).
  bool NewGraph(DrawCommand command, SceneDocument& doc, Cls10& light);

  SceneDocument& Document() { return doc_; }
  Cls10& Light() { return light_; }

  // Runs a dialog and returns its result; QDialog::exec unless replaced (tests fill the
  // dialog and confirm it without a nested event loop). The window's other dialogs (axes,
  // light, view) run through it too.
  using Runner = std::function<int(QDialog& dialog)>;
  void SetRunner(Runner runner) { runner_ = std::move(runner); }
  int Run(QDialog& dialog);

 private:
  SceneDocument& doc_;
  Cls10& light_;
  QWidget* parent_;
  Runner runner_;
};

// The Draw menu's "3D Graph" and "Color Map".
class DrawCommands {
 public:
  DrawCommands(FileCommands& files, GraphDialogLauncher& dialogs) : files_(files), dialogs_(dialogs) {}

  // Keeps each new graph for undo (not owned; may stay unset).
  void SetHistory(DocumentHistory* history) { history_ = history; }
  // Clears the window's Result text when a new drawing replaces the graphs.
  void SetClearResult(std::function<void()> clearResult) { clearResult_ = std::move(clearResult); }

  // The question about the current graphs, then the dialog for a new graph. True when a
  // graph was added. Graphs that make way for the new one stay until its dialog ends with OK;
  // a cancelled dialog leaves the scene, its kind and settings as they were.
  bool New3DGraph();
  bool NewColorMap();

 private:
  bool NewGraph(DrawCommand command);
  bool AddToScene(DrawCommand command);
  bool ReplaceScene(DrawCommand command);

  FileCommands& files_;
  GraphDialogLauncher& dialogs_;
  DocumentHistory* history_ = nullptr;
  std::function<void()> clearResult_;
};

}  // namespace quillon
