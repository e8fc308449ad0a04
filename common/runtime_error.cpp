#include "common/runtime_error.h"

#include <utility>

namespace quillon {

RuntimeError::RuntimeError(int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

RuntimeError RuntimeError::Overflow() {
  return {err::kOverflow, "Overflow"};
}
RuntimeError RuntimeError::DivisionByZero() {
  return {err::kDivisionByZero, "Division by zero"};
}
RuntimeError RuntimeError::TypeMismatch() {
  return {err::kTypeMismatch, "Type mismatch"};
}
RuntimeError RuntimeError::SubscriptOutOfRange() {
  return {err::kSubscriptOutOfRange, "Subscript out of range"};
}
RuntimeError RuntimeError::OutOfMemory() {
  return {err::kOutOfMemory, "Out of memory"};
}

void CheckIndex(int64_t index, int64_t size) {
  if (index < 0 || index >= size) throw RuntimeError::SubscriptOutOfRange();
}

}  // namespace quillon
