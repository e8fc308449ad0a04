// The client-area layout: splitter bars dragged with the mouse and clamped on release, the
// children placed around them at any window size, and the drawing area's device-pixel size
// reaching the camera.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QtTest>

#include "app/client_area.h"
#include "app/splitter_bar.h"
#include "app/splitter_limits.h"
#include "app/tests/window_fixture.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

// Drags a bar so that its left (or top) edge lands at the given position in its parent.
void DragBar(SplitterBar* bar, int to) {
  const QPoint grip(bar->width() / 2, bar->height() / 2);
  QTest::mousePress(bar, Qt::LeftButton, {}, grip);
  const bool vertical = bar->Orientation() == Qt::Vertical;
  const int from = vertical ? bar->x() : bar->y();
  const QPoint shifted = vertical ? grip + QPoint(to - from, 0) : grip + QPoint(0, to - from);
  QMouseEvent move(QEvent::MouseMove, shifted, bar->mapToGlobal(shifted), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(bar, &move);
  QVERIFY(bar->Dragging());
  QMouseEvent release(QEvent::MouseButtonRelease, shifted, bar->mapToGlobal(shifted), Qt::LeftButton,
                      Qt::NoButton, {});
  QApplication::sendEvent(bar, &release);
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowFixture> f_;

 private slots:
  void init() { f_ = std::make_unique<WindowFixture>(); }
  void cleanup() { f_.reset(); }

  void limitsInTwips() {
    QCOMPARE(TwipsToPixels(1000), 67);
    QCOMPARE(ClampVerticalBarLeft(TwipsToPixels(200), 800), 67);
    QCOMPARE(ClampVerticalBarLeft(790, 800), 800 - 67);
    QCOMPARE(ClampVerticalBarLeft(300, 800), 300);
    // Too narrow for both rules: the right-hand one wins.
    QCOMPARE(ClampVerticalBarLeft(100, 100), 100 - 67);
    QCOMPARE(ClampHorizontalBarTop(10, 700, 30), 133);
    QCOMPARE(ClampHorizontalBarTop(650, 700, 30), 610);
  }

  void verticalBarIsClampedOnRelease() {
    frmF1& w = *f_->window;
    ClientArea* area = w.Client();
    SplitterBar* bar = Control<SplitterBar>(&w, "Splitter");
    DragBar(bar, TwipsToPixels(200));
    QCOMPARE(area->VerticalBarLeft(), TwipsToPixels(1000));
    QCOMPARE(bar->x(), TwipsToPixels(1000));
    DragBar(bar, w.ScaleWidth() - 10);
    QCOMPARE(area->VerticalBarLeft(), w.ScaleWidth() - TwipsToPixels(1000));
    DragBar(bar, 300);
    QCOMPARE(area->VerticalBarLeft(), 300);
    // The list and the drawing area follow the bar.
    QCOMPARE(w.List1()->width(), 300);
    QCOMPARE(w.picDraw()->x(), 300 + kVerticalBarWidth);
    QCOMPARE(w.picDraw()->x() + w.picDraw()->width(), area->width());
  }

  void horizontalBarIsClampedOnRelease() {
    frmF1& w = *f_->window;
    ClientArea* area = w.Client();
    SplitterBar* bar = Control<SplitterBar>(&w, "Splitter2");
    DragBar(bar, 0);
    QCOMPARE(area->HorizontalBarTop(), TwipsToPixels(2000));
    const int t = Control<QToolBar>(&w, "Toolbar1")->height();
    DragBar(bar, area->height() - 1);
    QCOMPARE(area->HorizontalBarTop(), w.ScaleHeight() - 3 * t);
    // List above the bar, result box below it, both as wide as the bar.
    auto* result = Control<QPlainTextEdit>(&w, "Result");
    QCOMPARE(w.List1()->height(), bar->y());
    QCOMPARE(result->y(), bar->y() + kHorizontalBarHeight);
    QCOMPARE(result->y() + result->height(), area->height());
    QCOMPARE(bar->width(), w.List1()->width());
  }

  void tinyWindowKeepsSizesNonNegative() {
    frmF1& w = *f_->window;
    w.resize(120, 90);
    QTest::qWait(50);
    ClientArea* area = w.Client();
    for (QWidget* child : area->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      QVERIFY(child->width() >= 0 && child->height() >= 0);
      QVERIFY(child->x() + child->width() <= area->width());
      QVERIFY(child->y() + child->height() <= area->height());
    }
    w.resize(1000, 700);
    QTest::qWait(50);
    // The bars keep their places once there is room again.
    QCOMPARE(Control<SplitterBar>(&w, "Splitter")->x() + area->mapTo(&w, QPoint(0, 0)).x(),
             area->VerticalBarLeft());
  }

  void cameraGetsDevicePixels() {
    frmF1& w = *f_->window;
    w.resize(900, 650);
    f_->Settle();
    const QSize pixels = w.picDraw()->PixelSize();
    QCOMPARE(pixels, (w.picDraw()->size() * w.picDraw()->devicePixelRatioF()));
    QCOMPARE(w.Camera().ScreenWidth, float(pixels.width()));
    QCOMPARE(w.Camera().ScreenHeight, float(pixels.height()));
    QCOMPARE(w.picDraw()->grabFramebuffer().size(), pixels);
  }
};

QUILLON_REGISTER_TEST(LayoutTest);

}  // namespace quillon::test

#include "layout_test.moc"
