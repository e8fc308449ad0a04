#pragma once
// Single-precision storage with the program's floating-point fault rules: a value that does
// not fit a single (or is not a number) raises Overflow, a division by exactly zero raises
// Division by zero. Elementary steps are computed in double and stored through these.

#include <cmath>
#include <limits>

#include "common/runtime_error.h"

namespace quillon {

// Rounds a double to single precision; raises Overflow when it is out of range or NaN.
inline float ToSingle(double value) {
  if (std::isnan(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    // Values that round into range (just above FLT_MAX) still fit; check after rounding.
    if (!std::isnan(value)) {
      const float rounded = static_cast<float>(value);
      if (std::isfinite(rounded)) return rounded;
    }
    throw RuntimeError::Overflow();
  }
  return static_cast<float>(value);
}

// a / b in double; b == 0 raises Division by zero (0 / 0 included), a non-finite result Overflow.
inline double CheckedDivide(double a, double b) {
  if (b == 0.0) throw RuntimeError::DivisionByZero();
  const double q = a / b;
  if (!std::isfinite(q)) throw RuntimeError::Overflow();
  return q;
}

// Raises Overflow when a double intermediate is not finite.
inline double CheckedFinite(double value) {
  if (!std::isfinite(value)) throw RuntimeError::Overflow();
  return value;
}

}  // namespace quillon
