#include "document/document_reader.h"

#include <limits>
#include <optional>
#include <string>

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
  return ApplyDocumentText(document, text);
}

LoadResult ApplyDocumentText(SceneDocument& document, std::string_view text) {
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
  ProgramState& state = State();

  if (const TagEntry* tag = FindTag(t[0])) {
    state.SceneKind = tag->sceneKind;
    document.DrawScene.RotRoll = tag->roll;
    document.DrawScene.RotPitch = tag->pitch;
    document.DrawScene.RotYaw = tag->yaw;
    if (tag->viewButtons != 0 && document.onViewButtons) document.onViewButtons(tag->viewButtons);
    state.TrackballActive = false;

    const int32_t count = IntegerToken(t[1]);
    size_t p = 2;
    for (int32_t i = 0; i < count; ++i) {
      RecordRead record = ReadGraphRecord(t, p, RecordRules::kDocument);
      // A pass that reads nothing leaves p where it is, so every later pass would too.
      if (!record.graph) break;
      p = record.next;
      Cls9& graph = *record.graph;
      if (state.LastGraphID < graph.ID) state.LastGraphID = SaturatingIncrement(graph.ID);
      const std::string label = "graph " + std::to_string(i + 1);
      if (document.ListScene.Find(std::to_string(graph.ID))) {
        const int32_t old = graph.ID;
        do {
          state.LastGraphID = SaturatingIncrement(state.LastGraphID);
          graph.ID = state.LastGraphID;
        } while (document.ListScene.Find(std::to_string(graph.ID)) &&
                 state.LastGraphID != std::numeric_limits<int32_t>::max());
        if (document.ListScene.Find(std::to_string(graph.ID))) {
          AddLine(result.warning,
                  label + ": ID " + std::to_string(old) + " is used twice; the graph is left out");
          continue;
        }
        AddLine(result.warning, label + ": ID " + std::to_string(old) + " is used twice; given ID " +
                                    std::to_string(graph.ID));
      }
      try {
        if (!document.AddGraph(record.graph))
          AddLine(result.warning, label + ": the function could not be sampled");
      } catch (const RuntimeError& e) {
        AddLine(result.warning, label + ": " + e.Description());
      }
    }
    ReadAxesRecord(document.Axes, t, p);
  } else {
    AddLine(result.warning, "The document has no scene tag; no graphs were read.");
  }

  for (size_t k = 0; k < document.Items().size(); ++k) {
    const auto index = static_cast<int32_t>(k);
    if (!document.Items()[k].checked) document.SetChecked(index, true);
  }
  document.CheckBoxChanged();
  for (const std::string& error : document.TakeSamplingErrors()) AddLine(result.warning, error);
  if (document.DrawScene.Animation()) state.CurrentFrame = 1;
  return result;
}

}  // namespace quillon
