#include "document/document_writer.h"

#include "common/program_state.h"
#include "graph/record_text.h"

namespace quillon {

std::string DocumentTag(int32_t sceneKind) {
  switch (sceneKind) {
    case 1:
      return "S11";
    case 2:
      return "S13";
    case 3:
      return "S12";
    case 4:
      return "S14";
    case 5:
      return "S15";
    case 6:
      return "S16";
    case 7:
      return "S17";
    default:
      return {};
  }
}

std::string BuildDocumentText(const SceneDocument& document) {
  std::string text;
  const std::string tag = DocumentTag(State().SceneKind);
  if (!tag.empty()) text += tag + ' ';
  // The reader takes the count as the number of records that follow; only graphs that
  // write one are counted, so the axes record can never be mistaken for a graph.
  int32_t count = 0;
  for (const Cls8::Entry& entry : document.DrawScene.FunSurfs()) {
    if (WritesRecord(entry.graph->GraphType)) ++count;
  }
  text += IntegerField(count);
  text += document.DrawScene.Save();
  text += document.Axes.Save();
  return text;
}

EncodeResult EncodeDocument(const std::string& text) {
  EncodeResult result;
  if (text.size() > kMaxDocumentText) {
    result.error = "The document is too large to save: its text takes " + std::to_string(text.size()) +
                   " bytes and a document holds at most " + std::to_string(kMaxDocumentText) +
                   ". Delete or hide some graphs, or shorten their names, and save again.";
    return result;
  }
  result.bytes.reserve(4 + text.size());
  result.bytes += '\x08';
  result.bytes += '\x00';
  result.bytes += static_cast<char>(text.size() & 0xFF);
  result.bytes += static_cast<char>((text.size() >> 8) & 0xFF);
  result.bytes += text;
  result.ok = true;
  return result;
}

}  // namespace quillon
