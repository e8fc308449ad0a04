// The three toolbars: file and edit buttons, draw buttons, and the vertical view toolbar.
// Each button carries its key as objectName, its tooltip and its status-bar hint.

#include <QAction>
#include <QToolBar>
#include <QToolButton>

#include "app/main_window.h"
#include "app/toolbar_hints.h"
#include "app/toolbar_icons.h"

namespace quillon {
namespace {

struct ToolButtonSpec {
  const char* key;      // objectName of the button and its action; a separator has no tooltip
  const char* tooltip;  // nullptr for a separator
  const char* hint;
  void (frmF1::*slot)();
  bool checkable;
};

// Positions count from 1 in table order.
const ToolButtonSpec kToolbar1[] = {
    {"barSep0", nullptr, nullptr, nullptr, false},
    {"barOpen", "Open File", "Open file", &frmF1::OnFileOpen, false},
    {"barSave", "Save File", "Save file", &frmF1::OnFileSave, false},
    {"barSaveAs", "Save File As", "Save file as", &frmF1::OnFileSaveAs, false},
    {"barSep2", nullptr, nullptr, nullptr, false},
    {"barPrint", "Print", "Print", &frmF1::OnFilePrint, false},
    {"barSep3", nullptr, nullptr, nullptr, false},
    {"barCut", "Cut Selected Graph", "Cut the selected graph", &frmF1::OnEditCut, false},
    {"barCopy", "Copy Graph", "Copy the selected graph", &frmF1::OnEditCopy, false},
    {"barCopyAs", "Copy Graph As BMP", "Copy graphs as bitmap", &frmF1::OnEditCopyAs, false},
    {"barPaste", "Paste Graph", "Paste", &frmF1::OnEditPaste, false},
    {"varDel", "Delete Selected Graph", "Delete the selected graph", &frmF1::OnEditDelete, false},
    {"barSep4", nullptr, nullptr, nullptr, false},
    {"barHelp", "Online Help", "Get online help", &frmF1::OnHelpContents, false},
};

const ToolButtonSpec kToolbar2[] = {
    {"barSep11", nullptr, nullptr, nullptr, false},
    {"barFun3DCart", "Add A 3D Cartesian Function Graph", "Add a 3D graph", &frmF1::OnDraw3DGraph, false},
    {"barColormap", "Add A Color Map", "Add a colormap", &frmF1::OnDrawColorMap, false},
    {"barSep12", nullptr, nullptr, nullptr, false},
    {"barCoord", "Coordinate System", "Axis", &frmF1::OnDrawAxis, false},
    {"barLight", "Modify Light Properties", "Light", &frmF1::OnDrawLight, false},
};

const ToolButtonSpec kToolbar3[] = {
    {"barViewFront", "View From Front", "View front", &frmF1::OnViewFront, false},
    {"barViewRight", "View From Right", "View right", &frmF1::OnViewRight, false},
    {"barViewTop", "View From Top", "View top", &frmF1::OnViewTop, false},
    {"barViewISO", "View ISO", "View ISO", &frmF1::OnViewISO, false},
    {"barSep1", nullptr, nullptr, nullptr, false},
    {"barViewOrtho", "Ortho Projection", "Ortho projection", &frmF1::OnViewOrtho, true},
    {"barViewPer", "Perspective Projection", "Perspective projection", &frmF1::OnViewPerspective, true},
    {"barSep2", nullptr, nullptr, nullptr, false},
    {"barMove", "Move The Scene", "Move the scene", &frmF1::OnViewMove, true},
    {"barZoom", "Zoom In Or Zoom Out", "Zoom in or zoom out", &frmF1::OnViewZoom, true},
    {"barZoomAll", "Zoom To Fit", "Zoom to fit", &frmF1::OnViewZoomAll, false},
    {"barRotX", "Rotate About X Axis", "Rotate about x axis", &frmF1::OnViewRotX, true},
    {"barRotY", "Rotate About Y Axis", "Rotate about y axis", &frmF1::OnViewRotY, true},
    {"barRotZ", "Rotate About Z Axis", "Rotate about z axis", &frmF1::OnViewRotZ, true},
    {"barTrackBall", "Track Ball", "Rotate the scene", &frmF1::OnViewTrackBall, true},
    {"barSep3", nullptr, nullptr, nullptr, false},
    {"barModelPoint", "Point Model", "Point model", &frmF1::OnModelPoint, false},
    {"barModelGrid", "Grid Model", "Line model", &frmF1::OnModelGrid, false},
    {"barModelSur", "Surface Model", "Surface model", &frmF1::OnModelSurface, false},
    {"barSep4", nullptr, nullptr, nullptr, false},
    {"bar3DFlat", "Flat Surface", "Flat model", &frmF1::OnSmoothFlat, false},
    {"bar3DSmooth", "Smooth Surface", "Smooth model", &frmF1::OnSmoothSmooth, false},
    {"bar3DSmoothest", "Smoothest Surface", "Smoothest model", &frmF1::OnSmoothSmoothest, false},
};

template <size_t N>
void AddButtons(frmF1* window, QToolBar* toolbar, const ToolButtonSpec (&table)[N]) {
  for (const ToolButtonSpec& item : table) {
    if (!item.tooltip) {
      toolbar->addSeparator()->setObjectName(item.key);
      continue;
    }
    QAction* action = toolbar->addAction(ToolbarIcon(item.key), QObject::tr(item.tooltip));
    action->setObjectName(item.key);
    action->setToolTip(QObject::tr(item.tooltip));
    action->setProperty(ToolbarHints::kHintProperty, QObject::tr(item.hint));
    action->setCheckable(item.checkable);
    const auto slot = item.slot;
    QObject::connect(action, &QAction::triggered, window,
                     [window, slot, name = QObject::tr(item.tooltip)] { window->RunCommand(name, slot); });
    if (QWidget* button = toolbar->widgetForAction(action)) button->setObjectName(item.key);
  }
}

}  // namespace

void frmF1::AddToolbarButtons(QToolBar* toolbar, int table) {
  switch (table) {
    case 1:
      AddButtons(this, toolbar, kToolbar1);
      break;
    case 2:
      AddButtons(this, toolbar, kToolbar2);
      break;
    default:
      AddButtons(this, toolbar, kToolbar3);
      break;
  }
}

void frmF1::CreateToolbars() {
  const QSize iconSize(24, 24);
  toolbar1_ = new QToolBar(tr("File and Edit"), this);
  toolbar1_->setObjectName("Toolbar1");
  toolbar2_ = new QToolBar(tr("Draw"), this);
  toolbar2_->setObjectName("Toolbar2");
  toolbar3_ = new QToolBar(tr("View"), this);
  toolbar3_->setObjectName("Toolbar3");
  toolbar3_->setOrientation(Qt::Vertical);
  AddToolbarButtons(toolbar1_, 1);
  AddToolbarButtons(toolbar2_, 2);
  AddToolbarButtons(toolbar3_, 3);
  for (QToolBar* toolbar : {toolbar1_, toolbar2_, toolbar3_}) {
    // The view toolbar carries nineteen buttons down one edge: smaller icons keep them all
    // visible in a window of ordinary height.
    toolbar->setIconSize(toolbar == toolbar3_ ? QSize(20, 20) : iconSize);
    toolbar->setMovable(false);
    hints_->Watch(toolbar);
  }
  // Two rows at the top and the view toolbar down the right edge.
  addToolBar(Qt::TopToolBarArea, toolbar1_);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, toolbar2_);
  addToolBar(Qt::RightToolBarArea, toolbar3_);
  // The projection buttons show the camera's current type.
  findChild<QAction*>("barViewOrtho")->setChecked(camera_.ProjectType != 2);
  findChild<QAction*>("barViewPer")->setChecked(camera_.ProjectType == 2);
}

}  // namespace quillon
