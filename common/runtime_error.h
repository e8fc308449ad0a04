#pragma once
// The one exception type of the program: a run-time error with its number and description.
// Arithmetic faults, stack underflow, conversion failures and index errors all travel as it;
// callers that end a command silently catch it there, nothing else swallows it.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillon {

// Error numbers the program raises (the classic run-time numbering).
namespace err {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPopOnEmptyStack = 1011;   // object-defined, 0x800403F3
inline constexpr int32_t kPeekOnEmptyStack = 1012;  // object-defined, 0x800403F4
inline constexpr int32_t kGridTooLarge = 1020;      // sampling refused before allocating
}  // namespace err

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int32_t number, std::string description);

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }

  // The standard errors with their usual descriptions.
  static RuntimeError Overflow();
  static RuntimeError DivisionByZero();
  static RuntimeError TypeMismatch();
  static RuntimeError SubscriptOutOfRange();
  static RuntimeError OutOfMemory();

 private:
  int32_t number_;
  std::string description_;
};

// Raises the subscript error unless 0 <= index < size; the indexed properties' accessors
// (Diffuse(i), Position(i), VecUp(i), ...) use it.
void CheckIndex(int64_t index, int64_t size);

}  // namespace quillon
