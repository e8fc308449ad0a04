#include "app/file_commands.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include "common/message_sink.h"
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
  const EncodeResult encoded = EncodeDocument(BuildDocumentText(doc_));
  QString reason;
  if (!encoded.ok) {
    reason = QString::fromStdString(encoded.error);
  } else if (WriteWholeFile(fileName, encoded.bytes, &reason)) {
    association_.Refresh();
    return true;
  }
  ReportFailure("The graphs could not be saved to \"" + Std(fileName) + "\": " + Std(reason));
  return false;
}

SaveOutcome FileCommands::Save() {
  saveDone_ = true;
  if (doc_.ListScene.Count() == 0) return SaveOutcome::kNothingToSave;
  const FileChoice choice =
      chooser_->Choose(Request(FileRequest::Mode::kSave, "Save", kDocumentFilter), parent_);
  if (choice.Cancelled()) return SaveOutcome::kCancelled;
  if (!WriteDocumentTo(choice.fileName)) {
    saveDone_ = false;
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

void FileCommands::SaveAs() {
  const QImage picture = capture_ ? capture_() : QImage();
  const FileChoice choice =
      chooser_->Choose(Request(FileRequest::Mode::kSave, "Save As", kSaveAsFilter), parent_);
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
  if (!result.warning.empty()) MsgBox(result.warning, "Note", MsgIcon::Exclamation);
  return true;
}

void FileCommands::Open() {
  if (doc_.ListScene.Count() > 0) {
    const MsgAnswer answer = MsgBox(kSaveQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel) return;
    // Opening replaces the graphs: after "Yes" they must have been written first.
    if (answer == MsgAnswer::Yes && Save() != SaveOutcome::kSaved) return;
  }
  const FileChoice choice =
      chooser_->Choose(Request(FileRequest::Mode::kOpen, "Open File", kDocumentFilter), parent_);
  if (choice.Cancelled()) return;
  OpenDocument(choice.fileName);
}

bool FileCommands::MayClose() {
  if (doc_.ListScene.Count() == 0) return true;
  const MsgAnswer answer = MsgBox(kSaveQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNo);
  if (answer != MsgAnswer::Yes) return true;
  return Save() == SaveOutcome::kSaved;
}

bool FileCommands::PrepareNewDrawing(DrawCommand command) {
  if (doc_.ListScene.Count() == 0) return true;
  const MsgAnswer answer = MsgBox(kNewDrawingQuestion, "Note", MsgIcon::Exclamation, MsgButtons::YesNoCancel);
  if (answer == MsgAnswer::Cancel) return true;  // the graphs stay and the dialog opens
  if (answer == MsgAnswer::Yes && Save() != SaveOutcome::kSaved) {
    // Not written: nothing is discarded.
    return command == DrawCommand::kColorMap;
  }
  doc_.DeleteAll();
  if (clearResult_) clearResult_();
  return true;
}

}  // namespace quillon
