// Edit, Cut, Copy and Paste through the real clipboard: the clipboard text, the kind filter,
// the check state of pasted graphs, and the dialog the Edit command opens for each kind.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

#include "app/draw_commands.h"
#include "app/edit_commands.h"
#include "document/clipboard_text.h"
#include "graph/dialogs/color_map_dialog.h"
#include "graph/dialogs/function_graph_dialog.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class CommandsEditTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<Cls10> light_;
  std::unique_ptr<GraphDialogLauncher> dialogs_;
  std::unique_ptr<EditCommands> edit_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;
  int changes_ = 0;
  int32_t clipGraphCount_ = 0;

  static QString Clipboard() { return QApplication::clipboard()->text(); }

 private slots:
  void init() {
    ResetProgramState();
    doc_ = std::make_unique<SceneDocument>();
    light_ = std::make_unique<Cls10>();
    dialogs_ = std::make_unique<GraphDialogLauncher>(*doc_, *light_);
    clipGraphCount_ = 0;
    edit_ = std::make_unique<EditCommands>(*doc_, *dialogs_, clipGraphCount_);
    changes_ = 0;
    edit_->SetOnChanged([this] { ++changes_; });
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
    QApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void cleanup() { scope_.reset(); }

  void copyPutsTheKindAndTheRecordOnTheClipboard() {
    Cls8::GraphPtr graph = AddSurface(*doc_, "z^2", "my graph");
    QVERIFY(edit_->Copy());
    QCOMPARE(clipGraphCount_, 1);
    QCOMPARE(Clipboard(), QString::fromStdString("3 " + graph->Save()));
  }

  void copyPasteRoundTripGivesASecondGraphWithTheNextId() {
    AddSurface(*doc_, "z^2", "my graph");
    AddSurface(*doc_, "z");
    doc_->SetCurrentIndex(0);
    QVERIFY(edit_->Copy());
    QVERIFY(edit_->Paste());
    QCOMPARE(doc_->Items().size(), size_t{3});
    QCOMPARE(doc_->Items()[2].caption, doc_->Items()[0].caption);
    const Cls9& pasted = *doc_->GraphAt(2);
    QCOMPARE(pasted.ID, 3);
    QCOMPARE(State().LastGraphID, 3);
    QCOMPARE(pasted.NameS, std::string("my graph"));
    QCOMPARE(pasted.ExpressZ, std::string("z^2"));
    QVERIFY(doc_->Items()[2].checked);
    QVERIFY(doc_->DrawScene.Find("3") != nullptr);
    QVERIFY(!pasted.SceneX.Empty());  // sampled
    QCOMPARE(changes_, 1);
  }

  // Paste inside the program keeps the graph's settings; text from another program gets
  // those of a document without a settings block.
  void pasteKeepsTheSettingsOnlyFromTheProgramsOwnFormat() {
    Cls8::GraphPtr graph = AddSurface(*doc_, "z^2");
    graph->Extras = GraphExtras::NewSurface();
    QVERIFY(edit_->Copy());
    QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(kGraphClipboardFormat)));
    QVERIFY(edit_->Paste());
    QVERIFY(doc_->GraphAt(1)->Extras == graph->Extras);
    QApplication::clipboard()->setText(Clipboard());
    QVERIFY(edit_->Paste());
    QVERIFY(doc_->GraphAt(2)->Extras == GraphExtras{});
    QCOMPARE(doc_->GraphAt(2)->ExpressZ, std::string("z^2"));
    QVERIFY(sink_->Requests().empty());
  }

  void pasteNeedsACopyFromThisWindow() {
    AddSurface(*doc_, "z");
    QApplication::clipboard()->setText(QString::fromStdString("3 " + doc_->GraphAt(0)->Save()));
    QVERIFY(!edit_->Paste());
    QCOMPARE(doc_->Items().size(), size_t{1});
    QVERIFY(sink_->Requests().empty());
  }

  void copyWithNoShownGraphDoesNothing() {
    AddSurface(*doc_, "z");
    doc_->SetChecked(0, false);
    QVERIFY(!edit_->Copy());
    QCOMPARE(clipGraphCount_, 0);
    QCOMPARE(Clipboard(), QStringLiteral("before"));
  }

  void theKindFilterRefusesTextOfAnotherScene() {
    AddSurface(*doc_, "z");
    QVERIFY(edit_->Copy());
    QVERIFY(Clipboard().startsWith(QStringLiteral("3 ")));
    State().SceneKind = 7;
    QVERIFY(!edit_->Paste());
    QCOMPARE(doc_->Items().size(), size_t{1});
    // A 3D scene takes text of kind 3 or 6 only.
    State().SceneKind = 3;
    QApplication::clipboard()->setText(Clipboard().replace(0, 1, QStringLiteral("7")));
    QVERIFY(!edit_->Paste());
    QApplication::clipboard()->setText(Clipboard().replace(0, 1, QStringLiteral("6")));
    QVERIFY(edit_->Paste());
    QCOMPARE(doc_->Items().size(), size_t{2});
    QVERIFY(sink_->Requests().empty());
  }

  void pasteTakesTheCheckStateOfTheCurrentItem() {
    AddSurface(*doc_, "z");
    AddSurface(*doc_, "z+1");
    doc_->SetCurrentIndex(0);
    QVERIFY(edit_->Copy());
    doc_->SetChecked(1, false);
    doc_->SetCurrentIndex(1);
    QVERIFY(edit_->Paste());
    QCOMPARE(doc_->Items().size(), size_t{3});
    QVERIFY(!doc_->Items()[2].checked);
    QVERIFY(doc_->DrawScene.Find(std::to_string(doc_->GraphAt(2)->ID)) == nullptr);
  }

  void cutLeavesTheRecordOnTheClipboardAndRemovesTheGraph() {
    AddSurface(*doc_, "z");
    Cls8::GraphPtr second = AddSurface(*doc_, "sin(z)");
    const QString record = QString::fromStdString("3 " + second->Save());
    QVERIFY(edit_->Cut());
    QCOMPARE(Clipboard(), record);
    QCOMPARE(doc_->Items().size(), size_t{1});
    QCOMPARE(doc_->ListScene.Count(), size_t{1});
    QCOMPARE(doc_->DrawScene.Count(), size_t{1});
    QVERIFY(doc_->ListScene.Find("2") == nullptr);
    QVERIFY(edit_->Paste());
    QCOMPARE(doc_->GraphAt(1)->ExpressZ, std::string("sin(z)"));
  }

  void cutThatCannotCopyDeletesNothing() {
    AddSurface(*doc_, "z");
    doc_->SetChecked(0, false);  // nothing shown: Copy does nothing
    QVERIFY(!edit_->Cut());
    QCOMPARE(doc_->Items().size(), size_t{1});
  }

  void editOfAnUncheckedGraphWarns() {
    AddSurface(*doc_, "z");
    doc_->SetChecked(0, false);
    bool opened = false;
    dialogs_->SetRunner([&opened](QDialog&) {
      opened = true;
      return int(QDialog::Rejected);
    });
    QVERIFY(!edit_->Edit());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Select a function first.", "Warning", MsgIcon::Exclamation);
    QVERIFY(!opened);
    sink_->Clear();
    doc_->SetCurrentIndex(-1);
    QVERIFY(!edit_->Edit());
    QCOMPARE(sink_->Requests().size(), size_t{1});
  }

  void editOpensTheFunctionDialogFilledFromTheGraph() {
    AddSurface(*doc_, "z", "first");
    Cls8::GraphPtr graph = AddSurface(*doc_, "z^3", "second");
    QString title, function;
    bool editMode = false;
    dialogs_->SetRunner([&](QDialog& dialog) {
      auto* form = qobject_cast<frmF6*>(&dialog);
      if (!form) return int(QDialog::Rejected);
      title = form->windowTitle();
      function = FieldOf(form, "Text2");
      editMode = State().EditMode;
      Type(form, "Text2", "z^4");
      return form->Confirm() ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    QVERIFY2(edit_->Edit(), qPrintable(Texts(*sink_)));
    QCOMPARE(title, QStringLiteral("3D Graph Properties"));
    QCOMPARE(function, QStringLiteral("z^3"));
    QVERIFY(editMode);
    QVERIFY(!State().EditMode);
    QCOMPARE(doc_->Items().size(), size_t{2});
    QCOMPARE(doc_->GraphAt(1).get(), graph.get());
    QCOMPARE(graph->ExpressZ, std::string("z^4"));
    QCOMPARE(graph->ID, 2);
    QCOMPARE(doc_->Items()[1].caption, std::string("3D Surface  w=z^4"));
    QCOMPARE(changes_, 1);
  }

  void editOpensTheColorMapDialogForAMapOnly() {
    State().SceneKind = 7;
    auto map = MakeSurface("z");
    map->GraphType = gtp::kColorMap;
    map->ID = ++State().LastGraphID;
    doc_->AddGraph(map);
    doc_->SetCurrentIndex(0);
    QString opened;
    dialogs_->SetRunner([&opened](QDialog& dialog) {
      opened = dialog.objectName();
      return int(QDialog::Rejected);
    });
    QVERIFY(!edit_->Edit());
    QCOMPARE(opened, QStringLiteral("frmF22"));
    QCOMPARE(changes_, 0);

    // A surface in a map scene, or a point graph in a 3D scene, opens nothing.
    opened.clear();
    map->GraphType = gtp::kSurface;
    QVERIFY(!edit_->Edit());
    State().SceneKind = 3;
    map->GraphType = gtp::kPoint;
    QVERIFY(!edit_->Edit());
    QVERIFY(opened.isEmpty());
    QVERIFY(!State().EditMode);
  }
};

QUILLON_REGISTER_TEST(CommandsEditTest);

}  // namespace quillon::test

#include "commands_edit_test.moc"
