// The view commands: mouse modes, preset views, projection, Zoom to Fit, the model and
// shading buttons, and the view, axis and light dialogs. The model buttons and the dialogs
// are kept for undo.

#include <QAction>
#include <QListWidget>

#include "app/draw_area.h"
#include "app/main_window.h"
#include "app/undo_commands.h"
#include "app/window_commands.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/state_exchange.h"
#include "scene/dialogs/axis_dialog.h"
#include "scene/dialogs/axis_style_dialog.h"
#include "scene/dialogs/light_dialog.h"
#include "scene/dialogs/view_setting_dialog.h"
#include "scene/headless_render.h"

namespace quillon {
namespace {

// The view commands a colour map has no use for: it lies flat in front of the viewer.
constexpr const char* kNotForMaps[] = {"barViewRight", "barViewTop",      "barViewISO",   "barRotX",
                                       "barRotY",      "barRotZ",         "barTrackBall", "mnuViewRight",
                                       "mnuViewTop",   "mnuViewISO",      "mnuViewRotX",  "mnuViewRotY",
                                       "mnuViewRotZ",  "mnuViewTrackBall"};

}  // namespace

void frmF1::SyncModeChecks() {
  const MouseNavigator& n = navigator_;
  const struct {
    const char* menu;
    const char* button;
    bool on;
  } modes[] = {
      {"mnuViewMove", "barMove", n.MoveMode},
      {"mnuViewZoom", "barZoom", n.ZoomMode},
      {"mnuViewRotX", "barRotX", n.RotateMode && n.RotationAxisMode == 2},
      {"mnuViewRotY", "barRotY", n.RotateMode && n.RotationAxisMode == 3},
      {"mnuViewRotZ", "barRotZ", n.RotateMode && n.RotationAxisMode == 4},
      {"mnuViewTrackBall", "barTrackBall", n.RotateMode && n.RotationAxisMode == 1},
  };
  for (const auto& mode : modes) {
    if (auto* menu = findChild<QAction*>(mode.menu)) menu->setChecked(mode.on);
    if (auto* button = findChild<QAction*>(mode.button)) button->setChecked(mode.on);
  }
}

void frmF1::OnViewMove() {
  navigator_.SetMoveMode();
  SyncModeChecks();
}

void frmF1::OnViewZoom() {
  navigator_.SetZoomMode();
  SyncModeChecks();
}

void frmF1::OnViewRotX() {
  navigator_.SetRotateMode(2);
  SyncModeChecks();
}

void frmF1::OnViewRotY() {
  navigator_.SetRotateMode(3);
  SyncModeChecks();
}

void frmF1::OnViewRotZ() {
  navigator_.SetRotateMode(4);
  SyncModeChecks();
}

void frmF1::OnViewTrackBall() {
  navigator_.SetRotateMode(1);
  SyncModeChecks();
}

void frmF1::PresetView(float roll, float pitch, float yaw) {
  document_.DrawScene.RotRoll = roll;
  document_.DrawScene.RotPitch = pitch;
  document_.DrawScene.RotYaw = yaw;
  State().TrackballActive = false;
  picDraw_->RequestReorient();
}

void frmF1::OnViewFront() {
  PresetView(0.0f, 0.0f, 0.0f);
}
void frmF1::OnViewRight() {
  PresetView(0.0f, 0.0f, 90.0f);
}
void frmF1::OnViewTop() {
  PresetView(0.0f, -90.0f, 0.0f);
}
void frmF1::OnViewISO() {
  PresetView(0.0f, -15.0f, 45.0f);
}

void frmF1::OnViewOrtho() {
  camera_.ProjectType = 1;
  findChild<QAction*>("barViewOrtho")->setChecked(true);
  findChild<QAction*>("barViewPer")->setChecked(false);
  picDraw_->update();
}

void frmF1::OnViewPerspective() {
  camera_.ProjectType = 2;
  findChild<QAction*>("barViewOrtho")->setChecked(false);
  findChild<QAction*>("barViewPer")->setChecked(true);
  picDraw_->update();
}

void frmF1::OnViewZoomAll() {
  if (document_.DrawScene.Count() == 0) return;
  ZoomToFit(camera_, document_.DrawScene, document_.Axes.ShowPI, document_.Extras, LoadSceneDrawState());
  picDraw_->update();
}

void frmF1::SyncBoxChecks() {
  const SceneExtras& extras = document_.Extras;
  if (auto* a = findChild<QAction*>("mnuViewBoxTrueScale")) a->setChecked(extras.box == BoxScale::kTrueScale);
  if (auto* a = findChild<QAction*>("mnuViewBoxCube")) a->setChecked(extras.box == BoxScale::kCube);
  if (auto* a = findChild<QAction*>("mnuViewLabels3DText"))
    a->setChecked(extras.labels == LabelStyle::kText3D);
}

void frmF1::SetSceneExtras(const SceneExtras& extras, const QString& name) {
  if (extras != document_.Extras) {
    const SceneSettings before = Commands().history.Settings();
    document_.Extras = extras;
    Commands().history.PushSettings(name, before);
    // The box changes its shape on screen: frame it again.
    OnViewZoomAll();
    RecompileAndRepaint();
  }
  SyncBoxChecks();
}

void frmF1::OnViewBoxTrueScale() {
  SceneExtras extras = document_.Extras;
  extras.box = BoxScale::kTrueScale;
  SetSceneExtras(extras, tr("True Scale"));
}

void frmF1::OnViewBoxCube() {
  SceneExtras extras = document_.Extras;
  extras.box = BoxScale::kCube;
  SetSceneExtras(extras, tr("Cube"));
}

void frmF1::OnViewLabels3D() {
  SceneExtras extras = document_.Extras;
  extras.labels = extras.labels == LabelStyle::kText3D ? LabelStyle::kScreen : LabelStyle::kText3D;
  SetSceneExtras(extras, tr("3D Text"));
}

void frmF1::SetSelectedGraphModel(int32_t show, int32_t smoothness, const QString& name) {
  if (document_.DrawScene.Count() == 0) return;
  QListWidgetItem* current = list1_->currentItem();
  if (!current || !current->isSelected()) {
    MsgBox("Select a function first.", "Warning", MsgIcon::Exclamation);
    return;
  }
  const int32_t index = list1_->row(current);
  const Cls8::GraphPtr listed = document_.GraphAt(index);
  if (!listed || !document_.IsGraphShown(listed->ID)) return;
  ReplaceGraphCommand::Version after{*listed, document_.Items()[static_cast<size_t>(index)].caption};
  if (show) after.graph.Show = show;
  if (smoothness) after.graph.Smoothness = smoothness;
  if (after.graph.Show == listed->Show && after.graph.Smoothness == listed->Smoothness) return;
  PushCommand(new ReplaceGraphCommand(Commands().history.Target(), name, index, std::move(after)));
}

void frmF1::OnModelPoint() {
  SetSelectedGraphModel(1, 0, tr("Point Model"));
}
void frmF1::OnModelGrid() {
  SetSelectedGraphModel(2, 0, tr("Grid Model"));
}
void frmF1::OnModelSurface() {
  SetSelectedGraphModel(3, 0, tr("Surface Model"));
}
void frmF1::OnSmoothFlat() {
  SetSelectedGraphModel(0, 1, tr("Flat Surface"));
}
void frmF1::OnSmoothSmooth() {
  SetSelectedGraphModel(0, 2, tr("Smooth Surface"));
}
void frmF1::OnSmoothSmoothest() {
  SetSelectedGraphModel(0, 3, tr("Smoothest Surface"));
}

void frmF1::OnViewSettings() {
  const SceneSettings before = Commands().history.Settings();
  frmF14 dialog(camera_, this);
  if (Commands().dialogs.Run(dialog) == QDialog::Accepted)
    Commands().history.PushSettings(tr("View Settings"), before);
  const bool perspective = camera_.ProjectType == 2;
  findChild<QAction*>("barViewOrtho")->setChecked(!perspective);
  findChild<QAction*>("barViewPer")->setChecked(perspective);
  picDraw_->update();
}

void frmF1::OnViewLegend() {
  const SceneSettings before = Commands().history.Settings();
  document_.Extras.legend = !document_.Extras.legend;
  Commands().history.PushSettings(document_.Extras.legend ? tr("Show Legend") : tr("Hide Legend"), before);
  picDraw_->update();
}

void frmF1::OnDrawAxis() {
  const SceneSettings before = Commands().history.Settings();
  const int32_t kind = State().SceneKind;
  if (kind == 1 || kind == 4) {
    frmF20 dialog(document_.Axes, this);
    Commands().dialogs.Run(dialog);
  } else {
    frmF3 dialog(document_.Axes, this);
    Commands().dialogs.Run(dialog);
  }
  // Cancel puts back what the dialog changed early, so only a confirmed change is kept.
  Commands().history.PushSettings(tr("Axis"), before);
  if (State().AxesChanged) {
    State().AxesChanged = false;
    RecompileAndRepaint();
  } else {
    picDraw_->update();
  }
}

void frmF1::OnDrawLight() {
  const SceneSettings before = Commands().history.Settings();
  frmF8 dialog(light_, this);
  if (Commands().dialogs.Run(dialog) == QDialog::Accepted)
    Commands().history.PushSettings(tr("Light"), before);
  picDraw_->update();
}

void frmF1::SetView3DButtons() {
  for (const char* name : kNotForMaps)
    if (auto* action = findChild<QAction*>(name)) action->setEnabled(true);
}

void frmF1::SetViewMapButtons() {
  for (const char* name : kNotForMaps)
    if (auto* action = findChild<QAction*>(name)) action->setEnabled(false);
  // A rotation mode would turn the map out of its plane.
  if (navigator_.RotateMode) {
    navigator_.RotateMode = false;
    SyncModeChecks();
  }
}

}  // namespace quillon
