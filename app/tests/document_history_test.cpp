// The document's history in the window: the title's name and unsaved mark, when the save
// questions come, undo and redo of every kind of change, File > New, the recent files, a
// dropped document, the save dialog's extensions and printing to a PDF file.

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "app/tests/window_fixture.h"
#include "app/window_commands.h"
#include "document/document_writer.h"
#include "graph/dialogs/color_map_dialog.h"
#include "graph/dialogs/function_graph_dialog.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class DocumentHistoryTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QByteArray savedPath_;
  std::unique_ptr<WindowFixture> f_;
  std::unique_ptr<ScriptedFileChooser> chooser_;
  bool confirm_ = true;  // how the scripted dialogs end

  frmF1& W() { return *f_->window; }
  DocumentHistory& History() { return W().Commands().history; }
  QString Path(const QString& name) const { return dir_->filePath(name); }
  void Trigger(const char* action) { Find<QAction>(f_->window.get(), action)->trigger(); }
  int Listed() { return W().List1()->count(); }
  void SetCheck(int row, bool checked) {
    W().List1()->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }

  // Graph dialogs get a new function; scene dialogs get one setting turned over and OK.
  int RunDialog(QDialog& dialog) {
    if (!confirm_) return QDialog::Rejected;
    if (auto* form = qobject_cast<frmF6*>(&dialog)) {
      Type(form, "Text2", Type3D());
      Type(form, "Text7", "6");
      Type(form, "Text10", "6");
      return form->Confirm() ? QDialog::Accepted : QDialog::Rejected;
    }
    if (auto* form = qobject_cast<frmF22*>(&dialog)) {
      Type(form, "Text4", "1/z");
      return form->Confirm() ? QDialog::Accepted : QDialog::Rejected;
    }
    if (auto* check = dialog.findChild<QCheckBox*>("Check2")) check->toggle();
    if (auto* perspective = dialog.findChild<QRadioButton*>("Option2");
        perspective && dialog.objectName() == "frmF14")
      perspective->setChecked(true);
    Find<QPushButton>(&dialog, "Command1")->click();
    return dialog.result();
  }
  QString Type3D() { return QStringLiteral("z^%1").arg(++functions_); }
  int functions_ = 0;

  // Everything a command may change: the saved text (drawing order included), the list as
  // the document and the widget hold it, graph IDs, kind, light and projection.
  std::string Fingerprint() {
    const SceneDocument& doc = W().Document();
    std::string text = BuildDocumentText(doc) + "|";
    for (const auto& item : doc.Items()) text += item.caption + (item.checked ? "+" : "-");
    for (int i = 0; i < Listed(); ++i)
      text += W().List1()->item(i)->text().toStdString() + std::to_string(W().List1()->item(i)->checkState());
    text += "|" + std::to_string(State().LastGraphID) + "," + std::to_string(State().SceneKind) + "," +
            std::to_string(W().Light().TwoSides(0)) + "," + std::to_string(W().Camera().ProjectType) + "," +
            std::to_string(static_cast<int>(doc.Extras.box)) +
            std::to_string(static_cast<int>(doc.Extras.labels));
    return text;
  }

  // "check" and "uncheck" turn the first item that is the other way.
  void ActOn(const QString& action) {
    if (action == "check" || action == "uncheck") {
      const bool checked = action == "check";
      for (int i = 0; i < Listed(); ++i) {
        if ((W().List1()->item(i)->checkState() == Qt::Checked) != checked) return SetCheck(i, checked);
      }
      QFAIL("no item to turn");
    }
    if (action == "mnuDraw3DGraph") f_->sink.Script(MsgAnswer::Cancel);  // keep the graphs, add one
    Trigger(action.toLatin1().constData());
  }

  // Three surfaces, the second unchecked, the third current and copied.
  void ThreeGraphs() {
    for (const char* function : {"z", "z^2", "z^3"}) f_->AddSurface(function, 6);
    SetCheck(1, false);
    W().List1()->setCurrentRow(2);
    Trigger("mnuEditCopy");
  }

  QString SavedDocument(const QString& name) {
    f_->AddSurface("z", 6);
    chooser_->Script(Path(name));
    Trigger("mnuFileSave");
    return Path(name);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Path("settings"));
    savedPath_ = qgetenv("PATH");
    qputenv("PATH", Path("no-tools").toUtf8());
    f_ = std::make_unique<WindowFixture>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    W().Commands().files.SetChooser(*chooser_);
    W().Commands().dialogs.SetRunner([this](QDialog& dialog) { return RunDialog(dialog); });
    confirm_ = true;
  }
  void cleanup() {
    f_.reset();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
    qputenv("PATH", savedPath_);
    dir_.reset();
  }

  void eachChangeIsUndoneAndRedone_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("changesDocument");
    QTest::newRow("add") << "mnuDraw3DGraph"
                         << "3D Graph" << true;
    QTest::newRow("edit") << "mnuFunEditEdit"
                          << "Edit" << true;
    QTest::newRow("delete") << "mnuEditDelete"
                            << "Delete" << true;
    QTest::newRow("cut") << "mnuEditCut"
                         << "Cut" << true;
    QTest::newRow("paste") << "mnuEditPaste"
                           << "Paste" << true;
    QTest::newRow("check") << "check"
                           << "Check" << true;
    QTest::newRow("uncheck") << "uncheck"
                             << "Uncheck" << true;
    QTest::newRow("delete all") << "mnuEditDeleteAll"
                                << "Delete All" << true;
    QTest::newRow("model") << "barModelPoint"
                           << "Point Model" << true;
    QTest::newRow("axes") << "mnuDrawAxis"
                          << "Axis" << true;
    QTest::newRow("light") << "mnuDrawLight"
                           << "Light" << false;
    QTest::newRow("view") << "mnuViewSettings"
                          << "View Settings" << false;
    QTest::newRow("box") << "mnuViewBoxTrueScale"
                         << "True Scale" << true;
    QTest::newRow("labels") << "mnuViewLabels3DText"
                            << "3D Text" << true;
  }
  void eachChangeIsUndoneAndRedone() {
    QFETCH(QString, action);
    QFETCH(QString, name);
    QFETCH(bool, changesDocument);
    ThreeGraphs();
    const std::string before = Fingerprint();
    const int index = History().Stack().index();
    ActOn(action);
    const std::string after = Fingerprint();
    QVERIFY(after != before);
    QCOMPARE(History().Stack().index(), index + 1);
    QCOMPARE(Find<QAction>(&W(), "mnuEditUndo")->text(), "&Undo " + name);
    const auto* command = dynamic_cast<const SceneCommand*>(History().Stack().command(index));
    QVERIFY(command);
    QCOMPARE(command->ChangesDocument(), changesDocument);
    Trigger("mnuEditUndo");
    QCOMPARE(Fingerprint(), before);
    QCOMPARE(Find<QAction>(&W(), "mnuEditRedo")->text(), "&Redo " + name);
    Trigger("mnuEditRedo");
    QCOMPARE(Fingerprint(), after);
    Trigger("mnuEditUndo");
    QCOMPARE(Fingerprint(), before);
  }

  void undoingARunOfChangesLosesNothing() {
    ThreeGraphs();
    const char* const run[] = {"uncheck",        "mnuEditPaste", "mnuEditDelete",    "check",
                               "mnuFunEditEdit", "mnuEditCut",   "mnuDrawLight",     "mnuEditPaste",
                               "mnuDraw3DGraph", "mnuDrawAxis",  "mnuEditDeleteAll", "mnuEditUndo",
                               "barModelGrid",   "mnuEditDelete"};
    std::vector<std::string> states{Fingerprint()};
    for (const char* action : run) {
      W().List1()->setCurrentRow(std::max(0, Listed() - 1));
      ActOn(QString::fromLatin1(action));
      if (QByteArray(action) == "mnuEditUndo")
        states.pop_back();
      else
        states.push_back(Fingerprint());
    }
    // The setup's three adds and one uncheck come first.
    QCOMPARE(History().Stack().index(), 4 + int(states.size()) - 1);
    for (size_t k = states.size() - 1; k > 0; --k) {
      Trigger("mnuEditUndo");
      QCOMPARE(Fingerprint(), states[k - 1]);
    }
    for (size_t k = 1; k < states.size(); ++k) {
      Trigger("mnuEditRedo");
      QCOMPARE(Fingerprint(), states[k]);
    }
  }

  void titleAndQuestionsFollowUnsavedChanges() {
    QCOMPARE(W().windowTitle(), QStringLiteral("Untitled[*] - Quillon"));
    QVERIFY(!W().isWindowModified());
    SavedDocument("one");
    QCOMPARE(W().windowTitle(), QStringLiteral("one.zvt[*] - Quillon"));
    QVERIFY(!W().isWindowModified());
    // Unchanged graphs: closing, opening and File > New ask nothing.
    f_->sink.Clear();
    QVERIFY(W().Commands().files.MayClose());
    chooser_->Script(Path("one.zvt"));
    Trigger("mnuFileOpen");
    QVERIFY2(f_->sink.Requests().empty(), qPrintable(Texts(f_->sink)));
    // A change asks; a light alone is no change to the document; undoing the change asks no more.
    SetCheck(0, false);
    QVERIFY(W().isWindowModified());
    f_->sink.Script(MsgAnswer::Cancel);
    Trigger("mnuFileNew");
    QUILLON_EXPECT_ONE_MESSAGE(f_->sink, "Do you want to save the graphs?", "Note", MsgIcon::Exclamation);
    QCOMPARE(Listed(), 1);
    Trigger("mnuEditUndo");
    QVERIFY(!W().isWindowModified());
    Trigger("mnuDrawLight");
    QVERIFY(!W().isWindowModified());
    f_->sink.Clear();
    Trigger("mnuDraw3DGraph");
    QVERIFY(f_->sink.Requests().empty());
    // The saved graph made way for the new one: a new, changed document.
    QCOMPARE(Listed(), 1);
    QVERIFY(W().Document().GraphAt(0)->ExpressZ != "z");
    QCOMPARE(W().windowTitle(), QStringLiteral("Untitled[*] - Quillon"));
    QVERIFY(W().isWindowModified());
  }

  void aCancelledDialogAfterNoKeepsTheGraphs() {
    f_->AddSurface("z", 6);
    f_->AddSurface("z^2", 6);
    const std::string before = Fingerprint();
    confirm_ = false;
    f_->sink.Script(MsgAnswer::No);
    Trigger("mnuDrawColorMap");
    QUILLON_EXPECT_ONE_MESSAGE(f_->sink, "Save changes to file?", "Note", MsgIcon::Exclamation);
    QCOMPARE(Fingerprint(), before);  // graphs, kind 3 and IDs as they were
    QVERIFY(W().isWindowModified());

    confirm_ = true;
    f_->sink.Script(MsgAnswer::No);
    Trigger("mnuDrawColorMap");
    QCOMPARE(Listed(), 1);
    QCOMPARE(W().Document().GraphAt(0)->GraphType, gtp::kColorMap);
    QCOMPARE(State().LastGraphID, 1);
    Trigger("mnuEditUndo");
    QCOMPARE(Listed(), 0);
    QVERIFY(!Find<QAction>(&W(), "mnuEditUndo")->isEnabled());
  }

  void newStartsAnUntitledSceneWithNewSceneSettings() {
    SavedDocument("old.zvt");
    W().Document().Axes.ShowXYPanel = true;
    f_->sink.Clear();
    Trigger("mnuFileNew");
    QVERIFY(f_->sink.Requests().empty());
    QCOMPARE(Listed(), 0);
    QVERIFY(W().Document().Extras == SceneExtras::NewScene());
    QVERIFY(W().Document().Axes == [] {
      Cls3 axes;
      axes.Show = true;
      return axes;
    }());
    QCOMPARE(State().SceneKind, 0);
    QCOMPARE(W().windowTitle(), QStringLiteral("Untitled[*] - Quillon"));
    QVERIFY(!Find<QAction>(&W(), "mnuEditUndo")->isEnabled());
    QCOMPARE(Find<QAction>(&W(), "mnuFileNew")->shortcut(), QKeySequence(QKeySequence::New));
  }

  void recentFilesKeepTheLastEight() {
    RecentFiles recent;
    for (int i = 0; i < 10; ++i) recent.Add(Path(QStringLiteral("f%1.zvt").arg(i)));
    recent.Add(Path("f5.zvt"));
    QStringList files = recent.Files();
    QCOMPARE(files.size(), RecentFiles::kMaxFiles);
    QCOMPARE(files.first(), Path("f5.zvt"));
    QCOMPARE(files.count(Path("f5.zvt")), 1);
    QVERIFY(!files.contains(Path("f0.zvt")));

    // Saving adds the document; the menu lists it first.
    const QString saved = SavedDocument("saved.zvt");
    W().RefreshRecentFiles();
    QCOMPARE(Find<QAction>(&W(), "mnuFileRecent1")->text(), QStringLiteral("&1 saved.zvt"));
    QVERIFY(Find<QAction>(&W(), "mnuFileRecent8")->isVisible());
    // A file that is gone: a message, and it leaves the list.
    f_->sink.Clear();
    Find<QAction>(&W(), "mnuFileRecent2")->trigger();
    QVERIFY2(f_->sink.Requests().size() == 1, qPrintable(Texts(f_->sink)));
    QVERIFY(QString::fromStdString(f_->sink.Requests()[0].text).contains(Path("f5.zvt")));
    QCOMPARE(recent.Files().size(), RecentFiles::kMaxFiles - 1);
    QVERIFY(!recent.Files().contains(Path("f5.zvt")));
    // An existing one opens.
    Trigger("mnuFileNew");
    Find<QAction>(&W(), "mnuFileRecent1")->trigger();
    QCOMPARE(Listed(), 1);
    QCOMPARE(History().FileName(), saved);
  }

  void aDroppedDocumentIsOpened() {
    const QString path = SavedDocument("dropped.zvt");
    Trigger("mnuFileNew");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&W(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&W(), &drop);
    QTRY_COMPARE(Listed(), 1);
    QCOMPARE(History().FileName(), path);
  }

  void saveDialogNamesGetTheFilterExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("document") << "two" << 1 << "two.zvt";
    QTest::newRow("picture") << "pic" << 2 << "pic.bmp";
    QTest::newRow("trailing dot") << "dot." << 1 << "dot.zvt";
    QTest::newRow("own extension kept") << "pic.zvt" << 2 << "pic.zvt";
  }
  void saveDialogNamesGetTheFilterExtension() {
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    f_->AddSurface("z", 6);
    chooser_->Script(Path(typed), filter);
    Trigger("mnuFileSaveAs");
    QVERIFY(QFile::exists(Path(written)));
    QFile file(Path(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), filter == 2 ? QByteArray("BM") : QByteArray("\x08\x00", 2));
  }

  void replacingAFileIsAskedFirst() {
    const QString path = SavedDocument("keep.zvt");
    const auto contents = [&path] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray old = contents();
    f_->AddSurface("z^2", 6);
    f_->sink.Clear();
    const size_t shown = chooser_->Requests().size();
    // No: the dialog comes back; cancelling it writes nothing.
    f_->sink.Script(MsgAnswer::No);
    chooser_->Script(Path("keep"));
    chooser_->ScriptCancel();
    Trigger("mnuFileSave");
    QVERIFY2(f_->sink.Requests().size() == 1, qPrintable(Texts(f_->sink)));
    QCOMPARE(QString::fromStdString(f_->sink.Requests()[0].text),
             "\"" + path + "\" already exists.\nDo you want to replace it?");
    QVERIFY(f_->sink.Requests()[0].buttons == MsgButtons::YesNo);
    QCOMPARE(chooser_->Requests().size(), shown + 2);
    QCOMPARE(contents(), old);
    // Yes: replaced.
    f_->sink.Script(MsgAnswer::Yes);
    chooser_->Script(path);
    Trigger("mnuFileSave");
    QVERIFY(contents() != old);
    QVERIFY(!W().isWindowModified());
  }

  void printGoesToAPdfFileOrSaysWhyNot() {
    f_->AddSurface("z", 6);
    f_->Settle();
    QString target = Path("print.pdf");
    W().Commands().exports.SetPrintDialog([&target](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(target);
      return true;
    });
    Trigger("mnuFilePrint");
    QFile pdf(target);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Count 1"));
    QVERIFY(bytes.contains("/Image"));
    QVERIFY(f_->sink.Requests().empty());

    // The preview paints the same page.
    W().Commands().exports.SetPreviewDialog([&](QPrinter&, const std::function<void(QPrinter*)>& paint) {
      QPrinter printer;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(Path("preview.pdf"));
      paint(&printer);
    });
    Trigger("mnuFilePrintPreview");
    QVERIFY(QFileInfo(Path("preview.pdf")).size() > 0);

    target = Path("no-such-folder/print.pdf");
    Trigger("mnuFilePrint");
    QVERIFY2(f_->sink.Requests().size() == 1, qPrintable(Texts(f_->sink)));
    QVERIFY(QString::fromStdString(f_->sink.Requests()[0].text).contains("cannot be written"));
  }
};

QUILLON_REGISTER_TEST(DocumentHistoryTest);

}  // namespace quillon::test

#include "document_history_test.moc"
