#include "document/clipboard_text.h"

#include <limits>
#include <optional>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/extension_block.h"
#include "document/field_rules.h"
#include "document/record_reader.h"
#include "document/tokens.h"
#include "graph/record_text.h"

namespace quillon {
namespace {
// The collection's error for a key that is already present.
constexpr int32_t kKeyAlreadyUsed = 457;
}  // namespace

std::string CopyText(const SceneDocument& document) {
  if (document.DrawScene.Count() == 0) return {};
  const Cls8::GraphPtr graph = document.GraphAt(document.CurrentIndex());
  if (!graph) return {};
  std::string text = std::to_string(State().SceneKind) + ' ';
  if (WritesRecord(graph->GraphType)) {
    text += graph->Save();
  } else if (IsTableKind(graph->GraphType)) {
    text += graph->SaveTable();
  }
  return text;
}

std::string CopyPayload(const SceneDocument& document) {
  ExtensionBlock block;
  block.copyText = CopyText(document);
  if (block.copyText.empty()) return {};
  const Cls8::GraphPtr graph = document.GraphAt(document.CurrentIndex());
  if (WritesRecord(graph->GraphType)) {
    BlockGraph entry;
    entry.record = 0;
    entry.extras = graph->Extras;
    block.graphs.push_back(entry);
  }
  return EncodeExtensionBlock(block, std::nullopt);
}

std::optional<PasteSource> ReadCopyPayload(std::string_view payload, std::string* warning) {
  const BlockRead read = ReadExtensionBlock(payload, std::nullopt);
  std::string problems;
  for (const std::string& problem : read.problems) problems += (problems.empty() ? "" : "\n") + problem;
  if (!read.block || read.block->copyText.empty()) {
    if (warning)
      *warning = "The program's own copy on the clipboard is damaged; the plain text is pasted instead.";
    return std::nullopt;
  }
  if (warning) *warning = problems;
  PasteSource source;
  source.text = read.block->copyText;
  for (const BlockGraph& entry : read.block->graphs) {
    if (!entry.record || *entry.record >= kMaxPasteTokens) continue;
    if (source.extras.size() <= *entry.record) source.extras.resize(*entry.record + 1);
    source.extras[*entry.record] = entry.extras;
  }
  return source;
}

bool PasteKindAccepted(int32_t sceneKind, int32_t clipKind) {
  switch (sceneKind) {
    case 1:
      return clipKind == 1 || clipKind == 4;
    case 2:
      return clipKind == 2 || clipKind == 5;
    case 3:
      return clipKind == 3 || clipKind == 6;
    case 7:
      return clipKind == 7;
    default:
      return true;
  }
}

bool PasteText(SceneDocument& document, const std::string& text, int32_t clipGraphCount, std::string* warning,
               const std::vector<GraphExtras>& extras) {
  if (clipGraphCount < 1) return false;
  const std::optional<TokenList> tokens = TokenList::Split(text, kMaxPasteTokens);
  if (!tokens) return false;
  if (!PasteKindAccepted(State().SceneKind, IntegerToken((*tokens)[0]))) return false;

  // The pasted graphs take the check state of the item current when Paste began.
  const int32_t current = document.CurrentIndex();
  const bool checked = current < 0 || document.Items()[static_cast<size_t>(current)].checked;
  bool added = false;
  size_t p = 1;
  for (int32_t i = 0; i < clipGraphCount; ++i) {
    RecordRead record = ReadGraphRecord(*tokens, p, RecordRules::kPaste);
    if (!record.graph) break;
    p = record.next;
    ProgramState& state = State();
    if (state.LastGraphID == std::numeric_limits<int32_t>::max()) break;  // no ID left to hand out
    record.graph->ID = ++state.LastGraphID;
    if (static_cast<size_t>(i) < extras.size()) record.graph->Extras = extras[static_cast<size_t>(i)];
    try {
      if (!document.AddGraph(record.graph) && warning) *warning = "the pasted function could not be sampled";
    } catch (const RuntimeError& e) {
      // A key already taken means nothing was added; a sampling error keeps the graph.
      if (e.Number() == kKeyAlreadyUsed) return added;
      if (warning) *warning = e.Description();
      // A graph that does not fit in memory was not added; the next ones may still fit.
      if (e.Number() == err::kOutOfMemory) continue;
    }
    added = true;
    if (!checked) document.SetChecked(static_cast<int32_t>(document.Items().size()) - 1, false);
  }
  if (added) document.CheckBoxChanged();
  return added;
}

}  // namespace quillon
