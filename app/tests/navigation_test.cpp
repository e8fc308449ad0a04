// Mouse navigation: the drag rules of each mode on their own, then synthetic drags on the
// real drawing area with the camera and the scene's orientation checked afterwards.

#include <QAction>
#include <QtTest>
#include <cmath>

#include "app/mouse_navigator.h"
#include "app/tests/window_fixture.h"
#include "document/state_exchange.h"
#include "scene/headless_render.h"
#include "scene/model/camera.h"
#include "scene/model/quaternion.h"
#include "scene/scene_frame.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

constexpr int kW = 400, kH = 300;

bool Near(float a, float b, float eps = 1e-5f) {
  return std::fabs(a - b) <= eps;
}

bool NearQuat(const Quat& a, const Quat& b, float eps = 1e-5f) {
  for (int i = 0; i < 4; ++i)
    if (!Near(a[i], b[i], eps)) return false;
  return true;
}

// One left-button drag on a widget through raw events: press, the moves, release.
void Drag(QWidget* widget, const QList<QPoint>& path) {
  QTest::mousePress(widget, Qt::LeftButton, {}, path.first());
  for (const QPoint& p : path.mid(1)) {
    QMouseEvent move(QEvent::MouseMove, p, widget->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &move);
  }
  QTest::mouseRelease(widget, Qt::LeftButton, {}, path.last());
}

}  // namespace

class NavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetProgramState(); }

  void modesAreExclusive() {
    MouseNavigator n;
    n.SetZoomMode();
    n.SetRotateMode(3);
    QVERIFY(n.RotateMode && !n.ZoomMode && !n.MoveMode);
    QCOMPARE(n.RotationAxisMode, 3);
    n.SetMoveMode();
    QVERIFY(n.MoveMode && !n.RotateMode && !n.ZoomMode);
  }

  void noModeDoesNothing() {
    MouseNavigator n;
    Cls4 camera;
    n.MouseDown(10, 10);
    QCOMPARE(n.MouseMove(100, 200, kW, kH, camera), MouseNavigator::Effect::None);
    QCOMPARE(camera.VolHeight, 40.0f);
    QVERIFY(!State().TrackballActive);
  }

  void zoomFactorFollowsTheVerticalDrag() {
    MouseNavigator n;
    n.SetZoomMode();
    Cls4 camera;
    // A drag of H upwards gives factor 0, which is ignored.
    n.MouseDown(50, kH);
    QCOMPARE(n.MouseMove(50, 0, kW, kH, camera), MouseNavigator::Effect::Repaint);
    QCOMPARE(n.ZoomFactor, 0.0f);
    QCOMPARE(camera.VolHeight, 40.0f);
    // H/2 upwards halves the view volume; downwards enlarges it.
    n.MouseDown(50, kH);
    n.MouseMove(50, kH / 2, kW, kH, camera);
    QCOMPARE(camera.VolHeight, 20.0f);
    QCOMPARE(camera.VolWidth, 20.0f);
    n.MouseMove(50, kH / 2 + kH / 4, kW, kH, camera);
    QCOMPARE(camera.VolHeight, 25.0f);
    QCOMPARE(n.LastMouseY, float(kH / 2 + kH / 4));
  }

  void rotationWithoutMovementIsTheIdentity() {
    MouseNavigator n;
    n.SetRotateMode(1);
    Cls4 camera;
    const Quat start = AxisToQuat({1.0f, 0.0f, 0.0f}, 0.3f);
    State().CurrentRotation = start;
    n.MouseDown(120, 80);
    QCOMPARE(n.MouseMove(120, 80, kW, kH, camera), MouseNavigator::Effect::Recompile);
    QVERIFY(NearQuat(n.DragRotation, kIdentityQuat));
    QVERIFY(NearQuat(State().CurrentRotation, start));
    QVERIFY(State().TrackballActive);
  }

  void axisModeTwoTurnsAboutZByTheDragDirection() {
    const float arc = std::sqrt(0.01f + std::pow(0.5f - std::sqrt(0.25f - 0.01f), 2.0f));
    const float half = std::asin(arc);  // the angle is 2 asin(|P1 - P2|)
    for (int direction : {+1, -1}) {
      ResetProgramState();
      MouseNavigator n;
      n.SetRotateMode(2);
      Cls4 camera;
      // From the centre a tenth of the half-width sideways: p1 = (0, 0), p2 = (+-0.1, 0).
      n.MouseDown(kW / 2, kH / 2);
      n.MouseMove(kW / 2 + direction * kW / 20, kH / 2, kW, kH, camera);
      const Quat expected{0.0f, 0.0f, direction * std::sin(half), std::cos(half)};
      QVERIFY2(NearQuat(n.DragRotation, expected), qPrintable(QString::number(n.DragRotation[2])));
      QVERIFY(NearQuat(State().CurrentRotation, expected));
    }
  }

  void stepsAccumulateOntoTheOrientation() {
    MouseNavigator n;
    n.SetRotateMode(3);
    Cls4 camera;
    n.MouseDown(kW / 2, kH / 2);
    n.MouseMove(kW / 2, kH / 2 - 15, kW, kH, camera);
    const Quat first = State().CurrentRotation;
    n.MouseMove(kW / 2, kH / 2 - 30, kW, kH, camera);
    QVERIFY(NearQuat(State().CurrentRotation, AddQuats(n.DragRotation, first)));
    // Mode 3 turns about +x for an upward drag.
    QVERIFY(State().CurrentRotation[0] > 0.0f);
    QVERIFY(Near(State().CurrentRotation[1], 0.0f) && Near(State().CurrentRotation[2], 0.0f));
  }

  void moveShiftsTheCameraByTheScaledOffset() {
    MouseNavigator n;
    n.SetMoveMode();
    Cls4 camera, expected;
    n.MouseDown(100, 100);
    QCOMPARE(n.MouseMove(140, 70, kW, kH, camera), MouseNavigator::Effect::Repaint);
    expected.MoveView(40.0f / kW, 30.0f / kH);
    QCOMPARE(camera.RefPos().x, expected.RefPos().x);
    QCOMPARE(camera.RefPos().y, expected.RefPos().y);
    QCOMPARE(camera.EyePos().x, expected.EyePos().x);
    QVERIFY(camera.RefPos().x != 0.0f || camera.RefPos().y != 0.0f);
  }

  void emptyAreaDoesNothing() {
    MouseNavigator n;
    n.SetZoomMode();
    Cls4 camera;
    n.MouseDown(0, 0);
    QCOMPARE(n.MouseMove(0, 10, kW, 0, camera), MouseNavigator::Effect::None);
    QCOMPARE(camera.VolHeight, 40.0f);
  }

  void trackballDragOnTheDrawingArea() {
    WindowFixture f;
    f.AddSurface("z^2", 10);
    f.Settle();
    frmF1& w = *f.window;
    Control<QAction>(&w, "barTrackBall")->trigger();
    QVERIFY(Control<QAction>(&w, "mnuViewTrackBall")->isChecked());
    QVERIFY(Control<QAction>(&w, "barTrackBall")->isChecked());
    const int compiles = w.picDraw()->CompileCount();
    const QPoint c = w.picDraw()->rect().center();
    Drag(w.picDraw(), {c, c + QPoint(20, 5), c + QPoint(40, 10)});
    QVERIFY(State().TrackballActive);
    QVERIFY(!NearQuat(State().CurrentRotation, kIdentityQuat, 1e-3f));
    f.Settle();
    QVERIFY(w.picDraw()->CompileCount() > compiles);
    // A preset view discards the free rotation; the next drag starts from the preset.
    Control<QAction>(&w, "mnuViewISO")->trigger();
    QVERIFY(!State().TrackballActive);
    QCOMPARE(w.Document().DrawScene.RotPitch, -15.0f);
    QCOMPARE(w.Document().DrawScene.RotYaw, 45.0f);
    QVERIFY(Control<QAction>(&w, "barTrackBall")->isChecked());  // the mode is kept
  }

  void zoomAndMoveDragsChangeOnlyTheCamera() {
    WindowFixture f;
    f.AddSurface("z", 4);
    f.Settle();
    frmF1& w = *f.window;
    const int compiles = w.picDraw()->CompileCount();
    Control<QAction>(&w, "mnuViewZoom")->trigger();
    QVERIFY(Control<QAction>(&w, "barZoom")->isChecked());
    QVERIFY(!Control<QAction>(&w, "barTrackBall")->isChecked());
    const float before = w.Camera().VolHeight;
    const int h = w.picDraw()->height();
    Drag(w.picDraw(), {QPoint(30, h - 1), QPoint(30, h - 1 - h / 2)});
    QVERIFY(Near(w.Camera().VolHeight, before * (1.0f - float(h / 2) / h), 1e-3f));
    Control<QAction>(&w, "barMove")->trigger();
    const float refX = w.Camera().RefPos().x;
    Drag(w.picDraw(), {QPoint(30, 30), QPoint(80, 30)});
    QVERIFY(w.Camera().RefPos().x != refX);
    f.Settle();
    QCOMPARE(w.picDraw()->CompileCount(), compiles);
    QVERIFY(!State().TrackballActive);
  }

  void projectionButtons() {
    WindowFixture f;
    frmF1& w = *f.window;
    Control<QAction>(&w, "barViewPer")->trigger();
    QCOMPARE(w.Camera().ProjectType, 2);
    QVERIFY(!Control<QAction>(&w, "barViewOrtho")->isChecked());
    Control<QAction>(&w, "barViewOrtho")->trigger();
    QCOMPARE(w.Camera().ProjectType, 1);
    QVERIFY(Control<QAction>(&w, "barViewOrtho")->isChecked());
  }

  void zoomToFitNeedsAGraph() {
    WindowFixture f;
    frmF1& w = *f.window;
    const float before = w.Camera().VolHeight;
    Control<QAction>(&w, "barZoomAll")->trigger();
    QCOMPARE(w.Camera().VolHeight, before);
    f.AddSurface("z^2", 6);
    Cls4 expected = w.Camera();
    Control<QAction>(&w, "mnuViewZoomAll")->trigger();
    // The box as the scene shows it (a new scene's cube), turned by the scene's orientation.
    const Cls1 box = w.Document().DrawScene.GetBox(0, false, Cls1::Empty());
    const SceneScaling scaling = FrameScaling(box, w.Document().Extras);
    FitBoxToView(expected, scaling.ShownBox(scaling.framed),
                 OrientationMatrix(w.Document().DrawScene, LoadSceneDrawState()), kFitShare);
    QCOMPARE(w.Camera().VolHeight, expected.VolHeight);
    QVERIFY(w.Camera().VolHeight != before);
  }
};

QUILLON_REGISTER_TEST(NavigationTest);

}  // namespace quillon::test

#include "navigation_test.moc"
