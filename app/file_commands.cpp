#include "app/file_commands.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/document_history.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/document_file.h"
#include "document/document_writer.h"

namespace quillon {
namespace {

const char* const kSaveQuestion = "Do you want to save the graphs?";
const char* const kNewDrawingQuestion = "Save changes to file?";
const char* const kDocumentFilter = "(*.zvt)|*.zvt";
const char* const kSaveAsFilter = "*.zvt|*.zvt|*.bmp|*.bmp";
constexpr int kBmpFilter = 2;

std::string Std(const QString& text) {
  return text.toStdString();
}

void ReportFailure(const std::string& text) {
  MsgBox(text, "Error", MsgIcon::Exclamation);
}

FileRequest Request(FileRequest::Mode mode, const char* title, const char* filters) {
  FileRequest request;
  request.mode = mode;
  request.title = QString::fromLatin1(title);
  request.filters = ParseFilterText(QString::fromLatin1(filters));
  request.initialFilter = 1;
  return request;
}

// True when the file's header announces some text: a document without text reads nothing and
// leaves the scene as it was.
bool HoldsText(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray header = file.read(4);
  return header.size() == 4 && (header[2] != 0 || header[3] != 0);
}

}  // namespace

FileCommands::FileCommands(SceneDocument& doc, FileChooser& chooser, const FileAssociation& association,
                           QWidget* parent)
    : doc_(doc), chooser_(&chooser), association_(association), parent_(parent) {}

bool FileCommands::WriteWholeFile(const QString& fileName, const std::string& bytes, QString* error) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool FileCommands::WriteBmpFile(const QString& fileName, const QImage& picture, QString* error) {
  if (picture.isNull()) {
    if (error) *error = QStringLiteral("there is no picture of the drawing area");
    return false;
  }
  // Without an alpha channel the writer gives the common 24-bit form.
  const QImage opaque = picture.convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!opaque.save(&buffer, "BMP")) {
    if (error) *error = QStringLiteral("the picture could not be encoded as BMP");
    return false;
  }
  return WriteWholeFile(fileName, bytes.toStdString(), error);
}

bool FileCommands::WriteDocumentTo(const QString& fileName) {
  const EncodeResult encoded = EncodeSceneDocument(doc_);
  QString reason;
  if (!encoded.ok) {
    reason = QString::fromStdString(encoded.error);
  } else if (WriteWholeFile(fileName, encoded.bytes, &reason)) {
    association_.Refresh();
    if (history_) history_->MarkSaved(fileName);
    return true;
  }
  ReportFailure("The graphs could not be saved to \"" + Std(fileName) + "\": " + Std(reason));
  return false;
}

QString FileCommands::WithFilterSuffix(const QString& fileName, const FileFilter& filter) {
  const qsizetype dot = filter.pattern.lastIndexOf(QLatin1Char('.'));
  const QString suffix = dot < 0 ? QString() : filter.pattern.mid(dot + 1);
  if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || fileName.isEmpty()) return fileName;
  if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
  return fileName.endsWith(QLatin1Char('.')) ? fileName + suffix : fileName + QLatin1Char('.') + suffix;
}

FileChoice FileCommands::ChooseSaveName(FileRequest request) {
  for (;;) {
    FileChoice choice = chooser_->Choose(request, parent_);
    if (choice.Cancelled()) return choice;
    const int index = choice.filterIndex;
    if (index >= 1 && static_cast<size_t>(index) <= request.filters.size()) {
      choice.fileName = WithFilterSuffix(choice.fileName, request.filters[static_cast<size_t>(index) - 1]);
    }
    if (!QFileInfo::exists(choice.fileName)) return choice;
    const MsgAnswer answer =
        MsgBox("\"" + Std(choice.fileName) + "\" already exists.\nDo you want to replace it?",
               Std(request.title), MsgIcon::Exclamation, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) return choice;
    // Another name: the dialog again, where the user left it.
    request.initialName = choice.fileName;
    request.initialFilter = index;
  }
}

