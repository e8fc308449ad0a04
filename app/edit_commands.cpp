#include "app/edit_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <optional>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/clipboard_text.h"
#include "graph/codes.h"

namespace quillon {

EditCommands::EditCommands(SceneDocument& doc, GraphDialogLauncher& dialogs, int32_t& clipGraphCount,
                           QClipboard* clipboard)
    : doc_(doc),
      dialogs_(dialogs),
      clipGraphCount_(clipGraphCount),
      clipboard_(clipboard ? clipboard : QGuiApplication::clipboard()) {}

void EditCommands::Changed() {
  if (onChanged_) onChanged_();
}

bool EditCommands::Edit() {
  const int32_t index = doc_.CurrentIndex();
  if (index < 0 || !doc_.Items()[static_cast<size_t>(index)].checked) {
    MsgBox("Select a function first.", "Warning", MsgIcon::Exclamation);
    return false;
  }
  const Cls8::GraphPtr listed = doc_.GraphAt(index);
  Cls8::GraphPtr graph;
  for (const Cls8::Entry& entry : doc_.DrawScene.FunSurfs()) {
    if (entry.graph->ID == listed->ID) {
      graph = entry.graph;
      break;
    }
  }
  if (!graph) return false;

  State().EditMode = true;
  bool changed = false;
  const int32_t kind = State().SceneKind;
  const int32_t type = graph->GraphType;
  if (kind == 3 && type != gtp::kPoint && type != gtp::kCurve3DAnimation && type != gtp::kSurfaceAnimation) {
    changed = dialogs_.FunctionGraph(graph.get());
  } else if (kind == 7 && type == gtp::kColorMap) {
    changed = dialogs_.ColorMap(graph.get());
  }
  // Whatever the dialog did, the next one opened by a Draw command adds a graph.
  State().EditMode = false;
  if (changed) Changed();
  return changed;
}

bool EditCommands::Copy() {
  if (doc_.DrawScene.Count() == 0) return false;
  const std::string text = CopyText(doc_);
  if (text.empty()) return false;
  // Plain text for every program, and the program's own format with the graph's settings.
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(text));
  const std::string payload = CopyPayload(doc_);
  data->setData(QString::fromLatin1(kGraphClipboardFormat), QByteArray::fromStdString(payload));
  clipboard_->setMimeData(data, QClipboard::Clipboard);
  clipGraphCount_ = 1;
  return true;
}

bool EditCommands::Cut() {
  // Deleting a graph that did not reach the clipboard would lose it.
  if (!Copy()) return false;
  doc_.Delete();
  Changed();
  return true;
}

bool EditCommands::Paste() {
  if (clipGraphCount_ < 1) return false;
  // The program's own format when this program copied; plain text from anywhere else.
  std::optional<PasteSource> source;
  std::string payloadWarning;
  const QMimeData* data = clipboard_->mimeData(QClipboard::Clipboard);
  const QString format = QString::fromLatin1(kGraphClipboardFormat);
  if (data && data->hasFormat(format))
    source = ReadCopyPayload(data->data(format).toStdString(), &payloadWarning);
  if (!source) source = PasteSource{clipboard_->text(QClipboard::Clipboard).toStdString(), {}};
  std::string warning;
  const bool pasted = PasteText(doc_, source->text, clipGraphCount_, &warning, source->extras);
  if (!payloadWarning.empty()) warning = payloadWarning + (warning.empty() ? "" : "\n" + warning);
  if (!warning.empty()) MsgBox(warning, "Note", MsgIcon::Exclamation);
  if (pasted) Changed();
  return pasted;
}

}  // namespace quillon
