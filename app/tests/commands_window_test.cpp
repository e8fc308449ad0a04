// The window's command slots wired to the controllers: the association written when the
// window starts, Save and Open from the menu, Save As BMP of the drawing area's pixel size,
// Copy and Paste, the Draw menu's dialog, and closing with and without a save.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <new>

#include "app/tests/window_fixture.h"
#include "app/window_commands.h"
#include "graph/dialogs/function_graph_dialog.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class CommandsWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QByteArray savedXdg_;
  QByteArray savedPath_;
  std::unique_ptr<WindowFixture> f_;
  std::unique_ptr<ScriptedFileChooser> chooser_;

  QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
  void Trigger(const char* action) { Find<QAction>(f_->window.get(), action)->trigger(); }
  int Listed() const { return f_->window->List1()->count(); }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    savedXdg_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", Path("data").toUtf8());
    // The desktop's database tools are left out: they would run on after the test.
    savedPath_ = qgetenv("PATH");
    qputenv("PATH", Path("no-tools").toUtf8());
    f_ = std::make_unique<WindowFixture>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    f_->window->Commands().files.SetChooser(*chooser_);
  }
  void cleanup() {
    f_.reset();
    chooser_.reset();
    qputenv("XDG_DATA_HOME", savedXdg_);
    qputenv("PATH", savedPath_);
    dir_.reset();
  }

  // An allocation that fails inside a command is a message; the graphs are put back as they
  // were when the command started, and the window goes on.
  void aCommandThatRunsOutOfMemoryLeavesTheGraphsAsTheyWere() {
    f_->AddSurface("z");
    QUndoStack& undo = f_->window->Commands().history.Stack();
    const int undoIndex = undo.index();
    f_->window->RunCommand(QStringLiteral("&Paste"), [this] {
      f_->AddSurface("z^2");
      throw std::bad_alloc();
    });
    QCOMPARE(f_->window->Document().Items().size(), size_t{1});
    QCOMPARE(f_->window->Document().DrawScene.Count(), size_t{1});
    QCOMPARE(Listed(), 1);
    QCOMPARE(undo.index(), undoIndex);
    QCOMPARE(f_->sink.Requests().size(), size_t{1});
    QCOMPARE(QString::fromStdString(f_->sink.Requests()[0].text),
             QStringLiteral("Out of memory: Paste was stopped and nothing was changed."));
  }

  void startingTheWindowRegistersTheDocumentType() {
    const AssociationPaths paths = f_->window->Commands().association.Paths();
    QVERIFY(paths.mimePackage.startsWith(Path("data")));
    QVERIFY(QFile::exists(paths.mimePackage));
    QVERIFY(QFile::exists(paths.desktopEntry));
    QCOMPARE(f_->window->Commands().association.RegisteredClass(), QStringLiteral("wdxfile"));
  }

  void saveAndOpenFromTheMenu() {
    f_->AddSurface("z^2");
    f_->AddSurface("z");
    chooser_->Script(Path("menu.zvt"));
    Trigger("mnuFileSave");
    QVERIFY(QFile::exists(Path("menu.zvt")));
    Trigger("mnuEditDeleteAll");
    QCOMPARE(Listed(), 0);
    chooser_->Script(Path("menu.zvt"));
    Trigger("mnuFileOpen");  // no graphs: no question
    QVERIFY2(f_->sink.Requests().empty(), qPrintable(Texts(f_->sink)));
    QCOMPARE(Listed(), 2);
    QCOMPARE(f_->window->List1()->item(0)->text(), QStringLiteral("3D Surface  w=z^2"));
    QCOMPARE(f_->window->List1()->item(1)->checkState(), Qt::Checked);
  }

  void saveAsBmpHasTheDrawingAreasPixelSize() {
    f_->AddSurface("z");
    f_->Settle();
    chooser_->Script(Path("area.bmp"), 2);
    Trigger("mnuFileSaveAs");
    QImage picture;
    QVERIFY(picture.load(Path("area.bmp"), "BMP"));
    QCOMPARE(picture.size(), f_->window->picDraw()->PixelSize());
  }

  void copyAndPasteFromTheMenu() {
    f_->AddSurface("z+1");
    f_->window->List1()->setCurrentRow(0);
    Trigger("mnuEditCopy");
    QCOMPARE(f_->window->ClipGraphCount, 1);
    Trigger("mnuEditPaste");
    QCOMPARE(Listed(), 2);
    QCOMPARE(f_->window->List1()->item(1)->text(), QStringLiteral("3D Surface  w=z+1"));
  }

  void draw3DGraphAddsTheConfirmedGraph() {
    f_->window->Commands().dialogs.SetRunner([](QDialog& dialog) {
      auto* form = qobject_cast<frmF6*>(&dialog);
      if (!form) return int(QDialog::Rejected);
      Type(form, "Text2", "z^3");
      Type(form, "Text7", "10");
      Type(form, "Text10", "10");
      return form->Confirm() ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    Trigger("mnuDraw3DGraph");
    QCOMPARE(Listed(), 1);
    QCOMPARE(f_->window->List1()->item(0)->text(), QStringLiteral("3D Surface  w=z^3"));
    QCOMPARE(f_->window->Document().DrawScene.Count(), size_t{1});
  }

  void closingKeepsTheWindowUntilTheGraphsAreSavedOrGivenUp() {
    f_->AddSurface("z");
    // Yes, then the save dialog is cancelled: the window stays.
    f_->sink.Script(MsgAnswer::Yes);
    chooser_->ScriptCancel();
    QVERIFY(!f_->window->close());
    QVERIFY(f_->window->isVisible());
    // Yes and a written save: it closes.
    f_->sink.Script(MsgAnswer::Yes);
    chooser_->Script(Path("last.zvt"));
    QVERIFY(f_->window->close());
    QVERIFY(QFile::exists(Path("last.zvt")));
    QCOMPARE(f_->sink.Requests().size(), size_t{2});
  }

  void closingWithNoClosesWithoutSaving() {
    f_->AddSurface("z");
    f_->sink.Script(MsgAnswer::No);
    QVERIFY(f_->window->close());
    QVERIFY(chooser_->Requests().empty());
  }
};

QUILLON_REGISTER_TEST(CommandsWindowTest);

}  // namespace quillon::test

#include "commands_window_test.moc"
