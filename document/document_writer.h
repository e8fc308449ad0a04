#pragma once
// The document writer: the document text (tag, graph count, graph records, axes record)
// and the bytes of a document file around it.

#include <cstdint>
#include <string>

#include "document/extension_block.h"
#include "document/scene_document.h"

namespace quillon {

// The tag written for a scene kind ("S11" .. "S17"); empty for kinds outside 1..7.
std::string DocumentTag(int32_t sceneKind);

// Tag by SceneKind, the number of DrawScene's graphs that write a record, DrawScene's
// records and the axes record. Changes nothing.
std::string BuildDocumentText(const SceneDocument& document);

// The largest text the 16-bit length of a document file can describe.
inline constexpr size_t kMaxDocumentText = 65535;

struct EncodeResult {
  bool ok = false;
  std::string bytes;  // type code 08 00, 16-bit little-endian length, the text
  std::string error;  // why the text cannot be stored
};
// Wraps the text in the file header; refuses a text longer than kMaxDocumentText bytes
// rather than write a length that does not describe it.
EncodeResult EncodeDocument(const std::string& text);

// What the document carries beyond its text: the scene's settings, the settings and list
// positions of the shown graphs (by their position among the records), and the graphs whose
// items are unchecked, with their records. Graphs of kinds without a record are not kept.
ExtensionBlock DocumentBlock(const SceneDocument& document);

// What Save writes: the text in the file header and, when the document holds settings
// other than their start values or unchecked graphs, the extension block after it. A
// document without either is written exactly as EncodeDocument writes its text.
EncodeResult EncodeSceneDocument(const SceneDocument& document);

}  // namespace quillon
