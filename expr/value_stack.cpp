#include "expr/value_stack.h"

#include <utility>

#include "common/runtime_error.h"

namespace quillon {

void Cls13::Push(StackValue value) {
  ++count_;
  if (count_ > static_cast<int32_t>(storage_.size())) storage_.resize(storage_.size() + 10);
  storage_[count_ - 1] = std::move(value);
}

StackValue Cls13::Pop() {
  if (count_ == 0) throw RuntimeError(err::kPopOnEmptyStack, "Pop method invoked on empty stack");
  --count_;
  return std::move(storage_[count_]);
}

const StackValue& Cls13::GetPopValue() const {
  if (count_ == 0) throw RuntimeError(err::kPeekOnEmptyStack, "GetPopValue method invoked on empty stack");
  return storage_[count_ - 1];
}

}  // namespace quillon