SaveOutcome FileCommands::Save() {
  saveDone_ = true;
  if (doc_.ListScene.Count() == 0) return SaveOutcome::kNothingToSave;
  FileRequest request = Request(FileRequest::Mode::kSave, "Save", kDocumentFilter);
  if (history_) request.initialName = history_->FileName();
  const FileChoice choice = ChooseSaveName(request);
  if (choice.Cancelled()) return SaveOutcome::kCancelled;
  if (!WriteDocumentTo(choice.fileName)) {
    saveDone_ = false;
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

void FileCommands::SaveAs() {
  const QImage picture = capture_ ? capture_() : QImage();
  FileRequest request = Request(FileRequest::Mode::kSave, "Save As", kSaveAsFilter);
  if (history_ && !history_->FileName().isEmpty()) {
    // Without its extension, so that the picture filter gives "name.bmp" beside "name.zvt".
    const QFileInfo current(history_->FileName());
    request.initialName = current.dir().filePath(current.completeBaseName());
  }
  const FileChoice choice = ChooseSaveName(request);
  if (choice.Cancelled()) return;
  if (choice.filterIndex == kBmpFilter) {
    QString reason;
    if (!WriteBmpFile(choice.fileName, picture, &reason)) {
      ReportFailure("The picture could not be saved to \"" + Std(choice.fileName) + "\": " + Std(reason));
    }
    return;
  }
  // The document is written even when the list is empty.
  WriteDocumentTo(choice.fileName);
}

bool FileCommands::OpenDocument(const QString& fileName) {
  const LoadResult result = LoadDocument(doc_, Std(fileName));
  if (!result.ok) {
    ReportFailure("The document \"" + Std(fileName) + "\" could not be opened: " + result.error);
    return false;
  }
  if (history_ && HoldsText(fileName)) history_->StartDocument(fileName);
  if (!result.warning.empty()) MsgBox(result.warning, "Note", MsgIcon::Exclamation);
  return true;
}

bool FileCommands::HasUnsavedGraphs() const {
  if (doc_.ListScene.Count() == 0) return false;
  return !history_ || history_->IsModified();
}

bool FileCommands::OfferToSave() {
  if (!HasUnsavedGraphs()) return true;
  const MsgAnswer answer = MsgBox(kSaveQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNoCancel);
  if (answer == MsgAnswer::Cancel) return false;
  // The graphs are about to be replaced: after "Yes" they must have been written first.
  return answer != MsgAnswer::Yes || Save() == SaveOutcome::kSaved;
}

bool FileCommands::New() {
  if (!OfferToSave()) return false;
  ProgramState& state = State();
  // The frame, orientation and kind of a scene before its first graph, as at start-up.
  doc_.Axes = Cls3{};
  doc_.Axes.Show = true;
  doc_.Extras = SceneExtras::NewScene();
  doc_.DrawScene.RotRoll = doc_.DrawScene.RotPitch = doc_.DrawScene.RotYaw = 0.0f;
  state.SceneKind = 0;
  state.TitleLetterX.clear();
  state.TitleLetterY.clear();
  state.TitleLetterZ.clear();
  state.CurrentRotation = {0.0f, 0.0f, 0.0f, 1.0f};
  state.TrackballActive = false;
  state.CurrentFrame = 1;
  doc_.DeleteAll();
  if (clearResult_) clearResult_();
  if (history_) history_->StartDocument(QString());
  return true;
}

void FileCommands::Open() {
  if (!OfferToSave()) return;
  FileRequest request = Request(FileRequest::Mode::kOpen, "Open File", kDocumentFilter);
  if (history_ && !history_->FileName().isEmpty())
    request.initialName = QFileInfo(history_->FileName()).absolutePath();
  const FileChoice choice = chooser_->Choose(request, parent_);
  if (choice.Cancelled()) return;
  OpenDocument(choice.fileName);
}

bool FileCommands::OpenNamed(const QString& fileName) {
  return OfferToSave() && OpenDocument(fileName);
}

bool FileCommands::MayClose() {
  if (!HasUnsavedGraphs()) return true;
  const MsgAnswer answer = MsgBox(kSaveQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNo);
  if (answer != MsgAnswer::Yes) return true;
  return Save() == SaveOutcome::kSaved;
}

NewDrawing FileCommands::AskBeforeNewDrawing(DrawCommand command) {
  if (doc_.ListScene.Count() == 0) return NewDrawing::kAddToScene;
  if (!HasUnsavedGraphs()) return NewDrawing::kReplaceScene;
  const MsgAnswer answer = MsgBox(kNewDrawingQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNoCancel);
  if (answer == MsgAnswer::Cancel) return NewDrawing::kAddToScene;  // the graphs stay and the dialog opens
  if (answer == MsgAnswer::Yes && Save() != SaveOutcome::kSaved) {
    // Not written: nothing is discarded.
    return command == DrawCommand::kColorMap ? NewDrawing::kAddToScene : NewDrawing::kStop;
  }
  return NewDrawing::kReplaceScene;
}

}  // namespace quillon
