#include "app/draw_commands.h"

#include "app/document_history.h"
#include "app/undo_commands.h"
#include "common/program_state.h"
#include "graph/dialogs/color_map_dialog.h"
#include "graph/dialogs/function_graph_dialog.h"

namespace quillon {
namespace {

QString CommandName(DrawCommand command) {
  return command == DrawCommand::kColorMap ? QStringLiteral("Color Map") : QStringLiteral("3D Graph");
}

}  // namespace

GraphDialogLauncher::GraphDialogLauncher(SceneDocument& doc, Cls10& light, QWidget* parent)
    : doc_(doc), light_(light), parent_(parent) {}

int GraphDialogLauncher::Run(QDialog& dialog) {
  return runner_ ? runner_(dialog) : dialog.exec();
}

bool GraphDialogLauncher::FunctionGraph(const Cls9* editing) {
  frmF6 dialog(doc_, light_, parent_);
  if (editing) dialog.LoadGraph(*editing);
  return Run(dialog) == QDialog::Accepted;
}

bool GraphDialogLauncher::ColorMap(const Cls9* editing) {
  frmF22 dialog(doc_, parent_);
  if (editing) dialog.LoadGraph(*editing);
  return Run(dialog) == QDialog::Accepted;
}

bool GraphDialogLauncher::NewGraph(DrawCommand command, SceneDocument& doc, Cls10& light) {
  if (command == DrawCommand::kColorMap) {
    frmF22 dialog(doc, parent_);
    return Run(dialog) == QDialog::Accepted;
  }
  frmF6 dialog(doc, light, parent_);
  return Run(dialog) == QDialog::Accepted;
}

bool DrawCommands::New3DGraph() {
  return NewGraph(DrawCommand::kFunctionGraph);
}

bool DrawCommands::NewColorMap() {
  return NewGraph(DrawCommand::kColorMap);
}

bool DrawCommands::NewGraph(DrawCommand command) {
  switch (files_.AskBeforeNewDrawing(command)) {
    case NewDrawing::kStop:
      return false;
    case NewDrawing::kAddToScene:
      return AddToScene(command);
    case NewDrawing::kReplaceScene:
      return ReplaceScene(command);
  }
  return false;
}

namespace {

// What the commands act on; without a history the graph dialogs' scene and light, with a
// camera of its own (the graph dialogs never touch the camera).
UndoTarget TargetOf(DocumentHistory* history, GraphDialogLauncher& dialogs, Cls4& scratchCamera) {
  if (history) return history->Target();
  return UndoTarget{dialogs.Document(), dialogs.Light(), scratchCamera, {}};
}

void PrepareDialog(DrawCommand command) {
  // The scene holds colour maps once the question is settled and any save written.
  if (command == DrawCommand::kColorMap) State().SceneKind = 7;
  State().EditMode = false;
}

}  // namespace

bool DrawCommands::AddToScene(DrawCommand command) {
  Cls4 scratchCamera;
  const UndoTarget target = TargetOf(history_, dialogs_, scratchCamera);
  const SceneSettings before = SceneSettings::Capture(target);
  const auto first = static_cast<int32_t>(target.doc.Items().size());
  PrepareDialog(command);
  if (!dialogs_.NewGraph(command, target.doc, target.light)) {
    // A cancelled dialog may have set the kind or handed out an ID; the scene goes back.
    before.ApplyOver(SceneSettings::Capture(target), target);
    return false;
  }
  if (history_) history_->Push(new AddGraphsCommand(target, CommandName(command), before, first));
  return true;
}

bool DrawCommands::ReplaceScene(DrawCommand command) {
  Cls4 scratchCamera;
  const UndoTarget target = TargetOf(history_, dialogs_, scratchCamera);
  SceneDocument& doc = target.doc;
  const SceneSettings before = SceneSettings::Capture(target);

  // The dialog builds its graph in a scene of its own: the current graphs stay in view, and
  // in the window, until it ends with OK.
  SceneDocument fresh;
  fresh.Axes = doc.Axes;
  fresh.Extras = doc.Extras;
  fresh.DrawScene.RotRoll = doc.DrawScene.RotRoll;
  fresh.DrawScene.RotPitch = doc.DrawScene.RotPitch;
  fresh.DrawScene.RotYaw = doc.DrawScene.RotYaw;
  Cls10 light = target.light;
  State().LastGraphID = 0;
  PrepareDialog(command);
  const SceneSettings start = SceneSettings::Capture(UndoTarget{fresh, light, target.camera, {}});
  if (!dialogs_.NewGraph(command, fresh, light)) {
    before.ApplyOver(SceneSettings::Capture(target), target);
    return false;
  }

  const int32_t lastGraphID = State().LastGraphID;
  doc.DeleteAll();
  doc.Axes = fresh.Axes;
  doc.Extras = fresh.Extras;
  doc.DrawScene.RotRoll = fresh.DrawScene.RotRoll;
  doc.DrawScene.RotPitch = fresh.DrawScene.RotPitch;
  doc.DrawScene.RotYaw = fresh.DrawScene.RotYaw;
  target.light = light;
  doc.RestoreContents(fresh.TakeContents());
  State().LastGraphID = lastGraphID;
  if (clearResult_) clearResult_();
  if (history_) {
    // A new drawing is a new document; undoing its graph gives the empty scene it began with.
    history_->StartDocument(QString());
    history_->Push(new AddGraphsCommand(target, CommandName(command), start, 0));
  }
  return true;
}

}  // namespace quillon
