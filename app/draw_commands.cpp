#include "app/draw_commands.h"

#include "common/program_state.h"
#include "graph/dialogs/color_map_dialog.h"
#include "graph/dialogs/function_graph_dialog.h"

namespace quillon {

GraphDialogLauncher::GraphDialogLauncher(SceneDocument& doc, Cls10& light, QWidget* parent)
    : doc_(doc), light_(light), parent_(parent) {}

int GraphDialogLauncher::RunDialog(QDialog& dialog) {
  return runner_ ? runner_(dialog) : dialog.exec();
}

bool GraphDialogLauncher::FunctionGraph(const Cls9* editing) {
  frmF6 dialog(doc_, light_, parent_);
  if (editing) dialog.LoadGraph(*editing);
  return RunDialog(dialog) == QDialog::Accepted;
}

bool GraphDialogLauncher::ColorMap(const Cls9* editing) {
  frmF22 dialog(doc_, parent_);
  if (editing) dialog.LoadGraph(*editing);
  return RunDialog(dialog) == QDialog::Accepted;
}

bool DrawCommands::New3DGraph() {
  if (!files_.PrepareNewDrawing(DrawCommand::kFunctionGraph)) return false;
  State().EditMode = false;
  return dialogs_.FunctionGraph();
}

bool DrawCommands::NewColorMap() {
  if (!files_.PrepareNewDrawing(DrawCommand::kColorMap)) return false;
  // The scene holds colour maps once the question is settled and any save written.
  State().SceneKind = 7;
  State().EditMode = false;
  return dialogs_.ColorMap();
}

}  // namespace quillon
