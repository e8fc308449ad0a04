#pragma once
// The plain text of the clipboard commands: what Copy puts there and how Paste reads it
// back into a new graph.

#include <cstdint>
#include <string>

#include "document/scene_document.h"

namespace quillon {

// The slots of Paste's token array.
inline constexpr size_t kMaxPasteTokens = 4000;

// The decimal SceneKind, a space and the record of the current graph (the empty text of
// SaveTable for the table kinds, nothing for kinds without a record). Empty when DrawScene
// holds no graph or the list has no current item.
std::string CopyText(const SceneDocument& document);

// Whether text copied in a scene of kind clipKind may be pasted into one of sceneKind:
// 1 takes 1 or 4, 2 takes 2 or 5, 3 takes 3 or 6, 7 only 7; any other kind takes all.
bool PasteKindAccepted(int32_t sceneKind, int32_t clipKind);

// Reads clipGraphCount records from the text and adds each as a new graph with the next ID
// (LastGraphID + 1) and the check state of the current item. Does nothing and returns
// false when clipGraphCount is below 1, the text has more than kMaxPasteTokens tokens, the
// kind filter refuses it or no record could be read. A graph whose sampling fails is kept
// and named in *warning.
bool PasteText(SceneDocument& document, const std::string& text, int32_t clipGraphCount,
               std::string* warning = nullptr);

}  // namespace quillon
