#pragma once
// Lenient number reading for text fields and document tokens: the longest leading decimal
// number (sign, digits, one point, exponent) is taken and anything after it ignored; a text
// without one reads as 0. "2*pi" reads as 2, "pi" as 0, " -1.5e3x" as -1500.

#include <cstdint>
#include <string_view>

namespace quillon {

double LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, ties to even, clamped to the 32-bit range.
int32_t RoundToLong(double value);

// LeadingNumber then RoundToLong.
inline int32_t LeadingLong(std::string_view text) {
  return RoundToLong(LeadingNumber(text));
}

}  // namespace quillon
