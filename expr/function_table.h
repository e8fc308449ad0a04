#pragma once
// The named functions of the expression language: their table (name, formula, branch note,
// for the help page and for look-up) and their definitions on top of the complex arithmetic.
// The hyperbolic functions are computed like the circular ones, in double precision without
// cancellation and rounded once; the inverse functions are their logarithmic formulas, with
// every intermediate result rounded to single precision.

#include <bit>
#include <cstdint>
#include <span>
#include <string_view>

#include "expr/complex_math.h"

namespace quillon {

// The functions in the order the compiler lists them.
enum class FunctionId : uint8_t {
  kSin,
  kCos,
  kLog,
  kExp,
  kAbs,
  kAtan,
  kRnd,
  kSqr,
  kTan,
  kSec,
  kCsec,
  kCtan,
  kAsin,
  kAcos,
  kAsec,
  kAcsec,
  kActan,
  kSinh,
  kCosh,
  kTanh,
  kCtanh,
  kSech,
  kCsech,
  kAsinh,
  kAcosh,
  kAtanh,
  kAsech,
  kAcsech,
  kActanh,
};

inline constexpr int kFunctionCount = 29;

// One row of the function table.
struct FunctionInfo {
  FunctionId id;
  std::string_view name;     // the postfix token, upper case
  std::string_view formula;  // how the value is computed
  std::string_view branch;   // branch choice and where the function fails
};

// All functions, in FunctionId order.
std::span<const FunctionInfo> FunctionTable();

// The function whose token is exactly `token` (case-sensitive), or nullptr.
const FunctionInfo* FindFunction(std::string_view token);

namespace cmath {

template <class P>
inline Complex Reciprocal(P& p, Complex z) {
  return Divide(p, 1.0, 0.0, z.re, z.im);
}

// log q where q = 0 is a pole of the function being computed, not the value log 0 = 0.
template <class P>
inline Complex LogAtPole(P& p, Complex q) {
  if (q.re == 0.0 && q.im == 0.0) p.DivisionByZero();
  return Log(p, q.re, q.im);
}

// -i · log(iz + √(1 - z²))
template <class P>
inline Complex Asin(P& p, Complex z) {
  const Complex z2 = StoreSingle(p, Multiply(p, z.re, z.im, z.re, z.im));
  const Complex w = StoreSingle(p, Subtract(p, 1.0, 0.0, z2.re, z2.im));
  const Complex s = StoreSingle(p, Sqrt(p, w.re, w.im));
  const Complex iz = StoreSingle(p, Multiply(p, z.re, z.im, 0.0, 1.0));
  const Complex q = StoreSingle(p, Add(p, iz.re, iz.im, s.re, s.im));
  const Complex l = StoreSingle(p, Log(p, q.re, q.im));
  return Multiply(p, l.re, l.im, 0.0, -1.0);
}

// -i · log(z + i√(1 - z²))
template <class P>
inline Complex Acos(P& p, Complex z) {
  const Complex z2 = StoreSingle(p, Multiply(p, z.re, z.im, z.re, z.im));
  const Complex w = StoreSingle(p, Subtract(p, 1.0, 0.0, z2.re, z2.im));
  const Complex s = StoreSingle(p, Sqrt(p, w.re, w.im));
  const Complex is = StoreSingle(p, Multiply(p, s.re, s.im, 0.0, 1.0));
  const Complex q = StoreSingle(p, Add(p, z.re, z.im, is.re, is.im));
  const Complex l = StoreSingle(p, Log(p, q.re, q.im));
  return Multiply(p, l.re, l.im, 0.0, -1.0);
}

// (i/2) · log(n / d): atan with n = i + z, d = i - z; actan with n = z - i, d = z + i.
template <class P>
inline Complex HalfILogOfQuotient(P& p, Complex n, Complex d) {
  const Complex q = StoreSingle(p, Divide(p, n.re, n.im, d.re, d.im));
  const Complex l = StoreSingle(p, LogAtPole(p, q));
  return Multiply(p, 0.0, 0.5, l.re, l.im);
}

// ½ · log(n / d): atanh with n = 1 + z, d = 1 - z; actanh with n = z + 1, d = z - 1.
template <class P>
inline Complex HalfLogOfQuotient(P& p, Complex n, Complex d) {
  const Complex q = StoreSingle(p, Divide(p, n.re, n.im, d.re, d.im));
  const Complex l = StoreSingle(p, LogAtPole(p, q));
  return Multiply(p, 0.5, 0.0, l.re, l.im);
}

template <class P>
inline Complex Atan(P& p, Complex z) {
  return HalfILogOfQuotient(p, StoreSingle(p, Add(p, 0.0, 1.0, z.re, z.im)),
                            StoreSingle(p, Subtract(p, 0.0, 1.0, z.re, z.im)));
}

template <class P>
inline Complex Actan(P& p, Complex z) {
  return HalfILogOfQuotient(p, StoreSingle(p, Subtract(p, z.re, z.im, 0.0, 1.0)),
                            StoreSingle(p, Add(p, z.re, z.im, 0.0, 1.0)));
}

template <class P>
inline Complex Atanh(P& p, Complex z) {
  return HalfLogOfQuotient(p, StoreSingle(p, Add(p, 1.0, 0.0, z.re, z.im)),
                           StoreSingle(p, Subtract(p, 1.0, 0.0, z.re, z.im)));
}

template <class P>
inline Complex Actanh(P& p, Complex z) {
  return HalfLogOfQuotient(p, StoreSingle(p, Add(p, z.re, z.im, 1.0, 0.0)),
                           StoreSingle(p, Subtract(p, z.re, z.im, 1.0, 0.0)));
}

// sinh(a + bi) = sinh a cos b + i cosh a sin b, rounded once.
template <class P>
inline Complex Sinh(P& p, Complex z) {
  const CoshSinh h = CoshSinhOf(z.re);
  return StoreSingle(p, Complex{h.sinh * std::cos(z.im), h.cosh * std::sin(z.im)});
}

// cosh(a + bi) = cosh a cos b + i sinh a sin b, rounded once.
template <class P>
inline Complex Cosh(P& p, Complex z) {
  const CoshSinh h = CoshSinhOf(z.re);
  return StoreSingle(p, Complex{h.cosh * std::cos(z.im), h.sinh * std::sin(z.im)});
}

// tanh(a + bi) and coth(a + bi) from the parts of tan(b + ai), rounded once.
template <class P>
inline Complex Tanh(P& p, Complex z) {
  const TangentParts t = TangentPartsOf(p, z.im, z.re, false);
  return StoreSingle(p, Complex{t.hyperbolic, t.circular});
}

template <class P>
inline Complex Ctanh(P& p, Complex z) {
  const TangentParts t = TangentPartsOf(p, z.im, z.re, true);
  return StoreSingle(p, Complex{t.hyperbolic, -t.circular});
}

// 1 / cos z, 1 / sin z, 1 / cosh z and 1 / sinh z, rounded once.
template <class P>
inline Complex Sec(P& p, Complex z) {
  const SecantParts s = SecantPartsOf(p, z.re, z.im, false);
  return StoreSingle(p, Complex{s.first, s.second});
}
template <class P>
inline Complex Csec(P& p, Complex z) {
  const SecantParts s = SecantPartsOf(p, z.re, z.im, true);
  return StoreSingle(p, Complex{s.first, -s.second});
}
template <class P>
inline Complex Sech(P& p, Complex z) {
  const SecantParts s = SecantPartsOf(p, z.im, z.re, false);
  return StoreSingle(p, Complex{s.first, -s.second});
}
template <class P>
inline Complex Csech(P& p, Complex z) {
  const SecantParts s = SecantPartsOf(p, z.im, z.re, true);
  return StoreSingle(p, Complex{s.second, -s.first});
}

// log(z + √(z² + sign)): asinh with sign +1, acosh with sign -1.
template <class P>
inline Complex LogOfZPlusRoot(P& p, Complex z, double sign) {
  const Complex z2 = StoreSingle(p, Multiply(p, z.re, z.im, z.re, z.im));
  const Complex w = StoreSingle(p, Add(p, z2.re, z2.im, sign, 0.0));
  const Complex s = StoreSingle(p, Sqrt(p, w.re, w.im));
  const Complex q = StoreSingle(p, Add(p, z.re, z.im, s.re, s.im));
  return Log(p, q.re, q.im);
}

// A value in [0, 1) that depends only on the bits of the operand, so that a graph is the same
// at every sampling. The mix is the finaliser of SplitMix64.
inline double HashToUnit(double a, double b) {
  // -0 and +0 are the same operand.
  if (a == 0.0) a = 0.0;
  if (b == 0.0) b = 0.0;
  uint64_t h = (std::bit_cast<uint64_t>(a) * 0x9E3779B97F4A7C15ULL) ^ std::bit_cast<uint64_t>(b);
  h ^= h >> 30;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 27;
  h *= 0x94D049BB133111EBULL;
  h ^= h >> 31;
  // 24 bits: every value is exact in single precision.
  return static_cast<double>(h >> 40) * 0x1p-24;
}

template <class P>
inline Complex Single(P& p, Complex z) {
  return StoreSingle(p, z);
}

// The value of function `f` at z.
template <class P>
inline Complex Apply(P& p, FunctionId f, Complex z) {
  const double a = z.re;
  const double b = z.im;
  switch (f) {
    case FunctionId::kSin:
      return Sin(p, a, b);
    case FunctionId::kCos:
      return Cos(p, a, b);
    case FunctionId::kLog:
      return Log(p, a, b);
    case FunctionId::kExp:
      return Exp(p, a, b);
    case FunctionId::kAbs:
      return {Abs(p, a, b), 0.0};
    case FunctionId::kAtan:
      return Atan(p, z);
    case FunctionId::kRnd:
      return {HashToUnit(a, b), 0.0};
    case FunctionId::kSqr:
      return Sqrt(p, a, b);
    case FunctionId::kTan:
      return Tan(p, a, b);
    case FunctionId::kSec:
      return Sec(p, z);
    case FunctionId::kCsec:
      return Csec(p, z);
    case FunctionId::kCtan:
      return Ctan(p, a, b);
    case FunctionId::kAsin:
      return Asin(p, z);
    case FunctionId::kAcos:
      return Acos(p, z);
    case FunctionId::kAsec:
      return Acos(p, Single(p, Reciprocal(p, z)));
    case FunctionId::kAcsec:
      return Asin(p, Single(p, Reciprocal(p, z)));
    case FunctionId::kActan:
      return Actan(p, z);
    case FunctionId::kSinh:
      return Sinh(p, z);
    case FunctionId::kCosh:
      return Cosh(p, z);
    case FunctionId::kTanh:
      return Tanh(p, z);
    case FunctionId::kCtanh:
      return Ctanh(p, z);
    case FunctionId::kSech:
      return Sech(p, z);
    case FunctionId::kCsech:
      return Csech(p, z);
    case FunctionId::kAsinh:
      return LogOfZPlusRoot(p, z, 1.0);
    case FunctionId::kAcosh:
      return LogOfZPlusRoot(p, z, -1.0);
    case FunctionId::kAtanh:
      return Atanh(p, z);
    case FunctionId::kAsech:
      return LogOfZPlusRoot(p, Single(p, Reciprocal(p, z)), -1.0);
    case FunctionId::kAcsech:
      return LogOfZPlusRoot(p, Single(p, Reciprocal(p, z)), 1.0);
    case FunctionId::kActanh:
      return Actanh(p, z);
  }
  return z;
}

}  // namespace cmath

// The value of function `f` at a + bi with the evaluation rules (faults raise).
Complex ApplyFunction(FunctionId f, double a, double b);

}  // namespace quillon
