// Draw > "Zeros and Poles" in the real window: the warning without a selected graph, the list
// and its Copy, the marks over the picture, and what closes the list and clears the marks.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <functional>

#include "app/tests/window_fixture.h"
#include "graph/dialogs/zeros_poles_dialog.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

namespace {

using Change = std::function<void(WindowFixture&)>;

}  // namespace

class ZerosPolesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowFixture> f_;

  void Trigger() { Find<QAction>(f_->window.get(), "mnuDrawZerosPoles")->trigger(); }
  ZerosPolesDialog* List() const { return f_->window->findChild<ZerosPolesDialog*>("ZerosPolesDialog"); }
  const std::vector<RootMark>& Marks() const { return f_->window->picDraw()->Frame().RootMarks(); }
  // A double zero at 1 and a simple pole at -1.5 on [-2, 2]^2; the picture before the list.
  QImage ListForSelectedGraph() {
    f_->AddSurface("(z-1)^2/(z+1.5)");
    f_->window->List1()->setCurrentRow(0);
    f_->Settle();
    const QImage bare = f_->window->picDraw()->grabFramebuffer();
    Trigger();
    return bare;
  }

 private slots:
  void init() { f_ = std::make_unique<WindowFixture>(); }
  void cleanup() { f_.reset(); }

  void withoutASelectedGraphItWarns() {
    f_->AddSurface("z");
    f_->window->List1()->setCurrentRow(-1);
    Trigger();
    QUILLON_EXPECT_ONE_MESSAGE(f_->sink, "Select a function first.", "Warning", MsgIcon::Exclamation);
    QVERIFY(!List());
    QVERIFY(Marks().empty());
  }

  void listsThePointsAndMarksThemOnThePicture() {
    const QImage bare = ListForSelectedGraph();
    QVERIFY(List());
    auto* table = Find<QTableWidget>(List(), "ZerosPolesTable");
    QCOMPARE(table->rowCount(), 2);
    const QStringList expected[2] = {{"pole", "-1.5", "0", "1"}, {"zero", "1", "0", "2"}};
    for (int row = 0; row < 2; ++row) {
      for (int column = 0; column < 4; ++column)
        QCOMPARE(table->item(row, column)->text(), expected[row][column]);
    }
    QCOMPARE(Find<QLabel>(List(), "ZerosPolesSummary")->text(),
             QString("1 zero and 1 pole inside the domain."));
    QVERIFY(f_->sink.Requests().empty());

    // Scene X and Y carry x and y; the marks sit where the points are.
    QCOMPARE(Marks().size(), size_t{2});
    QVERIFY(Marks()[0].pole && !Marks()[1].pole);
    QCOMPARE(Marks()[0].x, -1.5f);
    QCOMPARE(Marks()[1].x, 1.0f);
    QCOMPARE(Marks()[1].y, 0.0f);
    QVERIFY(f_->window->picDraw()->grabFramebuffer() != bare);

    Find<QPushButton>(List(), "ZerosPolesCopy")->click();
    QCOMPARE(QApplication::clipboard()->text(), QString("pole -1.5 0 1\nzero 1 0 2\n"));

    // Closing the list takes the marks off the picture again.
    Find<QPushButton>(List(), "ZerosPolesClose")->click();
    QCOMPARE(f_->window->picDraw()->grabFramebuffer(), bare);
  }

  void listClosesWhenItNoLongerDescribesTheView_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("stays");
    QTest::newRow("closed") << Change([](WindowFixture& f) {
      Find<QPushButton>(f.window->findChild<ZerosPolesDialog*>(), "ZerosPolesClose")->click();
    }) << false;
    QTest::newRow("another graph selected") << Change([](WindowFixture& f) {
      f.AddSurface("z");
      f.window->List1()->setCurrentRow(1);
    }) << false;
    QTest::newRow("unchecked") << Change([](WindowFixture& f) {
      f.window->List1()->item(0)->setCheckState(Qt::Unchecked);
    }) << false;
    QTest::newRow("function edited") << Change([](WindowFixture& f) {
      f.window->Document().GraphAt(0)->ExpressZ = "z";
      f.window->RecompileAndRepaint();
    }) << false;
    QTest::newRow("domain edited") << Change([](WindowFixture& f) {
      f.window->Document().GraphAt(0)->MaxU = 3.0f;
      f.window->RecompileAndRepaint();
    }) << false;
    QTest::newRow("deleted") << Change([](WindowFixture& f) { f.window->OnEditDelete(); }) << false;
    QTest::newRow("view turned") << Change([](WindowFixture& f) { f.window->OnViewRight(); }) << true;
    QTest::newRow("model changed") << Change([](WindowFixture& f) { f.window->OnModelGrid(); }) << true;
  }
  void listClosesWhenItNoLongerDescribesTheView() {
    QFETCH(Change, change);
    QFETCH(bool, stays);
    ListForSelectedGraph();
    QVERIFY(List());
    change(*f_);
    f_->Settle();
    QCoreApplication::processEvents();
    QCOMPARE(List() != nullptr && List()->isVisible(), stays);
    QCOMPARE(Marks().size(), stays ? size_t{2} : size_t{0});
  }
};

QUILLON_REGISTER_TEST(ZerosPolesTest);

}  // namespace quillon::test

#include "zeros_poles_test.moc"
