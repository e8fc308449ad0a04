// libFuzzer target: the document reader on arbitrary bytes, extension block included. Checks
// that reading never breaks the list bookkeeping, and that whatever was read is written so
// that it reads back to the same list: graphs, check states, drawing order and settings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/document_reader.h"
#include "document/document_writer.h"
#include "document/extension_block.h"
#include "document/field_rules.h"
#include "document/record_reader.h"
#include "document/tokens.h"

namespace {

using namespace quillon;

// Sampling cost is not what is being fuzzed: inputs whose graphs would sample more than this
// many grid points, or animate over many frames, are skipped.
constexpr int64_t kMaxGridPoints = 2500;
constexpr int32_t kMaxFrames = 50;

bool Cheap(int32_t stepU, int32_t stepV) {
  const int64_t u = static_cast<int64_t>(stepU) + 1;
  const int64_t v = static_cast<int64_t>(stepV) + 1;
  return std::llabs(u) * std::llabs(v) <= kMaxGridPoints;
}

// Walks the records the way the reader does, without sampling, and says whether sampling
// them all stays cheap.
bool SamplingIsCheap(std::string_view bytes) {
  if (bytes.size() < 4) return true;
  const size_t length =
      static_cast<unsigned char>(bytes[2]) | (static_cast<size_t>(static_cast<unsigned char>(bytes[3])) << 8);
  if (bytes.size() - 4 < length) return true;
  auto tokens = TokenList::Split(bytes.substr(4, length), kMaxDocumentTokens);
  if (!tokens) return true;
  ResetProgramState();
  size_t p = 2;
  bool cheap = true;
  const int32_t count = IntegerToken((*tokens)[1]);
  for (int32_t i = 0; i < count && cheap; ++i) {
    RecordRead r = ReadGraphRecord(*tokens, p, RecordRules::kDocument);
    if (!r.graph) break;
    p = r.next;
    cheap = Cheap(r.graph->StepU, r.graph->StepV) && std::abs(State().FrameCount) <= kMaxFrames;
  }
  // Graphs the block holds are sampled when they are checked, on reading or later.
  const BlockRead block = ReadExtensionBlock(bytes.substr(4 + length), bytes.substr(4, length));
  for (size_t i = 0; block.block && i < block.block->graphs.size() && cheap; ++i) {
    const BlockGraph& entry = block.block->graphs[i];
    if (entry.record) continue;
    auto held = TokenList::Split(entry.recordText, kMaxDocumentTokens);
    if (!held) continue;
    RecordRead r = ReadGraphRecord(*held, 0, RecordRules::kDocument);
    if (r.graph) cheap = Cheap(r.graph->StepU, r.graph->StepV) && std::abs(State().FrameCount) <= kMaxFrames;
  }
  ResetProgramState();
  return cheap;
}

std::vector<std::string> Keys(const Cls8& scene) {
  std::vector<std::string> keys;
  for (const auto& entry : scene.FunSurfs()) keys.push_back(entry.key);
  return keys;
}

void CheckBookkeeping(const SceneDocument& doc) {
  if (doc.Items().size() != doc.ListScene.Count()) std::abort();
  if (doc.DrawScene.Count() > doc.ListScene.Count()) std::abort();
  for (const auto& entry : doc.DrawScene.FunSurfs()) {
    if (!doc.ListScene.Find(entry.key)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!SamplingIsCheap(bytes)) return 0;
  RecordingSink sink;
  ScopedMessageSink scoped(&sink);
  ResetProgramState();

  SceneDocument doc;
  const LoadResult first = LoadDocumentBytes(doc, bytes);
  CheckBookkeeping(doc);
  if (!first.ok) return 0;

  const int32_t kind = State().SceneKind;
  const EncodeResult written = EncodeSceneDocument(doc);
  if (!written.ok) return 0;
  const size_t textLength = static_cast<unsigned char>(written.bytes[2]) |
                            (static_cast<size_t>(static_cast<unsigned char>(written.bytes[3])) << 8);
  if (!TokenList::Split(std::string_view(written.bytes).substr(4, textLength), kMaxDocumentTokens)) return 0;
  if (!SamplingIsCheap(written.bytes)) return 0;
  SceneDocument again;
  const LoadResult second = LoadDocumentBytes(again, written.bytes);
  CheckBookkeeping(again);
  if (!second.ok || again.Extras != doc.Extras) std::abort();
  // A document without a tag is written without one and then reads as empty.
  if (DocumentTag(kind).empty()) {
    if (again.ListScene.Count() != 0) std::abort();
    return 0;
  }
  // Hidden graphs travel in the block: the whole list comes back, in order, and so does the
  // drawing order.
  if (again.ListScene.Count() != doc.ListScene.Count() || Keys(again.DrawScene) != Keys(doc.DrawScene))
    std::abort();
  for (size_t i = 1; i <= again.ListScene.Count(); ++i) {
    const Cls9& a = *doc.ListScene.Item(i);
    const Cls9& b = *again.ListScene.Item(i);
    if (a.ID != b.ID || a.GraphType != b.GraphType || a.NameS != b.NameS || a.ExpressZ != b.ExpressZ ||
        a.VarX != b.VarX || a.ColorB != b.ColorB || a.Animation != b.Animation || !(a.Extras == b.Extras) ||
        doc.Items()[i - 1].checked != again.Items()[i - 1].checked) {
      std::abort();
    }
  }
  return 0;
}
