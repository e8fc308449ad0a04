#pragma once
// The plain text of the clipboard commands: what Copy puts there and how Paste reads it
// back into a new graph.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/scene_document.h"
#include "graph/graph_extras.h"

namespace quillon {

// The slots of Paste's token array.
inline constexpr size_t kMaxPasteTokens = 4000;

// The decimal SceneKind, a space and the record of the current graph (the empty text of
// SaveTable for the table kinds, nothing for kinds without a record). Empty when DrawScene
// holds no graph or the list has no current item.
std::string CopyText(const SceneDocument& document);

// The program's own clipboard format, offered by Copy beside the plain text: an extension
// block that holds the copied text itself (key "copy") and the graph's settings, so that
// Paste inside the program keeps what the plain text cannot say.
inline constexpr char kGraphClipboardFormat[] = "application/x-quillon-graph";

// The payload of kGraphClipboardFormat for the text CopyText gives; empty when that is empty.
std::string CopyPayload(const SceneDocument& document);

struct PasteSource {
  std::string text;                 // what CopyText gave
  std::vector<GraphExtras> extras;  // the settings of its records, in record order
};
// Reads a payload of kGraphClipboardFormat; nullopt with the reason in *warning when it is
// damaged (Paste then takes the plain text, as from any other program).
std::optional<PasteSource> ReadCopyPayload(std::string_view payload, std::string* warning);

// Whether text copied in a scene of kind clipKind may be pasted into one of sceneKind:
// 1 takes 1 or 4, 2 takes 2 or 5, 3 takes 3 or 6, 7 only 7; any other kind takes all.
bool PasteKindAccepted(int32_t sceneKind, int32_t clipKind);

// Reads clipGraphCount records from the text and adds each as a new graph with the next ID
// (LastGraphID + 1) and the check state of the current item. Does nothing and returns
// false when clipGraphCount is below 1, the text has more than kMaxPasteTokens tokens, the
// kind filter refuses it or no record could be read. A graph whose sampling fails is kept
// and named in *warning. Record i gets extras[i] when there is one, before it is sampled;
// the others (text from outside the program) get the settings no block means.
bool PasteText(SceneDocument& document, const std::string& text, int32_t clipGraphCount,
               std::string* warning = nullptr, const std::vector<GraphExtras>& extras = {});

}  // namespace quillon
