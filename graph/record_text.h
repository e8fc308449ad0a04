#pragma once
// The text forms of values in graph and axes records, shared by the three writers (graph,
// container, axes frame) and by the reader's type filter. Every written field carries its
// trailing space.

#include <cstdint>
#include <string>

namespace quillon {

// Decimal integer, "-" when negative.
std::string IntegerField(int32_t value);
// General decimal text of a single with at most 7 significant digits ("0.5", "-2",
// "1.5E-05", "3.402823E+38"), cleaned by FilterValueText so the separator is always ".".
std::string RealText(float value);
std::string RealField(float value);
// "1" or "0".
std::string BooleanField(bool value);
// "@" + text + "@". A text the reader could not take back whole (a word other than the last
// ending in "@", or more than 101 words) is made storable first, see StorableDelimitedText.
std::string DelimitedField(const std::string& text);
// The text DelimitedField actually stores: "@" at the end of any word but the last is
// dropped (it would close the field early) and words beyond the 101st are dropped (the
// reader gives up after 100 further tokens). Every other text is returned unchanged.
std::string StorableDelimitedText(const std::string& text);
// The expression without spaces: the reader takes each expression as one token, and the
// compiler ignores spaces anyway.
std::string ExpressionField(const std::string& expression);
// Quantity code 1..5 as its digit. Any other code is written as "0", which the reader
// rejects just the same, so the record keeps its field count and later fields stay in place.
std::string AxisCodeField(int32_t code);

// The graph kinds that write a record: 0, 1, 2, 3, 7..15, 20..23, 31, 32, 36..38.
bool WritesRecord(int32_t graphType);
// The table kinds 4, 5 and 6: no record, SaveTable's empty text instead.
bool IsTableKind(int32_t graphType);

}  // namespace quillon
