#include "document/tokens.h"

namespace quillon {

std::string_view PopFirstChar(std::string_view& text) {
  if (text.empty()) return {};
  std::string_view first = text.substr(0, 1);
  text.remove_prefix(1);
  return first;
}

std::optional<TokenList> TokenList::Split(std::string_view text, size_t maxTokens) {
  TokenList list;
  if (text.empty()) return list;
  size_t start = 0;
  while (true) {
    const size_t space = text.find(' ', start);
    // The token in progress when the text runs out; after a trailing space it is empty and
    // takes no slot.
    if (space == std::string_view::npos && start == text.size()) break;
    if (list.tokens_.size() == maxTokens) return std::nullopt;
    if (space == std::string_view::npos) {
      list.tokens_.push_back(text.substr(start));
      break;
    }
    list.tokens_.push_back(text.substr(start, space - start));
    start = space + 1;
  }
  return list;
}

}  // namespace quillon
