#pragma once
// How the reader turns tokens back into values: lenient numbers, the boolean rule, the
// delimited-text rule for names and titles, and the accepted quantity codes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/tokens.h"

namespace quillon {

// True for exactly "True" or "1"; every other token, the empty one included, is False.
bool BooleanToken(std::string_view token);
// The longest leading decimal number, rounded to the nearest whole number (ties to even); 0
// without one.
int32_t IntegerToken(std::string_view token);
// The longest leading decimal number as a single; magnitudes beyond the single range are
// held at its largest value.
float RealToken(std::string_view token);
// The quantity code of a token "1" to "5"; nullopt for any other text.
std::optional<int32_t> AxisCodeToken(std::string_view token);
// The graph kind of a token that is exactly the decimal text of a record-writing kind.
std::optional<int32_t> RecordTypeToken(std::string_view token);

struct DelimitedRead {
  std::optional<std::string> text;  // nullopt: the field is absent and the property not set
  size_t next = 0;                  // the token where the next field starts
};
// The delimited-text rule at token k. A lone "@" (what a text beginning with a space
// becomes) opens a text that continues in the following tokens.
DelimitedRead ReadDelimitedText(const TokenList& tokens, size_t k);

}  // namespace quillon
