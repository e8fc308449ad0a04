// Commands of the main window carried out by the file, clipboard, graph-dialog, picture and
// help controllers (app/window_commands.h).

#include <QCloseEvent>

#include "app/help_commands.h"
#include "app/main_window.h"
#include "app/window_commands.h"

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
void frmF1::OnEditCut() {
  Commands().edit.Cut();
}
void frmF1::OnEditCopy() {
  Commands().edit.Copy();
}
void frmF1::OnEditCopyAs() {
  Commands().exports.CopyAsBmp();
}
void frmF1::OnEditPaste() {
  Commands().edit.Paste();
}
// "Edit..." of the graph list's pop-up menu.
void frmF1::OnEditGraph() {
  Commands().edit.Edit();
}

void frmF1::OnDraw3DGraph() {
  if (!Commands().draw.New3DGraph()) return;
  SetView3DButtons();
  AfterGraphAdded();
}

void frmF1::OnDrawColorMap() {
  if (!Commands().draw.NewColorMap()) return;
  SetViewMapButtons();
  AfterGraphAdded();
}

void frmF1::AfterGraphAdded() {
  RefreshGraphList();
  RecompileAndRepaint();
  // The first graph of a new scene is framed, as "Zoom to Fit" frames it; later graphs keep
  // the view the user has chosen.
  if (document_.ListScene.Count() == 1) OnViewZoomAll();
}

void frmF1::OnHelpContents() {
  OpenHelpContents(WindowCommands::ProgramFolder());
}
void frmF1::OnHelpHomePage() {
  OpenHomePage();
}
void frmF1::OnHelpSupport() {
  OpenSupportPage();
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
