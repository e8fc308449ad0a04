// The File commands through a scripted file chooser and recorded questions: Open, Save,
// Save As (document or BMP), the closing question, the question of the Draw commands, and the
// association with its refresh after a save.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "app/file_commands.h"
#include "document/document_writer.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> Captions(const SceneDocument& doc) {
  std::vector<std::string> captions;
  for (const SceneDocument::ListItem& item : doc.Items()) captions.push_back(item.caption);
  return captions;
}

}  // namespace

class CommandsFileTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QByteArray savedXdg_;
  QByteArray savedPath_;
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<ScriptedFileChooser> chooser_;
  std::unique_ptr<FileAssociation> association_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;
  int resultCleared_ = 0;

  QString Path(const QString& name) const { return dir_->filePath(name); }

  // A document with two graphs saved under `name`.
  QString SavedDocument(const QString& name) {
    AddSurface(*doc_, "z^2", "two words");
    AddSurface(*doc_, "sin(z)");
    chooser_->Script(Path(name));
    [&] { QCOMPARE(files_->Save(), SaveOutcome::kSaved); }();
    return Path(name);
  }

 private slots:
  void init() {
    ResetProgramState();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    savedXdg_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", Path("xdg").toUtf8());
    // The desktop's database tools are left out: they would run on after the test.
    savedPath_ = qgetenv("PATH");
    qputenv("PATH", Path("no-tools").toUtf8());
    doc_ = std::make_unique<SceneDocument>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    association_ = std::make_unique<FileAssociation>(Path("program"));
    files_ = std::make_unique<FileCommands>(*doc_, *chooser_, *association_);
    resultCleared_ = 0;
    files_->SetClearResult([this] { ++resultCleared_; });
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
  }
  void cleanup() {
    scope_.reset();
    files_.reset();
    qputenv("XDG_DATA_HOME", savedXdg_);
    qputenv("PATH", savedPath_);
    dir_.reset();
  }

  void saveWithAnEmptyListDoesNothing() {
    QCOMPARE(files_->Save(), SaveOutcome::kNothingToSave);
    QVERIFY(files_->SaveDone());
    QVERIFY(chooser_->Requests().empty());
    QVERIFY(sink_->Requests().empty());
  }

  void saveAsksForANameAndWritesTheDocument() {
    const QString path = SavedDocument("scene.zvt");
    QCOMPARE(chooser_->Requests().size(), size_t{1});
    const FileRequest& request = chooser_->Requests()[0];
    QVERIFY(request.mode == FileRequest::Mode::kSave);
    QCOMPARE(request.title, QStringLiteral("Save"));
    QCOMPARE(request.filters.size(), size_t{1});
    QCOMPARE(request.filters[0].description, QStringLiteral("(*.zvt)"));
    QCOMPARE(request.filters[0].pattern, QStringLiteral("*.zvt"));
    QVERIFY(files_->SaveDone());
    const std::string expected = EncodeDocument(BuildDocumentText(*doc_)).bytes;
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(expected));
    QVERIFY(ReadAll(path).startsWith(QByteArray("\x08\x00", 2)));
  }

  void saveThenOpenGivesTheSameList() {
    const QString path = SavedDocument("round.zvt");
    const std::vector<std::string> before = Captions(*doc_);
    const std::string name = doc_->GraphAt(0)->NameS;
    doc_->DeleteAll();
    QVERIFY(files_->OpenDocument(path));
    QCOMPARE(Captions(*doc_), before);
    QCOMPARE(doc_->GraphAt(0)->NameS, name);
    QCOMPARE(doc_->GraphAt(1)->ID, 2);
    QCOMPARE(doc_->DrawScene.Count(), size_t{2});
  }

  void cancelledSaveCountsAsDoneFailedSaveDoesNot() {
    AddSurface(*doc_, "z");
    chooser_->ScriptCancel();
    QCOMPARE(files_->Save(), SaveOutcome::kCancelled);
    QVERIFY(files_->SaveDone());
    QVERIFY(sink_->Requests().empty());

    const QString unwritable = Path("no-such-folder/scene.zvt");
    chooser_->Script(unwritable);
    QCOMPARE(files_->Save(), SaveOutcome::kFailed);
    QVERIFY(!files_->SaveDone());
    QVERIFY2(sink_->Requests().size() == 1, qPrintable(Texts(*sink_)));
    const std::string& text = sink_->Requests()[0].text;
    QVERIFY2(text.find(unwritable.toStdString()) != std::string::npos, text.c_str());
    QCOMPARE(sink_->Requests()[0].title, std::string("Error"));
    QVERIFY(!QFile::exists(unwritable));
  }

  void savingOverALongerFileLeavesNoStaleBytes() {
    const QString path = Path("long.zvt");
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write(QByteArray(5000, 'x'));
    }
    AddSurface(*doc_, "z");
    chooser_->Script(path);
    QCOMPARE(files_->Save(), SaveOutcome::kSaved);
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(EncodeDocument(BuildDocumentText(*doc_)).bytes));
    // Saving twice under the same name reads back to the second document.
    AddSurface(*doc_, "z+1");
    chooser_->Script(path);
    QCOMPARE(files_->Save(), SaveOutcome::kSaved);
    doc_->DeleteAll();
    QVERIFY(files_->OpenDocument(path));
    QCOMPARE(doc_->Items().size(), size_t{2});
    // Nothing but the document is left in the folder (no temporary files).
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("long.zvt")});
  }

  void openAsksFirstAndReadsTheChosenFile() {
    const QString path = SavedDocument("open.zvt");
    doc_->DeleteAll();
    AddSurface(*doc_, "z+5");
    chooser_ = std::make_unique<ScriptedFileChooser>();
    files_ = std::make_unique<FileCommands>(*doc_, *chooser_, *association_);

    // Cancel: nothing happens.
    sink_->Script(MsgAnswer::Cancel);
    files_->Open();
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Do you want to save the graphs?", "Note", MsgIcon::Exclamation);
    QVERIFY(sink_->Requests()[0].buttons == MsgButtons::YesNoCancel);
    QVERIFY(chooser_->Requests().empty());
    QCOMPARE(doc_->Items().size(), size_t{1});

    // No: the file dialog, then the document replaces the graphs.
    sink_->Clear();
    sink_->Script(MsgAnswer::No);
    chooser_->Script(path);
    files_->Open();
    QCOMPARE(chooser_->Requests().size(), size_t{1});
    QVERIFY(chooser_->Requests()[0].mode == FileRequest::Mode::kOpen);
    QCOMPARE(chooser_->Requests()[0].title, QStringLiteral("Open File"));
    QCOMPARE(chooser_->Requests()[0].filters[0].description, QStringLiteral("(*.zvt)"));
    QCOMPARE(chooser_->Requests()[0].initialFilter, 1);
    QCOMPARE(doc_->Items().size(), size_t{2});
  }

  void openAfterYesNeedsTheSaveToBeWritten() {
    const QString path = SavedDocument("other.zvt");
    // Yes, then the save dialog is cancelled: the graphs stay, no file is read.
    sink_->Script(MsgAnswer::Yes);
    chooser_->ScriptCancel();
    chooser_->Script(path);
    files_->Open();
    QCOMPARE(chooser_->Requests().size(), size_t{2});  // the first save and the cancelled one
    QCOMPARE(chooser_->Requests()[1].title, QStringLiteral("Save"));
    QCOMPARE(doc_->Items().size(), size_t{2});

    // Yes and a written save: then the file is opened.
    AddSurface(*doc_, "z+7");
    sink_->Clear();
    sink_->Script(MsgAnswer::Yes);
    chooser_ = std::make_unique<ScriptedFileChooser>();
    files_ = std::make_unique<FileCommands>(*doc_, *chooser_, *association_);
    chooser_->Script(Path("backup.zvt"));
    chooser_->Script(path);
    files_->Open();
    QCOMPARE(chooser_->Requests().size(), size_t{2});
    QVERIFY(QFile::exists(Path("backup.zvt")));
    QCOMPARE(doc_->Items().size(), size_t{2});  // the three graphs were replaced by the document's two
  }

  void openingAFileThatIsNoDocumentKeepsTheGraphs() {
    AddSurface(*doc_, "z");
    const QString junk = Path("junk.zvt");
    {
      QFile file(junk);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("this is not a document");
    }
    QVERIFY(!files_->OpenDocument(junk));
    QVERIFY2(sink_->Requests().size() == 1, qPrintable(Texts(*sink_)));
    QVERIFY(sink_->Requests()[0].text.find(junk.toStdString()) != std::string::npos);
    QCOMPARE(doc_->Items().size(), size_t{1});
    sink_->Clear();
    QVERIFY(!files_->OpenDocument(Path("missing.zvt")));
    QCOMPARE(sink_->Requests().size(), size_t{1});
    QCOMPARE(doc_->Items().size(), size_t{1});
  }

  void saveAsWritesABmpOfTheCapturedSizeWhateverTheName() {
    QImage picture(123, 45, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    int captures = 0;
    files_->SetCapture([&] {
      ++captures;
      return picture;
    });
    const QString path = Path("picture.zvt");
    chooser_->Script(path, 2);
    files_->SaveAs();
    QCOMPARE(captures, 1);
    QCOMPARE(chooser_->Requests()[0].title, QStringLiteral("Save As"));
    QCOMPARE(chooser_->Requests()[0].filters.size(), size_t{2});
    QCOMPARE(chooser_->Requests()[0].filters[1].pattern, QStringLiteral("*.bmp"));
    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.startsWith("BM"));
    QImage read;
    QVERIFY(read.loadFromData(bytes, "BMP"));
    QCOMPARE(read.size(), QSize(123, 45));
    QCOMPARE(read.pixel(60, 20), qRgb(10, 200, 30));
    QVERIFY(sink_->Requests().empty());
  }

  void saveAsDocumentWritesEvenAnEmptyScene() {
    files_->SetCapture([] { return QImage(); });
    const QString path = Path("empty.bmp");
    chooser_->Script(path, 1);
    files_->SaveAs();
    QCOMPARE(ReadAll(path), QByteArray::fromStdString(EncodeDocument(BuildDocumentText(*doc_)).bytes));
    chooser_->ScriptCancel();
    files_->SaveAs();
    QVERIFY(sink_->Requests().empty());
  }

  void saveAsBmpWithoutAPictureIsReported() {
    files_->SetCapture([] { return QImage(); });
    chooser_->Script(Path("none.bmp"), 2);
    files_->SaveAs();
    QCOMPARE(sink_->Requests().size(), size_t{1});
    QVERIFY(!QFile::exists(Path("none.bmp")));
  }

  void closingAsksOnceAndKeepsTheWindowUnlessSaved() {
    QVERIFY(files_->MayClose());  // no graphs, no question
    QVERIFY(sink_->Requests().empty());
    AddSurface(*doc_, "z");

    sink_->Script(MsgAnswer::No);
    QVERIFY(files_->MayClose());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Do you want to save the graphs?", "Note", MsgIcon::Exclamation);
    QVERIFY(sink_->Requests()[0].buttons == MsgButtons::YesNo);

    sink_->Clear();
    sink_->Script(MsgAnswer::Yes);
    chooser_->ScriptCancel();
    QVERIFY(!files_->MayClose());

    sink_->Clear();
    sink_->Script(MsgAnswer::Yes);
    chooser_->Script(Path("missing-folder/x.zvt"));
    QVERIFY(!files_->MayClose());
    QCOMPARE(sink_->Requests().size(), size_t{2});  // the question and the failure

    sink_->Clear();
    sink_->Script(MsgAnswer::Yes);
    chooser_->Script(Path("closing.zvt"));
    QVERIFY(files_->MayClose());
    QVERIFY(QFile::exists(Path("closing.zvt")));
  }

  void drawQuestionWithEachAnswer() {
    // No graphs: no question, the dialog adds to the empty list.
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kFunctionGraph), NewDrawing::kAddToScene);
    QVERIFY(sink_->Requests().empty());

    AddSurface(*doc_, "z");
    sink_->Script(MsgAnswer::Cancel);
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kFunctionGraph), NewDrawing::kAddToScene);
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Save changes to file?", "Note", MsgIcon::Exclamation);
    QVERIFY(sink_->Requests()[0].buttons == MsgButtons::YesNoCancel);

    // Yes with a cancelled save: nothing is discarded; 3D Graph ends, Color Map goes on.
    sink_->Script(MsgAnswer::Yes);
    chooser_->ScriptCancel();
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kFunctionGraph), NewDrawing::kStop);
    sink_->Script(MsgAnswer::Yes);
    chooser_->ScriptCancel();
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kColorMap), NewDrawing::kAddToScene);

    // Yes with a written save, or No: the graphs make way, once the dialog ends with OK.
    sink_->Script(MsgAnswer::Yes);
    chooser_->Script(Path("before-new.zvt"));
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kFunctionGraph), NewDrawing::kReplaceScene);
    QVERIFY(QFile::exists(Path("before-new.zvt")));
    sink_->Script(MsgAnswer::No);
    const size_t chooses = chooser_->Requests().size();
    QCOMPARE(files_->AskBeforeNewDrawing(DrawCommand::kColorMap), NewDrawing::kReplaceScene);
    QCOMPARE(chooser_->Requests().size(), chooses);
    QCOMPARE(doc_->Items().size(), size_t{1});  // nothing deleted by the question itself
    QCOMPARE(resultCleared_, 0);
  }

  void theAssociationNamesTheClassTheProgramAndTheIcon() {
    QFile::remove(association_->Paths().mimePackage);
    association_->Register();
    const QByteArray mime = ReadAll(association_->Paths().mimePackage);
    QVERIFY(mime.contains("<glob pattern=\"*.zvt\"/>"));
    QVERIFY(mime.contains("application/x-wdxfile"));
    QVERIFY(mime.contains("<comment>Quillon</comment>"));
    const QByteArray entry = ReadAll(association_->Paths().desktopEntry);
    QVERIFY2(entry.contains("Exec=" + Path("program/quillon").toUtf8() + " %f"), entry.constData());
    QVERIFY(entry.contains("Icon=" + Path("program/quillon.svg").toUtf8()));
    QVERIFY(entry.contains("MimeType=application/x-wdxfile;"));
    QVERIFY(entry.contains("Name=Quillon"));
  }

  void aSavedDocumentRefreshesTheAssociation() {
    association_->Register();
    QVERIFY(QFile::remove(association_->Paths().desktopEntry));
    SavedDocument("refresh.zvt");
    QVERIFY(QFile::exists(association_->Paths().desktopEntry));
    // Without a registered type there is nothing to refresh.
    QVERIFY(QFile::remove(association_->Paths().mimePackage));
    QVERIFY(QFile::remove(association_->Paths().desktopEntry));
    chooser_->Script(Path("refresh2.zvt"));
    QCOMPARE(files_->Save(), SaveOutcome::kSaved);
    QVERIFY(!QFile::exists(association_->Paths().desktopEntry));
  }
};

QUILLON_REGISTER_TEST(CommandsFileTest);

}  // namespace quillon::test

#include "commands_file_test.moc"
