// The menu bar and the two pop-up menus of the main window.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"

namespace quillon {

QAction* frmF1::MenuAction(const char* objectName, const QString& caption, void (frmF1::*slot)(),
                           const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(objectName);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, caption, slot] { RunCommand(caption, slot); });
  return action;
}

void frmF1::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("mnuFile");
  file->addAction(MenuAction("mnuFileNew", tr("&New"), &frmF1::OnFileNew, QKeySequence::New));
  file->addAction(MenuAction("mnuFileOpen", tr("&Open..."), &frmF1::OnFileOpen, QKeySequence::Open));
  file->addAction(MenuAction("mnuFileSave", tr("&Save"), &frmF1::OnFileSave, QKeySequence::Save));
  file->addAction(MenuAction("mnuFileSaveAs", tr("Save&As..."), &frmF1::OnFileSaveAs, QKeySequence::SaveAs));
  file->addSeparator();
  file->addAction(MenuAction("mnuFilePrint", tr("&Print..."), &frmF1::OnFilePrint, QKeySequence::Print));
  file->addAction(MenuAction("mnuFilePrintPreview", tr("Print Pre&view..."), &frmF1::OnFilePrintPreview));
  file->addSeparator();
  file->addAction(MenuAction("mnuFileExportPicture", tr("Export P&icture..."), &frmF1::OnFileExportPicture));
  file->addAction(MenuAction("mnuFileExportSurface", tr("Export Sur&face..."), &frmF1::OnFileExportSurface));
  AddRecentFileActions(file);
  file->addSeparator();
  file->addAction(MenuAction("mnuFileExit", tr("E&xit"), &frmF1::OnFileExit, QKeySequence(tr("Ctrl+Q"))));

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->setObjectName("mnuEdit");
  AddUndoActions(edit);
  edit->addSeparator();
  edit->addAction(MenuAction("mnuEditCut", tr("Cu&t"), &frmF1::OnEditCut, QKeySequence::Cut));
  edit->addAction(MenuAction("mnuEditCopy", tr("&Copy"), &frmF1::OnEditCopy, QKeySequence::Copy));
  edit->addAction(MenuAction("mnuEditCopyAs", tr("Copy As &BMP"), &frmF1::OnEditCopyAs));
  edit->addAction(MenuAction("mnuEditPaste", tr("&Paste"), &frmF1::OnEditPaste, QKeySequence::Paste));
  edit->addSeparator();
  edit->addAction(MenuAction("mnuEditDelete", tr("&Delete"), &frmF1::OnEditDelete, QKeySequence::Delete));
  edit->addAction(MenuAction("mnuEditDeleteAll", tr("Delete A&ll"), &frmF1::OnEditDeleteAll));

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->setObjectName("mnuView");
  view->addAction(MenuAction("mnuViewMove", tr("&Move"), &frmF1::OnViewMove));
  view->addAction(MenuAction("mnuViewZoom", tr("&Zoom"), &frmF1::OnViewZoom));
  view->addAction(MenuAction("mnuViewZoomAll", tr("Zoom to &Fit"), &frmF1::OnViewZoomAll));
  view->addAction(MenuAction("mnuViewRotX", tr("Rotate About &X Axis"), &frmF1::OnViewRotX));
  view->addAction(MenuAction("mnuViewRotY", tr("Rotate About &Y Axis"), &frmF1::OnViewRotY));
  view->addAction(MenuAction("mnuViewRotZ", tr("Rot&ate About Z Axis"), &frmF1::OnViewRotZ));
  view->addAction(MenuAction("mnuViewTrackBall", tr("&Track Ball"), &frmF1::OnViewTrackBall));
  view->addSeparator();
  view->addAction(MenuAction("mnuViewFront", tr("Fro&nt"), &frmF1::OnViewFront));
  view->addAction(MenuAction("mnuViewRight", tr("&Right"), &frmF1::OnViewRight));
  view->addAction(MenuAction("mnuViewTop", tr("To&p"), &frmF1::OnViewTop));
  view->addAction(MenuAction("mnuViewISO", tr("&ISO"), &frmF1::OnViewISO));
  view->addSeparator();
  QMenu* box = view->addMenu(tr("&Box"));
  box->setObjectName("mnuViewBox");
  box->addAction(MenuAction("mnuViewBoxTrueScale", tr("&True Scale"), &frmF1::OnViewBoxTrueScale));
  box->addAction(MenuAction("mnuViewBoxCube", tr("&Cube"), &frmF1::OnViewBoxCube));
  box->addSeparator();
  box->addAction(MenuAction("mnuViewLabels3DText", tr("&3D Text"), &frmF1::OnViewLabels3D));
  for (const char* name : {"mnuViewBoxTrueScale", "mnuViewBoxCube", "mnuViewLabels3DText"})
    findChild<QAction*>(name)->setCheckable(true);
  view->addAction(MenuAction("mnuViewSettings", tr("&Settings..."), &frmF1::OnViewSettings));
  view->addAction(MenuAction("mnuViewLegend", tr("&Legend"), &frmF1::OnViewLegend));
  findChild<QAction*>("mnuViewLegend")->setCheckable(true);
  for (const char* mode :
       {"mnuViewMove", "mnuViewZoom", "mnuViewRotX", "mnuViewRotY", "mnuViewRotZ", "mnuViewTrackBall"})
    findChild<QAction*>(mode)->setCheckable(true);

  QMenu* draw = menuBar()->addMenu(tr("&Draw"));
  draw->setObjectName("mnuDraw");
  draw->addAction(MenuAction("mnuDraw3DGraph", tr("&3D Graph"), &frmF1::OnDraw3DGraph));
  draw->addAction(MenuAction("mnuDrawColorMap", tr("&Color Map"), &frmF1::OnDrawColorMap));
  draw->addAction(MenuAction("mnuDrawZerosPoles", tr("&Zeros and Poles"), &frmF1::OnDrawZerosPoles));
  draw->addSeparator();
  draw->addAction(MenuAction("mnuDrawAxis", tr("&Axis..."), &frmF1::OnDrawAxis));
  draw->addAction(MenuAction("mnuDrawLight", tr("&Light..."), &frmF1::OnDrawLight));

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName("mnuHelp");
  help->addAction(
      MenuAction("mnuHelpContents", tr("&Contents..."), &frmF1::OnHelpContents, QKeySequence::HelpContents));
  help->addSeparator();
  help->addAction(MenuAction("mnuHelpHomePage", tr("&Home Page"), &frmF1::OnHelpHomePage));
  help->addAction(MenuAction("mnuHelpSupport", tr("Customer &Support"), &frmF1::OnHelpSupport));
  help->addSeparator();
  help->addAction(MenuAction("mnuHelpAbout", tr("&About..."), &frmF1::OnHelpAbout));
}

void frmF1::CreatePopupMenus() {
  // The pop-ups share the menu bar's actions, so captions and commands stay one.
  auto action = [this](const char* name) { return findChild<QAction*>(name); };

  funEdit_ = new QMenu(this);
  funEdit_->setObjectName("FunEdit");
  funEdit_->addAction(MenuAction("mnuFunEditEdit", tr("&Edit..."), &frmF1::OnEditGraph));
  funEdit_->addAction(action("mnuEditCut"));
  funEdit_->addAction(action("mnuEditCopy"));
  funEdit_->addAction(action("mnuEditDelete"));

  graphEdit_ = new QMenu(this);
  graphEdit_->setObjectName("GraphEdit");
  graphEdit_->addAction(action("mnuEditPaste"));
  graphEdit_->addAction(action("mnuEditCopyAs"));
  graphEdit_->addAction(action("mnuEditDeleteAll"));
  graphEdit_->addSeparator();
  graphEdit_->addAction(action("mnuDrawAxis"));
  graphEdit_->addAction(action("mnuDrawLight"));
}

}  // namespace quillon
