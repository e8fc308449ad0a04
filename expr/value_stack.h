#pragma once
// A stack of values (numbers or texts) for the compiler's operators and the evaluator's operands.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quillon {

using StackValue = std::variant<double, std::string>;

// A stack of numbers and texts for the compiler and the evaluator.
class Cls13 {
 public:
  // Grows the storage by 10 entries whenever the count exceeds it.
  void Push(StackValue value);
  // Raises error 1011 "Pop method invoked on empty stack" when empty.
  StackValue Pop();
  // The top value without removing it; raises error 1012 "GetPopValue method invoked on empty stack".
  const StackValue& GetPopValue() const;
  int32_t StackSize() const { return count_; }

 private:
  std::vector<StackValue> storage_;  // capacity grows in steps of 10
  int32_t count_ = 0;
};

}  // namespace quillon
