#include "expr/text_helpers.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quillon {
namespace {

// A membership table over all 256 byte values, built at compile time from a list of characters.
class CharClass {
 public:
  constexpr explicit CharClass(std::string_view members) {
    for (char c : members) in_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(char c) const { return in_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> in_{};
};

// A digit or ")" may be followed by an implied product ...
constexpr CharClass kClosing("1234567890)");
// ... when a letter or "(" comes next.
constexpr CharClass kOpening("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ(");
// Single letters that stand for a value (variables, the "i" of pi and of the imaginary unit).
constexpr CharClass kVariable("abnrtxyziABNRTXYZI");
constexpr CharClass kNumberStart("1234567890.,(");
constexpr CharClass kNumber("1234567890.,");
// What may precede a variable letter that is a whole operand; a letter before it means the
// letter ends a longer name ("sin(", "atan("), except for "p" of "pi".
constexpr CharClass kLeftContext("1234567890+-*/^()pP");

constexpr CharClass kNumberField("-1234567890Ee.");
constexpr CharClass kValueField("-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");

bool ImpliesProduct(const std::string& s, std::size_t i) {
  // i is zero-based here; the first position has no previous character.
  const char cur = s[i];
  const char next = s[i + 1];
  if (kClosing.Has(cur) && kOpening.Has(next)) return true;
  if (i == 0) return kVariable.Has(cur) && kNumberStart.Has(next);
  const char prev = s[i - 1];
  if (kLeftContext.Has(prev) && kVariable.Has(cur) && kNumberStart.Has(next)) return true;
  return cur == ')' && kNumber.Has(next);
}

enum class FilterStop { AllExamined, Rejected };

// Walks strText once, gathering accepted characters into out (spaces dropped, "," as "."),
// and erases the examined part from strText in one step so that long texts stay linear.
FilterStop Filter(std::string& strText, const CharClass& accepted, std::string& out) {
  std::size_t examined = 0;
  FilterStop stop = FilterStop::AllExamined;
  out.reserve(out.size() + strText.size());
  while (examined < strText.size()) {
    const char c = strText[examined++];
    if (accepted.Has(c)) {
      out += c;
    } else if (c == ' ') {
      continue;
    } else if (c == ',') {
      out += '.';
    } else {
      stop = FilterStop::Rejected;
      break;
    }
  }
  strText.erase(0, examined);
  return stop;
}

bool NormalizeField(std::string& strText, const CharClass& accepted, std::string& strOut) {
  const bool blank = strText.empty() || strText == " ";
  strOut.clear();
  if (Filter(strText, accepted, strOut) == FilterStop::Rejected) return false;
  if (blank) strOut.assign(1, '0');
  return true;
}

}  // namespace

std::string AddMultiplySigns(const std::string& strExpression) {
  const std::size_t length = strExpression.size();
  if (length == 1) return strExpression;
  if (length == 0) return "*";
  std::string result;
  result.reserve(length + length / 2 + 1);
  for (std::size_t i = 0; i + 1 < length; ++i) {
    result += strExpression[i];
    if (ImpliesProduct(strExpression, i)) result += '*';
  }
  result += strExpression.back();
  return result;
}

bool NormalizeNumberText(std::string& strText, std::string& strOut) {
  return NormalizeField(strText, kNumberField, strOut);
}

bool NormalizeValueText(std::string& strText, std::string& strOut) {
  return NormalizeField(strText, kValueField, strOut);
}

std::string FilterValueText(std::string& strText) {
  std::string out;
  Filter(strText, kValueField, out);
  return out;
}

}  // namespace quillon
