#include "document/document_reader.h"

#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/field_rules.h"
#include "document/record_reader.h"
#include "document/tokens.h"

namespace quillon {
namespace {

struct TagEntry {
  std::string_view tag;
  int32_t sceneKind;
  float roll, pitch, yaw;
  int32_t viewButtons;  // 0: the view toolbar stays as it is
};

constexpr TagEntry kTags[] = {
    {"S11", 1, 0, 0, 0, 0},    {"S13", 2, 0, -15, 45, 0}, {"S12", 3, 0, -15, 45, 3}, {"S14", 1, 0, 0, 0, 0},
    {"S15", 2, 0, -15, 45, 0}, {"S16", 3, 0, -15, 45, 3}, {"S17", 7, 0, 0, 0, 7},
};

const TagEntry* FindTag(std::string_view token) {
  for (const TagEntry& entry : kTags) {
    if (entry.tag == token) return &entry;
  }
  return nullptr;
}

int32_t SaturatingIncrement(int32_t value) {
  return value == std::numeric_limits<int32_t>::max() ? value : value + 1;
}

void AddLine(std::string& text, const std::string& line) {
  if (!text.empty()) text += '\n';
  text += line;
}

// The axes record at token p: Show by the boolean rule and, when it is set, the rest.
void ReadAxesRecord(Cls3& axes, const TokenList& t, size_t p) {
  axes.Show = BooleanToken(t[p]);
  if (!axes.Show) return;
  bool* const flags[] = {&axes.ShowXYPanel, &axes.ShowXZPanel, &axes.ShowYZPanel, &axes.ShowXYXGrid,
                         &axes.ShowXYYGrid, &axes.ShowXZXGrid, &axes.ShowXZZGrid, &axes.ShowYZYGrid,
                         &axes.ShowYZZGrid, &axes.BetterFonts};
  size_t k = p + 1;
  for (bool* flag : flags) *flag = BooleanToken(t[k++]);
  int32_t* const numbers[] = {&axes.LabelNumX,       &axes.LabelNumY,       &axes.LabelNumZ,
                              &axes.XYPanelColor,    &axes.XZPanelColor,    &axes.YZPanelColor,
                              &axes.XYGridColor,     &axes.XZGridColor,     &axes.YZGridColor,
                              &axes.XYPanelMaterial, &axes.XZPanelMaterial, &axes.YZPanelMaterial,
                              &axes.AxisColor,       &axes.AxisWidth};
  for (int32_t* number : numbers) *number = IntegerToken(t[k++]);
  for (std::string* title : {&axes.TitleX, &axes.TitleY, &axes.TitleZ}) {
    DelimitedRead read = ReadDelimitedText(t, k);
    if (read.text) *title = std::move(*read.text);
    k = read.next;
  }
  axes.ShowprimaryGrid = BooleanToken(t[k++]);
  axes.ShowSecondaryGrid = BooleanToken(t[k++]);
  axes.ShowBackground = BooleanToken(t[k++]);
  axes.BackStyle = IntegerToken(t[k++]);
  axes.BackColor = IntegerToken(t[k++]);
  axes.BackColor2 = IntegerToken(t[k++]);
  axes.PriGridColor = IntegerToken(t[k++]);
  axes.SecGridColor = IntegerToken(t[k++]);
  axes.ShowSecondaryLabel = BooleanToken(t[k++]);
  axes.ShowPI = BooleanToken(t[k++]);
  axes.ShowShadow = BooleanToken(t[k++]);
}

// Warnings about the block: a damaged one could name every entry, so only the first few
// are listed.
void AddProblems(std::string& warning, const std::vector<std::string>& problems) {
  constexpr size_t kShown = 12;
  for (size_t i = 0; i < problems.size() && i < kShown; ++i) AddLine(warning, problems[i]);
  if (problems.size() > kShown)
    AddLine(warning,
            "... and " + std::to_string(problems.size() - kShown) + " more problems with the settings");
}

// Gives a graph whose ID another listed graph holds the next free one. False when none is
// left: the graph is then left out.
bool TakeFreeId(SceneDocument& document, Cls9& graph, const std::string& label, std::string& warning) {
  ProgramState& state = State();
  if (state.LastGraphID < graph.ID) state.LastGraphID = SaturatingIncrement(graph.ID);
  if (!document.ListScene.Find(std::to_string(graph.ID))) return true;
  const int32_t old = graph.ID;
  do {
    state.LastGraphID = SaturatingIncrement(state.LastGraphID);
    graph.ID = state.LastGraphID;
  } while (document.ListScene.Find(std::to_string(graph.ID)) &&
           state.LastGraphID != std::numeric_limits<int32_t>::max());
  if (document.ListScene.Find(std::to_string(graph.ID))) {
    AddLine(warning, label + ": ID " + std::to_string(old) + " is used twice; the graph is left out");
    return false;
  }
  AddLine(warning,
          label + ": ID " + std::to_string(old) + " is used twice; given ID " + std::to_string(graph.ID));
  return true;
}

void AddShown(SceneDocument& document, const Cls8::GraphPtr& graph, const std::string& label,
              std::string& warning) {
  try {
    if (!document.AddGraph(graph)) AddLine(warning, label + ": the function could not be sampled");
  } catch (const RuntimeError& e) {
    AddLine(warning, label + ": " + e.Description() +
                         (e.Number() == err::kOutOfMemory ? " The graph is left out." : ""));
  }
}

// The list order from the positions the block gives: graphs with a usable position take it,
// the others fill the free positions in the order they were added. order[k] is the graph
// (by order of adding) at list position k.
std::vector<size_t> ListOrder(const std::vector<std::optional<size_t>>& positions,
                              std::vector<std::string>& problems) {
  const size_t n = positions.size();
  std::vector<std::optional<size_t>> slots(n);
  std::vector<bool> placed(n, false);
  size_t unusable = 0;
  for (size_t j = 0; j < n; ++j) {
    if (!positions[j]) continue;
    const size_t p = *positions[j];
    if (p < n && !slots[p]) {
      slots[p] = j;
      placed[j] = true;
    } else {
      ++unusable;
    }
  }
  if (unusable > 0)
    problems.push_back(
        std::to_string(unusable) +
        " list positions in the settings block are taken twice or lie past the list; those graphs "
        "fill the free places");
  size_t next = 0;
  for (size_t j = 0; j < n; ++j) {
    if (placed[j]) continue;
    while (slots[next]) ++next;
    slots[next] = j;
  }
  std::vector<size_t> order(n);
  for (size_t k = 0; k < n; ++k) order[k] = *slots[k];
  return order;
}

// A graph the block holds, read ahead of the text's records.
struct HeldGraph {
  Cls8::GraphPtr graph;
  const BlockGraph* entry;
  std::string label;
};

// Reads the records the block holds. This comes before the text's records, so that the
// program-wide settings a record sets (animation frames and speed, axis letters) are those
// of the text's graphs whenever they set any, as when the document has no block.
std::vector<HeldGraph> ReadHeldGraphs(const ExtensionBlock& block, std::vector<std::string>& problems) {
  std::vector<HeldGraph> held;
  for (size_t i = 0; i < block.graphs.size(); ++i) {
    const BlockGraph& entry = block.graphs[i];
    if (entry.record) continue;
    const std::string label = "hidden graph " + std::to_string(held.size() + 1);
    const std::optional<TokenList> tokens = TokenList::Split(entry.recordText, kMaxDocumentTokens);
    RecordRead read;
    if (tokens) read = ReadGraphRecord(*tokens, 0, RecordRules::kDocument);
    if (!read.graph) {
      problems.push_back(label + ": its record cannot be read; it is left out");
      continue;
    }
    read.graph->Extras = entry.extras;
    held.push_back({std::move(read.graph), &entry, label});
  }
  return held;
}

}  // namespace

LoadResult LoadDocumentBytes(SceneDocument& document, std::string_view bytes) {
  LoadResult result;
  if (bytes.empty()) {
    result.error = "The file is empty; it is not a document.";
    return result;
  }
  if (bytes.size() < 4) {
    result.error = "The file is too short to be a document.";
    return result;
  }
  if (bytes[0] != '\x08' || bytes[1] != '\x00') {
    result.error = "The file is not a document (it does not start with the text type code).";
    return result;
  }
  const size_t length =
      static_cast<unsigned char>(bytes[2]) | (static_cast<size_t>(static_cast<unsigned char>(bytes[3])) << 8);
  if (bytes.size() - 4 < length) {
    result.error = "The document is truncated: it announces " + std::to_string(length) +
                   " bytes of text but holds " + std::to_string(bytes.size() - 4) + ".";
    return result;
  }
  const std::string_view text = bytes.substr(4, length);
  if (text.empty()) {
    result.ok = true;  // nothing to read; the current graphs stay
    return result;
  }
  const BlockRead block = ReadExtensionBlock(bytes.substr(4 + length), text);
  result = ApplyDocumentText(document, text, block.block ? &*block.block : nullptr);
  if (result.ok) {
    std::string warning;
    AddProblems(warning, block.problems);
    if (!result.warning.empty()) AddLine(warning, result.warning);
    result.warning = std::move(warning);
  }
  return result;
}

LoadResult ApplyDocumentText(SceneDocument& document, std::string_view text, const ExtensionBlock* block) {
  LoadResult result;
  const std::optional<TokenList> tokens = TokenList::Split(text, kMaxDocumentTokens);
  if (!tokens) {
    result.error =
        "The document holds more than " + std::to_string(kMaxDocumentTokens) + " fields; it cannot be read.";
    return result;
  }
  const TokenList& t = *tokens;
  result.ok = true;
  document.DeleteAll();
  document.Extras = block ? block->scene : SceneExtras{};
  ProgramState& state = State();
  std::vector<std::string> problems;

  if (const TagEntry* tag = FindTag(t[0])) {
    state.SceneKind = tag->sceneKind;
    document.DrawScene.RotRoll = tag->roll;
    document.DrawScene.RotPitch = tag->pitch;
    document.DrawScene.RotYaw = tag->yaw;
    if (tag->viewButtons != 0 && document.onViewButtons) document.onViewButtons(tag->viewButtons);
    state.TrackballActive = false;

    std::vector<HeldGraph> held;
    std::map<size_t, const BlockGraph*> byRecord;
    if (block) {
      held = ReadHeldGraphs(*block, problems);
      for (const BlockGraph& entry : block->graphs) {
        if (entry.record && !byRecord.emplace(*entry.record, &entry).second)
          problems.push_back("record " + std::to_string(*entry.record + 1) +
                             " has two entries in the settings block; the first is used");
      }
    }
    // The list positions of the graphs in the order they are added.
    std::vector<std::optional<size_t>> positions;

    const int32_t count = IntegerToken(t[1]);
    size_t p = 2;
    size_t records = 0;
    for (int32_t i = 0; i < count; ++i) {
      RecordRead record = ReadGraphRecord(t, p, RecordRules::kDocument);
      // A pass that reads nothing leaves p where it is, so every later pass would too.
      if (!record.graph) break;
      p = record.next;
      const auto entry = byRecord.find(records++);
      if (entry != byRecord.end()) record.graph->Extras = entry->second->extras;
      const std::string label = "graph " + std::to_string(i + 1);
      if (!TakeFreeId(document, *record.graph, label, result.warning)) continue;
      AddShown(document, record.graph, label, result.warning);
      positions.push_back(entry != byRecord.end() ? entry->second->list : std::nullopt);
    }
    if (!byRecord.empty() && byRecord.rbegin()->first >= records) {
      problems.push_back(
          "the settings block names records the text does not hold; their settings are ignored");
    }

    for (HeldGraph& h : held) {
      if (!TakeFreeId(document, *h.graph, h.label, result.warning)) continue;
      if (h.entry->checked)
        AddShown(document, h.graph, h.label, result.warning);
      else
        document.AddHiddenGraph(h.graph);
      positions.push_back(h.entry->list);
    }
    if (block && positions.size() == document.Items().size())
      document.ReorderList(ListOrder(positions, problems));
    ReadAxesRecord(document.Axes, t, p);
  } else {
    AddLine(result.warning, "The document has no scene tag; no graphs were read.");
  }

  // The text's graphs were added checked, the hidden ones unchecked: this puts DrawScene in
  // step with the list and redraws.
  document.CheckBoxChanged();
  for (const std::string& error : document.TakeSamplingErrors()) AddLine(result.warning, error);
  if (!problems.empty()) {
    std::string warning;
    AddProblems(warning, problems);
    if (!result.warning.empty()) AddLine(warning, result.warning);
    result.warning = std::move(warning);
  }
  if (document.DrawScene.Animation()) state.CurrentFrame = 1;
  return result;
}

}  // namespace quillon
