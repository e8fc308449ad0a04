#include "document/field_rules.h"

#include <cmath>
#include <limits>

#include "common/leading_number.h"
#include "graph/record_text.h"

namespace quillon {

bool BooleanToken(std::string_view token) {
  return token == "True" || token == "1";
}

int32_t IntegerToken(std::string_view token) {
  return LeadingLong(token);
}

float RealToken(std::string_view token) {
  const double value = LeadingNumber(token);
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::max();
  if (value < -kMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(value);
}

std::optional<int32_t> AxisCodeToken(std::string_view token) {
  if (token.size() == 1 && token[0] >= '1' && token[0] <= '5') return token[0] - '0';
  return std::nullopt;
}

std::optional<int32_t> RecordTypeToken(std::string_view token) {
  // The kinds have at most two digits and their texts no leading zero.
  if (token.empty() || token.size() > 2) return std::nullopt;
  if (token.size() == 2 && token[0] == '0') return std::nullopt;
  int32_t value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (!WritesRecord(value)) return std::nullopt;
  return value;
}

DelimitedRead ReadDelimitedText(const TokenList& tokens, size_t k) {
  constexpr size_t kFurtherTokens = 100;
  const std::string_view first = tokens[k];
  if (first.empty() || first.front() != '@') return {std::nullopt, k};
  if (first.size() >= 2 && first.back() == '@') {
    return {std::string(first.substr(1, first.size() - 2)), k + 1};
  }
  std::string text(first.substr(1));
  for (size_t i = 1; i <= kFurtherTokens; ++i) {
    const std::string_view token = tokens[k + i];
    text += ' ';
    if (!token.empty() && token.back() == '@') {
      text += token.substr(0, token.size() - 1);
      return {std::move(text), k + i + 1};
    }
    text += token;
  }
  return {std::nullopt, k + 1};
}

}  // namespace quillon
