#pragma once
// Text routines that prepare what the user types before it reaches the compiler or a number
// conversion: implicit multiplication signs and the cleaning of numeric and value fields.
// All of them work one byte at a time and compare by character code (case-sensitive); bytes
// above 127 belong to none of their character classes.

#include <string>

namespace quillon {

// Returns the function text with "*" inserted where a product is implied ("2z" -> "2*z",
// "(z)(z)" -> "(z)*(z)", "z2" -> "z*2", "pi(z)" -> "pi*(z)"). Names such as "sin(" stay intact.
// A one-character text is returned unchanged; an empty text gives "*" so that the compiler
// rejects an empty function.
std::string AddMultiplySigns(const std::string& strExpression);

// Cleans the text of a numeric field: keeps "-0123456789Ee.", drops spaces and turns "," into
// ".". strText is consumed: every examined character is removed from it, so on a rejected
// character it is left holding what follows that character (empty when all was accepted).
// Returns false at the first other character. An empty text or a single space gives "0".
bool NormalizeNumberText(std::string& strText, std::string& strOut);

// As NormalizeNumberText, accepting "-0123456789.+*/^()" and the letters, so that a field may
// hold a short expression such as "2*pi".
bool NormalizeValueText(std::string& strText, std::string& strOut);

// The filter of NormalizeValueText for document output: returns what was gathered up to the
// first character outside the set (consumed like the others); an empty text gives "".
std::string FilterValueText(std::string& strText);

}  // namespace quillon
