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

// Builds frmF6 or frmF22, fills it for editing when a graph is given, and runs it.
class GraphDialogLauncher {
 public:
  GraphDialogLauncher(SceneDocument& doc, Cls10& light, QWidget* parent = nullptr);

  // True when the dialog was confirmed (a graph added or the edited one replaced).
  bool FunctionGraph(const Cls9* editing = nullptr);
  bool ColorMap(const Cls9* editing = nullptr);

  // Runs a dialog and returns its result; QDialog::exec unless replaced (tests fill the
  // dialog and confirm it without a nested event loop).
  using Runner = std::function<int(QDialog& dialog)>;
  void SetRunner(Runner runner) { runner_ = std::move(runner); }

 private:
  int RunDialog(QDialog& dialog);

  SceneDocument& doc_;
  Cls10& light_;
  QWidget* parent_;
  Runner runner_;
};

// The Draw menu's "3D Graph" and "Color Map".
class DrawCommands {
 public:
  DrawCommands(FileCommands& files, GraphDialogLauncher& dialogs) : files_(files), dialogs_(dialogs) {}

  // The question about the current graphs, then the dialog for a new graph. True when a
  // graph was added.
  bool New3DGraph();
  bool NewColorMap();

 private:
  FileCommands& files_;
  GraphDialogLauncher& dialogs_;
};

}  // namespace quillon
