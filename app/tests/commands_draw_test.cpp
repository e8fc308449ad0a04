// The Draw commands "3D Graph" and "Color Map": the question about the current graphs, then
// the dialog for a new graph, with EditMode and SceneKind set as the dialogs expect.

#include <QtTest>

#include "app/draw_commands.h"
#include "graph/dialogs/color_map_dialog.h"
#include "graph/dialogs/function_graph_dialog.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class CommandsDrawTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;

 private slots:
  void init() {
    ResetProgramState();
    doc_ = std::make_unique<SceneDocument>();
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
  }
  void cleanup() { scope_.reset(); }

  void draw3DGraphOpensTheFunctionDialogForANewGraph() {
    RecordingSink& sink = *sink_;
    Cls10 light;
    ScriptedFileChooser chooser;
    FileAssociation association(QStringLiteral("/nonexistent"));
    FileCommands files(*doc_, chooser, association);
    GraphDialogLauncher dialogs(*doc_, light);
    DrawCommands draw(files, dialogs);
    QString opened;
    bool editMode = true;
    dialogs.SetRunner([&](QDialog& dialog) {
      opened = dialog.objectName();
      editMode = State().EditMode;
      return int(QDialog::Rejected);
    });
    State().EditMode = true;
    QVERIFY(!draw.New3DGraph());
    QCOMPARE(opened, QStringLiteral("frmF6"));
    QVERIFY(!editMode);
    QVERIFY(sink.Requests().empty());

    // Yes with a cancelled save ends "3D Graph" before its dialog.
    AddSurface(*doc_, "z");
    opened.clear();
    sink.Script(MsgAnswer::Yes);
    chooser.ScriptCancel();
    QVERIFY(!draw.New3DGraph());
    QVERIFY(opened.isEmpty());
    QCOMPARE(doc_->Items().size(), size_t{1});
  }

  void drawColorMapSetsTheKindOnlyAfterTheQuestion() {
    Cls10 light;
    ScriptedFileChooser chooser;
    FileAssociation association(QStringLiteral("/nonexistent"));
    FileCommands files(*doc_, chooser, association);
    GraphDialogLauncher dialogs(*doc_, light);
    DrawCommands draw(files, dialogs);
    AddSurface(*doc_, "z");
    int kindAtQuestion = -1;
    class KindSink : public MessageSink {
     public:
      explicit KindSink(int& kind) : kind_(kind) {}
      MsgAnswer Show(const MessageRequest&) override {
        kind_ = State().SceneKind;
        return MsgAnswer::No;
      }

     private:
      int& kind_;
    } kindSink(kindAtQuestion);
    ScopedMessageSink scope(&kindSink);
    int kindInDialog = -1;
    dialogs.SetRunner([&kindInDialog](QDialog& dialog) {
      kindInDialog = State().SceneKind;
      auto* form = qobject_cast<frmF22*>(&dialog);
      return form && form->Confirm() ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    QVERIFY(draw.NewColorMap());
    QCOMPARE(kindAtQuestion, 3);
    QCOMPARE(kindInDialog, 7);
    QCOMPARE(doc_->Items().size(), size_t{1});
    QCOMPARE(doc_->GraphAt(0)->GraphType, gtp::kColorMap);
    QCOMPARE(doc_->GraphAt(0)->ID, 1);
  }
};

QUILLON_REGISTER_TEST(CommandsDrawTest);

}  // namespace quillon::test

#include "commands_draw_test.moc"
