#pragma once
// The extension block: settings that the document text cannot express, stored after the text
// where readers of the plain format do not look (they read the 4 + N bytes the header
// announces and ignore the rest).
//
// Bytes:  "QXT1"  (magic; the digit is the block's version)
//         length  (32-bit little-endian, at most kMaxBlockBytes)
//         JSON    (UTF-8, one object, `length` bytes)
//
// The object's keys (any other key is skipped, so later versions may add keys):
//   "textSha256"  hex SHA-256 of the document text the block belongs to. A block whose text
//                 was changed by a program that does not know blocks is not applied.
//   "scene"       SceneExtras, keys of document/extension_fields.cpp.
//   "graphs"      array, one object per graph that needs one:
//     "record"      position (from 0) of the graph among the text's graph records, or
//     "recordText"  the graph's record itself, for a graph the text does not hold (a graph
//                   whose list item is unchecked); the record's bytes as Latin-1 code points.
//     "list"        the graph's position (from 0) in the list; graphs without one fill the
//                   free positions, text graphs in record order before block graphs.
//     "checked"     a block graph's check state (false when missing).
//     "settings"    GraphExtras, keys of document/extension_fields.cpp.
//   "copy"        (clipboard only) the copied text itself, as Latin-1 code points.
// Settings equal to their start values are left out; a document whose settings all have
// their start values and whose graphs are all shown is written without a block.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/graph_extras.h"
#include "scene/model/scene_extras.h"

namespace quillon {

inline constexpr std::string_view kBlockMagic = "QXT1";
// Larger blocks are refused by the reader and never written.
inline constexpr size_t kMaxBlockBytes = size_t{16} << 20;
// Graph entries beyond this many are skipped by the reader and never written.
inline constexpr size_t kMaxBlockGraphs = 5000;

struct BlockGraph {
  std::optional<size_t> record;  // position among the text's records...
  std::string recordText;        // ...or the record itself (when record is empty)
  std::optional<size_t> list;
  bool checked = false;
  GraphExtras extras;
};

struct ExtensionBlock {
  SceneExtras scene;
  std::vector<BlockGraph> graphs;
  std::string copyText;

  // True when the block says nothing beyond what no block means.
  bool Empty() const { return scene == SceneExtras{} && graphs.empty() && copyText.empty(); }
};

struct BlockRead {
  std::optional<ExtensionBlock> block;  // nullopt: no block, or none that can be used
  std::vector<std::string> problems;    // one line each, for the reader's warning
};

// Reads the bytes that follow a document text (or a clipboard payload). Bytes that do not
// start with the magic are no block and give no problem: older writers left the tail of a
// longer earlier file there. A block whose "textSha256" does not match `text` is not used;
// without a text (clipboard) the key is not checked.
BlockRead ReadExtensionBlock(std::string_view bytes, std::optional<std::string_view> text);

// The block's bytes, bound to `text` when it is given. Entries of `graphs` whose settings
// have their start values and that carry nothing else are left out.
std::string EncodeExtensionBlock(const ExtensionBlock& block, std::optional<std::string_view> text);

}  // namespace quillon
