#pragma once
// Conversion of a postfix number token ("2.5", "1,5", "3i", "i") into its complex value.

#include <string_view>

#include "expr/complex_math.h"

namespace quillon {

// True when the evaluator reads `token` as a number: it starts with a digit, ".", ",", "i"
// or "I".
bool IsNumberToken(std::string_view token);

// Converts a decimal number of digits with at most one decimal point, "." or "," alike (in
// every locale), to single precision. Raises Type mismatch for any other text and Overflow
// for a value beyond the single range; a value below the smallest single becomes 0.
float TextToSingle(std::string_view text);

// The value of a number token: "i" alone is 0 + 1i, a token ending in "i" or "I" is the
// imaginary number of the rest, anything else a real number. Raises as TextToSingle does
// ("2i3", "i2" and "ii" are type mismatches).
Complex NumberTokenValue(std::string_view token);

}  // namespace quillon
