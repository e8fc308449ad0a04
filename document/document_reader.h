#pragma once
// The document reader: checks the bytes of a document file, then rebuilds the scene from
// them (graph list, both containers, axes frame and the program-wide settings a document
// carries).

#include <cstddef>
#include <string>
#include <string_view>

#include "document/extension_block.h"
#include "document/scene_document.h"

namespace quillon {

// The slots of the reader's token array: a longer text is not a document.
inline constexpr size_t kMaxDocumentTokens = 5000;

struct LoadResult {
  bool ok = false;
  std::string error;    // why nothing was read; the current graphs are kept
  std::string warning;  // what was read but not fully usable, one line per problem
};

// Reads the bytes of a document file into the document. Everything is checked before the
// current graphs are deleted: the type code, the length against the bytes present and the
// number of tokens. An empty text reads nothing and keeps the current graphs. An extension
// block after the text adds its settings and hidden graphs; a block that cannot be used is
// named in the warning and the rest loads.
LoadResult LoadDocumentBytes(SceneDocument& document, std::string_view bytes);

// The reading proper, on the text and what was read of its block (nullptr: none); the
// current graphs are deleted first. Graphs whose sampling fails stay in the list
// (unsampled) and are named in the warning.
LoadResult ApplyDocumentText(SceneDocument& document, std::string_view text,
                             const ExtensionBlock* block = nullptr);

}  // namespace quillon
