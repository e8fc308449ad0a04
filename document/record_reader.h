#pragma once
// Reads one graph record from a token list, for the document reader and for Paste, which
// read the same fields in the same order but differ in a few rules.

#include <cstddef>
#include <memory>

#include "document/tokens.h"
#include "graph/graph.h"

namespace quillon {

enum class RecordRules {
  // The document reader: a name without "@" is absent, the point size accepts only "1".."9",
  // the hollow flag follows the boolean rule, animated records set FrameCount and
  // AnimationSpeed, and accepted axis codes set the title letters.
  kDocument,
  // Paste: a name without "@" is one word, the point size and hollow flag are numeric, and
  // no program-wide setting changes.
  kPaste,
};

struct RecordRead {
  std::shared_ptr<Cls9> graph;  // nullptr: token p is no record-writing kind, nothing read
  size_t next = 0;              // the token after the record (p when nothing was read)
};

// Reads the record at token p. The graph's ID is the one of the text; the callers decide
// what to do with it.
RecordRead ReadGraphRecord(const TokenList& tokens, size_t p, RecordRules rules);

}  // namespace quillon
