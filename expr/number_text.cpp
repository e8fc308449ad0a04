#include "expr/number_text.h"

#include <charconv>
#include <string>
#include <system_error>

#include "common/runtime_error.h"

namespace quillon {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool IsNumberToken(std::string_view token) {
  if (token.empty()) return false;
  const char c = token.front();
  return IsDigit(c) || c == '.' || c == ',' || c == 'i' || c == 'I';
}

float TextToSingle(std::string_view text) {
  // Digits, one optional decimal point, at least one digit.
  std::string normalized;
  normalized.reserve(text.size());
  bool point = false;
  bool digit = false;
  bool wholePartNonZero = false;
  for (char c : text) {
    if (IsDigit(c)) {
      digit = true;
      if (!point && c != '0') wholePartNonZero = true;
      normalized += c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      normalized += '.';
    } else {
      throw RuntimeError::TypeMismatch();
    }
  }
  if (!digit) throw RuntimeError::TypeMismatch();

  float value = 0.0f;
  const char* first = normalized.data();
  const char* last = first + normalized.size();
  const std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::fixed);
  if (r.ec == std::errc::result_out_of_range) {
    // Without an exponent only a whole part of 1 or more can be too large; anything else
    // is too small to be told from 0.
    if (wholePartNonZero) throw RuntimeError::Overflow();
    return 0.0f;
  }
  if (r.ec != std::errc() || r.ptr != last) throw RuntimeError::TypeMismatch();
  return value;
}

Complex NumberTokenValue(std::string_view token) {
  if (token == "i" || token == "I") return {0.0, 1.0};
  const char last = token.empty() ? '\0' : token.back();
  if (last == 'i' || last == 'I') return {0.0, TextToSingle(token.substr(0, token.size() - 1))};
  return {TextToSingle(token), 0.0};
}

}  // namespace quillon
