// libFuzzer target: Paste on arbitrary clipboard text, or on a payload of the program's own
// clipboard format, into a scene that already holds a graph. Checks that the list
// bookkeeping stays in step, that a pasted graph always gets a fresh ID, and that it takes
// the settings the payload gives.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/clipboard_text.h"
#include "document/record_reader.h"
#include "document/tokens.h"

namespace {

using namespace quillon;

constexpr int64_t kMaxGridPoints = 2500;

// Sampling cost is not what is being fuzzed: skip texts whose record samples a large grid.
bool SamplingIsCheap(const std::string& text) {
  auto tokens = TokenList::Split(text, kMaxPasteTokens);
  if (!tokens) return true;
  size_t p = 1;
  for (int record = 0; record < 2; ++record) {
    RecordRead r = ReadGraphRecord(*tokens, p, RecordRules::kPaste);
    if (!r.graph) break;
    p = r.next;
    const int64_t u = std::llabs(static_cast<int64_t>(r.graph->StepU) + 1);
    const int64_t v = std::llabs(static_cast<int64_t>(r.graph->StepV) + 1);
    if (u * v > kMaxGridPoints) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the scene kind, the current item's check state and whether the
  // rest is plain text or a payload.
  const int32_t kinds[] = {0, 1, 2, 3, 7};
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<GraphExtras> extras;
  if (data[0] & 0x20) {
    std::string warning;
    std::optional<PasteSource> source = ReadCopyPayload(text, &warning);
    if (!source) return 0;
    text = std::move(source->text);
    extras = std::move(source->extras);
  }
  if (!SamplingIsCheap(text)) return 0;
  RecordingSink sink;
  ScopedMessageSink scoped(&sink);
  ResetProgramState();
  State().SceneKind = kinds[data[0] % 5];

  SceneDocument doc;
  auto existing = std::make_shared<Cls9>();
  existing->ID = ++State().LastGraphID;
  existing->GraphType = 31;  // listed without sampling
  doc.AddGraph(existing);
  doc.SetCurrentIndex(0);
  if (data[0] & 0x80) doc.SetChecked(0, false);

  const bool pasted = PasteText(doc, text, 1 + (data[0] >> 6 & 1), nullptr, extras);
  if (doc.Items().size() != doc.ListScene.Count() || doc.DrawScene.Count() > doc.ListScene.Count())
    std::abort();
  if (pasted != (doc.ListScene.Count() > 1)) std::abort();
  if (pasted && doc.ListScene.Item(2)->ID != 2) std::abort();
  if (pasted && doc.Items()[1].checked != !(data[0] & 0x80)) std::abort();
  if (pasted && !(doc.ListScene.Item(2)->Extras == (extras.empty() ? GraphExtras{} : extras[0])))
    std::abort();
  return 0;
}
