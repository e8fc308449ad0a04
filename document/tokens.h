#pragma once
// The tokeniser of the document reader and of Paste: a space ends a token, consecutive
// spaces give empty tokens, a trailing space gives no extra token. Tokens refer into the
// text, which must outlive them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Returns the first character of text (empty for an empty text) and removes it from the
// view. Only the view moves; the characters stay where they are, so a whole text is taken
// apart in linear time.
std::string_view PopFirstChar(std::string_view& text);

class TokenList {
 public:
  // Splits text into tokens; nullopt when it holds more than maxTokens of them (the slots
  // of the reader's token array).
  static std::optional<TokenList> Split(std::string_view text, size_t maxTokens);

  // Token i; positions past the last token read as empty, like unused slots of the array.
  std::string_view operator[](size_t i) const { return i < tokens_.size() ? tokens_[i] : std::string_view(); }
  size_t size() const { return tokens_.size(); }

 private:
  std::vector<std::string_view> tokens_;
};

}  // namespace quillon
