#include "graph/record_text.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "expr/text_helpers.h"

namespace quillon {

std::string IntegerField(int32_t value) {
  return std::to_string(value) + ' ';
}

std::string RealText(float value) {
  // A non-finite single cannot come from the program's arithmetic; write it as 0 rather than
  // a text the reader would misread.
  if (!std::isfinite(value) || value == 0.0f) return "0";
  char buffer[32];
  // %G switches to exponent notation below 1E-04 and from 1E+07 on and drops trailing
  // zeros, which is exactly the general form of a single with seven significant digits.
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
  std::string text(buffer);
  return FilterValueText(text);
}

std::string RealField(float value) {
  return RealText(value) + ' ';
}

std::string BooleanField(bool value) {
  return value ? "1 " : "0 ";
}

std::string StorableDelimitedText(const std::string& text) {
  constexpr size_t kMaxWords = 101;  // the opening token and 100 further ones
  std::string out;
  out.reserve(text.size());
  size_t words = 0;
  size_t start = 0;
  while (true) {
    const size_t space = text.find(' ', start);
    std::string_view word(text.data() + start, (space == std::string::npos ? text.size() : space) - start);
    ++words;
    const bool last = space == std::string::npos || words == kMaxWords;
    if (!last) {
      while (!word.empty() && word.back() == '@') word.remove_suffix(1);
    }
    if (words > 1) out += ' ';
    out += word;
    if (last) break;
    start = space + 1;
  }
  return out;
}

std::string DelimitedField(const std::string& text) {
  return '@' + StorableDelimitedText(text) + "@ ";
}

std::string ExpressionField(const std::string& expression) {
  std::string out;
  out.reserve(expression.size() + 1);
  for (char c : expression) {
    if (c != ' ') out += c;
  }
  out += ' ';
  return out;
}

std::string AxisCodeField(int32_t code) {
  if (code >= 1 && code <= 5) return std::to_string(code) + ' ';
  return "0 ";
}

bool WritesRecord(int32_t graphType) {
  switch (graphType) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 20:
    case 21:
    case 22:
    case 23:
    case 31:
    case 32:
    case 36:
    case 37:
    case 38:
      return true;
    default:
      return false;
  }
}

bool IsTableKind(int32_t graphType) {
  return graphType >= 4 && graphType <= 6;
}

}  // namespace quillon
