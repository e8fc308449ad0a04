#include "document/document_writer.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

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

ExtensionBlock DocumentBlock(const SceneDocument& document) {
  ExtensionBlock block;
  block.scene = document.Extras;
  // List positions count only the graphs a document keeps.
  std::map<std::string, size_t> listPosition;
  const auto& listed = document.ListScene.FunSurfs();
  for (const Cls8::Entry& entry : listed) {
    if (WritesRecord(entry.graph->GraphType)) listPosition.emplace(entry.key, listPosition.size());
  }

  size_t record = 0;
  bool shownInListOrder = true;
  std::optional<size_t> previous;
  for (const Cls8::Entry& entry : document.DrawScene.FunSurfs()) {
    if (!WritesRecord(entry.graph->GraphType)) continue;
    BlockGraph graph;
    graph.record = record++;
    graph.extras = entry.graph->Extras;
    if (const auto found = listPosition.find(entry.key); found != listPosition.end()) {
      graph.list = found->second;
      if (previous && *previous > found->second) shownInListOrder = false;
      previous = found->second;
    }
    block.graphs.push_back(std::move(graph));
  }
  // Shown graphs fill the positions the hidden ones leave in record order; only when the
  // list order of the shown graphs differs from their drawing order must each carry its own.
  if (shownInListOrder) {
    for (BlockGraph& graph : block.graphs) graph.list.reset();
  }

  for (size_t k = 0; k < listed.size(); ++k) {
    const Cls8::Entry& entry = listed[k];
    if (!WritesRecord(entry.graph->GraphType) || document.DrawScene.Find(entry.key)) continue;
    BlockGraph graph;
    graph.recordText = entry.graph->Save();
    graph.list = listPosition.at(entry.key);
    graph.checked = k < document.Items().size() && document.Items()[k].checked;
    graph.extras = entry.graph->Extras;
    block.graphs.push_back(std::move(graph));
  }

  // Shown graphs with nothing to add need no entry.
  std::erase_if(block.graphs,
                [](const BlockGraph& g) { return g.record && !g.list && g.extras == GraphExtras{}; });
  return block;
}

EncodeResult EncodeSceneDocument(const SceneDocument& document) {
  const std::string text = BuildDocumentText(document);
  EncodeResult result = EncodeDocument(text);
  if (!result.ok) return result;
  const ExtensionBlock block = DocumentBlock(document);
  if (block.Empty()) return result;
  if (block.graphs.size() > kMaxBlockGraphs) {
    result = {};
    result.error = "The document is too large to save: it holds more than " +
                   std::to_string(kMaxBlockGraphs) +
                   " hidden or changed graphs. Delete some graphs and save again.";
    return result;
  }
  const std::string bytes = EncodeExtensionBlock(block, text);
  if (bytes.size() - kBlockMagic.size() - 4 > kMaxBlockBytes) {
    result = {};
    result.error = "The document is too large to save: its hidden graphs and settings take more than " +
                   std::to_string(kMaxBlockBytes) + " bytes. Delete some graphs and save again.";
    return result;
  }
  result.bytes += bytes;
  return result;
}

}  // namespace quillon
