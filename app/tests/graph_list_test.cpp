// List1 as a view of the scene document: captions, check boxes moving graphs in and out of
// DrawScene, Delete and Delete All with their recompile, and the model buttons that act on
// the selected graph.

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tests/window_fixture.h"
#include "document/document_writer.h"
#include "document/examples.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

QList<int32_t> DrawnIds(frmF1& w) {
  QList<int32_t> ids;
  for (const auto& entry : w.Document().DrawScene.FunSurfs()) ids << entry.graph->ID;
  return ids;
}

}  // namespace

class GraphListTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowFixture> f_;

 private slots:
  void init() { f_ = std::make_unique<WindowFixture>(); }
  void cleanup() { f_.reset(); }

  void captionsAndChecks() {
    f_->AddSurface("z^2+1");
    f_->AddSurface("sin(z)");
    QListWidget* list = f_->window->List1();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QString("3D Surface  w=z^2+1"));
    QCOMPARE(list->item(1)->text(), QString("3D Surface  w=sin(z)"));
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(list->item(i)->checkState(), Qt::Checked);
      QVERIFY(list->item(i)->flags() & Qt::ItemIsUserCheckable);
    }
  }

  void checkBoxesMoveGraphsInAndOutOfTheDrawing() {
    frmF1& w = *f_->window;
    for (const char* fn : {"z", "z^2", "z^3"}) f_->AddSurface(fn, 6);
    f_->Settle();
    QCOMPARE(DrawnIds(w), QList<int32_t>({1, 2, 3}));
    int compiles = w.picDraw()->CompileCount();
    w.List1()->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(DrawnIds(w), QList<int32_t>({2, 3}));
    QVERIFY(!w.Document().Items()[0].checked);
    f_->Settle();
    QVERIFY(w.picDraw()->CompileCount() > compiles);
    // Checked again, it goes after the other shown graphs.
    w.List1()->item(0)->setCheckState(Qt::Checked);
    QCOMPARE(DrawnIds(w), QList<int32_t>({2, 3, 1}));
    QCOMPARE(w.Document().ListScene.Count(), size_t(3));
  }

  void clickingTheCheckBoxWithTheMouse() {
    frmF1& w = *f_->window;
    f_->AddSurface("z", 4);
    QListWidget* list = w.List1();
    const QRect row = list->visualItemRect(list->item(0));
    // The check box sits at the start of the row.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 10, row.center().y()));
    if (list->item(0)->checkState() == Qt::Checked)  // styles that toggle on double-click only
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 10, row.center().y()));
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(w.Document().DrawScene.Count(), size_t(0));
  }

  void deleteRemovesTheCurrentGraph() {
    frmF1& w = *f_->window;
    for (const char* fn : {"z", "z^2", "z^3"}) f_->AddSurface(fn, 4);
    f_->Settle();
    // No current item: nothing happens. (Focus reaching the list, which may come late on a slow
    // machine, makes its first row current, so the test clears it rather than assume it.)
    w.List1()->setCurrentRow(-1);
    Control<QAction>(&w, "mnuEditDelete")->trigger();
    QCOMPARE(w.List1()->count(), 3);
    w.List1()->setCurrentRow(1);
    QCOMPARE(w.Document().CurrentIndex(), 1);
    const int compiles = w.picDraw()->CompileCount();
    Control<QAction>(&w, "varDel")->trigger();
    QCOMPARE(w.List1()->count(), 2);
    QCOMPARE(w.List1()->item(1)->text(), QString("3D Surface  w=z^3"));
    QCOMPARE(DrawnIds(w), QList<int32_t>({1, 3}));
    f_->Settle();
    QVERIFY(w.picDraw()->CompileCount() > compiles);
  }

  void deleteAllStartsTheIdsAgain() {
    frmF1& w = *f_->window;
    f_->AddSurface("z", 4);
    f_->AddSurface("z^2", 4);
    Control<QAction>(&w, "mnuEditDeleteAll")->trigger();
    QCOMPARE(w.List1()->count(), 0);
    QCOMPARE(w.Document().ListScene.Count(), size_t(0));
    QCOMPARE(w.Document().DrawScene.Count(), size_t(0));
    QCOMPARE(State().LastGraphID, 0);
    QCOMPARE(f_->AddSurface("z")->ID, 1);
  }

  void modelButtonsNeedASelectedGraph() {
    frmF1& w = *f_->window;
    // With nothing drawn the buttons do nothing at all.
    Control<QAction>(&w, "barModelPoint")->trigger();
    QVERIFY(f_->sink.Requests().empty());

    auto first = f_->AddSurface("z", 4);
    auto second = f_->AddSurface("z^2", 4);
    w.List1()->setCurrentRow(-1);
    Control<QAction>(&w, "barModelGrid")->trigger();
    QCOMPARE(f_->sink.Requests().size(), size_t(1));
    QCOMPARE(f_->sink.Requests()[0].text, std::string("Select a function first."));
    QCOMPARE(f_->sink.Requests()[0].title, std::string("Warning"));
    QVERIFY(f_->sink.Requests()[0].icon == MsgIcon::Exclamation);
    QCOMPARE(first->Show, 3);
    QCOMPARE(second->Show, 3);

    w.List1()->setCurrentRow(1);
    const int compiles = w.picDraw()->CompileCount();
    Control<QAction>(&w, "barModelPoint")->trigger();
    Control<QAction>(&w, "bar3DFlat")->trigger();
    QCOMPARE(second->Show, 1);
    QCOMPARE(second->Smoothness, 1);
    QCOMPARE(first->Show, 3);
    f_->Settle();
    QVERIFY(w.picDraw()->CompileCount() > compiles);
  }

  // The window starts a new scene with the new scene settings; a document brings its own (a
  // document without a settings block: the start values) and its hidden graphs.
  void openingADocumentFillsTheList() {
    frmF1& w = *f_->window;
    QVERIFY(w.Document().Extras == SceneExtras::NewScene());
    QTemporaryDir dir;
    SceneDocument example;
    QVERIFY(BuildExample(example, "welcome"));
    auto hidden = std::make_shared<Cls9>(*example.GraphAt(0));
    hidden->ID = 2;
    example.AddGraph(hidden, false);
    example.SetChecked(1, false);
    const EncodeResult encoded = EncodeSceneDocument(example);
    QVERIFY(encoded.ok);
    QFile file(dir.filePath("welcome.zvt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encoded.bytes.data(), qint64(encoded.bytes.size()));
    file.close();
    ResetProgramState();

    QVERIFY(w.OpenDocument(file.fileName()));
    QVERIFY(f_->sink.Requests().empty());
    QCOMPARE(w.List1()->count(), int(example.Items().size()));
    QVERIFY(w.List1()->count() > 0);
    QCOMPARE(w.List1()->item(0)->text(), QString::fromStdString(example.Items()[0].caption));
    QCOMPARE(w.List1()->item(0)->checkState(), Qt::Checked);
    QCOMPARE(w.List1()->item(1)->checkState(), Qt::Unchecked);
    QCOMPARE(w.Document().DrawScene.Count(), example.DrawScene.Count());
    QVERIFY(w.Document().Extras == SceneExtras{});
  }

  void aDocumentThatCannotBeReadIsReported() {
    frmF1& w = *f_->window;
    f_->AddSurface("z", 4);
    QTemporaryDir dir;
    QVERIFY(!w.OpenDocument(dir.filePath("missing.zvt")));
    QCOMPARE(f_->sink.Requests().size(), size_t(1));
    QVERIFY(f_->sink.Requests()[0].icon == MsgIcon::Exclamation);
    QVERIFY(QString::fromStdString(f_->sink.Requests()[0].text).contains("missing.zvt"));
    QCOMPARE(w.List1()->count(), 1);  // the current graphs stay
  }

  void resultBoxShowsTheCompiledText() {
    frmF1& w = *f_->window;
    State().ResultText = "u = 1.5";
    w.RecompileAndRepaint();
    f_->Settle();
    QCOMPARE(Control<QPlainTextEdit>(&w, "Result")->toPlainText(), QString("u = 1.5"));
  }
};

QUILLON_REGISTER_TEST(GraphListTest);

}  // namespace quillon::test

#include "graph_list_test.moc"
