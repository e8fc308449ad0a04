// Commands of the main window carried out by the file, clipboard, graph-dialog, picture and
// help controllers (app/window_commands.h). What changes the graphs is kept for undo.

#include <QCloseEvent>

#include "app/help_commands.h"
#include "app/main_window.h"
#include "app/undo_commands.h"
#include "app/window_commands.h"
#include "document/state_exchange.h"

namespace quillon {

WindowCommands& frmF1::Commands() {
  if (!commands_) commands_ = std::make_shared<WindowCommands>(*this);
  return *commands_;
}

void frmF1::OnFileOpen() {
  Commands().files.Open();
}
void frmF1::OnFileSave() {
  Commands().files.Save();
}
void frmF1::OnFileSaveAs() {
  Commands().files.SaveAs();
}
void frmF1::OnFilePrint() {
  Commands().exports.Print();
}
void frmF1::OnFileExportPicture() {
  Commands().fileExports.ExportPicture();
}
void frmF1::OnFileExportSurface() {
  Commands().fileExports.ExportSurface();
}
void frmF1::OnEditCut() {
  // Cut is Copy, then Delete; a graph that did not reach the clipboard stays.
  if (document_.CurrentIndex() < 0 || !Commands().edit.Copy()) return;
  PushCommand(new RemoveGraphCommand(Commands().history.Target(), tr("Cut"), document_.CurrentIndex()));
}
void frmF1::OnEditCopy() {
  Commands().edit.Copy();
}
void frmF1::OnEditCopyAs() {
  Commands().exports.CopyAsBmp();
}
void frmF1::OnEditPaste() {
  DocumentHistory& history = Commands().history;
  const SceneSettings before = history.Settings();
  const auto first = static_cast<int32_t>(document_.Items().size());
  if (Commands().edit.Paste())
    PushCommand(new AddGraphsCommand(history.Target(), tr("Paste"), before, first));
}
// "Edit..." of the graph list's pop-up menu.
void frmF1::OnEditGraph() {
  DocumentHistory& history = Commands().history;
  const int32_t index = document_.CurrentIndex();
  const Cls8::GraphPtr graph = document_.GraphAt(index);
  if (!graph) {
    Commands().edit.Edit();  // says what to select
    return;
  }
  const SceneSettings before = history.Settings();
  ReplaceGraphCommand::Version version{*graph, document_.Items()[static_cast<size_t>(index)].caption};
  if (Commands().edit.Edit())
    PushCommand(new ReplaceGraphCommand(history.Target(), tr("Edit"), before, index, std::move(version)));
}

void frmF1::OnDraw3DGraph() {
  const Cls1 before =
      document_.DrawScene.GetBox(0, document_.Axes.ShowPI, LoadSceneDrawState().planeCurveBox);
  if (!Commands().draw.New3DGraph()) return;
  SetView3DButtons();
  AfterGraphAdded(before);
}

void frmF1::OnDrawColorMap() {
  const Cls1 before =
      document_.DrawScene.GetBox(0, document_.Axes.ShowPI, LoadSceneDrawState().planeCurveBox);
  if (!Commands().draw.NewColorMap()) return;
  SetViewMapButtons();
  AfterGraphAdded(before);
}

void frmF1::OnDrawZerosPoles() {
  Commands().zerosPoles.Run();
}

void frmF1::AfterGraphAdded(const Cls1& before) {
  RefreshGraphList();
  RecompileAndRepaint();
  // The first graph of a new scene is framed, as "Zoom to Fit" frames it; a later graph that
  // reaches beyond the box refits the view, so nothing is cut off; one inside the box keeps
  // the view the user has chosen.
  const Cls1 after = document_.DrawScene.GetBox(0, document_.Axes.ShowPI, LoadSceneDrawState().planeCurveBox);
  const bool grown = after.MinX < before.MinX || after.MinY < before.MinY || after.MinZ < before.MinZ ||
                     after.MaxX > before.MaxX || after.MaxY > before.MaxY || after.MaxZ > before.MaxZ;
  if (document_.ListScene.Count() == 1 || grown) OnViewZoomAll();
}

void frmF1::OnHelpContents() {
  OpenHelpContents(WindowCommands::ProgramFolder());
}
void frmF1::OnHelpHomePage() {
  OpenHomePage(WindowCommands::ProgramFolder());
}
void frmF1::OnHelpSupport() {
  OpenSupportPage(WindowCommands::ProgramFolder());
}

// Start-up step 7: the desktop's file-type entry for documents.
void frmF1::RegisterFileAssociation() {
  Commands().association.Register();
}

void frmF1::closeEvent(QCloseEvent* event) {
  if (!Commands().files.MayClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace quillon
