#include "common/leading_number.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quillon {

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  // An exponent counts only when at least one digit follows it.
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t k = i + 1;
    if (k < n && (text[k] == '+' || text[k] == '-')) ++k;
    if (k < n && text[k] >= '0' && text[k] <= '9') {
      while (k < n && text[k] >= '0' && text[k] <= '9') ++k;
      end = k;
    }
  }
  const std::string number(text.substr(start, end - start));
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value)
             ? value
             : (value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max());
}

int32_t RoundToLong(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);  // default rounding mode: ties to even
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

}  // namespace quillon
