#pragma once
// Complex arithmetic on pairs of numbers (there is no complex type). Elementary steps run in
// double precision. Quotients keep their numerator and denominator in single precision; the
// elementary functions (sin, cos, tan, cot, powers, roots) are computed in double precision
// from formulas without cancellation and rounded to single precision once, so a value leaves
// the single range (an overflow) only where the function's value itself does.
//
// Every routine is written once as a template over a fault policy:
//  - ThrowingChecks raises the run-time error at the first fault (the evaluation rules);
//  - FaultFlag only records that a fault happened and carries on, so that a block of points
//    can be computed without branches and redone with ThrowingChecks when a fault was seen.
// Both policies compute exactly the same values wherever no fault occurs.

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "common/runtime_error.h"
#include "common/single.h"

namespace quillon {

// A complex value as the routines return it: real and imaginary part.
struct Complex {
  double re = 0.0;
  double im = 0.0;
};

// Doubles from FLT_MAX + half an ulp up round to infinity (the tie goes to the even infinity).
inline constexpr double kSingleLimit = static_cast<double>(FLT_MAX) + 0x1p103;

// v rounded to single precision. The empty asm keeps the rounding where it is: GCC 12's
// straight-line vectoriser otherwise merges two neighbouring double-float-double round trips
// into vector conversions and then drops them, returning the unrounded doubles.
inline double RoundToSingle(double v) {
  float f = static_cast<float>(v);
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  asm("" : "+x"(f));
#elif defined(__GNUC__) && defined(__aarch64__)
  asm("" : "+w"(f));
#else
  volatile float kept = f;
  f = kept;
#endif
  return f;
}

// The evaluation rules: the first fault raises its run-time error.
struct ThrowingChecks {
  // As ToSingle: NaN and values that round beyond the single range raise Overflow.
  static double Single(double v) {
    if (!(std::fabs(v) < kSingleLimit)) throw RuntimeError::Overflow();
    return RoundToSingle(v);
  }
  static double Finite(double v) { return CheckedFinite(v); }
  static double Divide(double a, double b) { return CheckedDivide(a, b); }
  [[noreturn]] static void DivisionByZero() { throw RuntimeError::DivisionByZero(); }
};

// Records faults instead of raising them; the values computed after a fault are meaningless.
struct FaultFlag {
  unsigned fault = 0;

  double Single(double v) {
    fault |= !(std::fabs(v) < kSingleLimit);
    return RoundToSingle(v);
  }
  double Finite(double v) {
    fault |= !(std::fabs(v) <= DBL_MAX);
    return v;
  }
  double Divide(double a, double b) {
    const double q = a / b;
    fault |= (b == 0.0) | !(std::fabs(q) <= DBL_MAX);
    return q;
  }
  void DivisionByZero() { fault = 1; }
};

namespace cmath {

template <class P>
inline Complex StoreSingle(P& p, Complex z) {
  return {p.Single(z.re), p.Single(z.im)};
}

template <class P>
inline Complex Add(P& p, double a, double b, double c, double d) {
  return {p.Finite(a + c), p.Finite(b + d)};
}

template <class P>
inline Complex Subtract(P& p, double a, double b, double c, double d) {
  return {p.Finite(a - c), p.Finite(b - d)};
}

inline Complex Negate(double a, double b) {
  return {-a, -b};
}

template <class P>
inline Complex Multiply(P& p, double a, double b, double c, double d) {
  return {p.Finite(a * c - b * d), p.Finite(a * d + b * c)};
}

// The numerator (a + bi)(c - di) through Multiply and the denominator c² + d² are kept in
// single precision; a zero denominator is a division by zero.
template <class P>
inline Complex Divide(P& p, double a, double b, double c, double d) {
  const Complex n = StoreSingle(p, Multiply(p, a, b, c, -d));
  const double m = p.Single(c * c + d * d);
  return {p.Divide(n.re, m), p.Divide(n.im, m)};
}

template <class P>
inline Complex Exp(P& p, double a, double b) {
  const double e = p.Finite(std::exp(a));
  return {e * std::cos(b), e * std::sin(b)};
}

// √(a² + b²); the squares may leave the double range for very large or very small parts
// while the modulus itself does not, and then the careful hypot is used instead.
template <class P>
inline double Abs(P& p, double a, double b) {
  const double m2 = a * a + b * b;
  double r = std::sqrt(m2);
  if (!(m2 <= DBL_MAX) || (m2 == 0.0 && (a != 0.0 || b != 0.0))) r = std::hypot(a, b);
  return p.Finite(r);
}

// The argument lies in [0, 2π) on the half-axes and in three quadrants, and in (-π, -π/2) in
// the third quadrant. The logarithm of 0 is 0.
template <class P>
inline Complex Log(P& p, double a, double b) {
  constexpr double kPi = std::numbers::pi;
  const double r = Abs(p, a, b);
  const double re = r != 0.0 ? std::log(r) : 0.0;
  double im;
  if (b == 0.0 && a >= 0.0) {
    im = 0.0;
  } else if (a == 0.0 && b > 0.0) {
    im = kPi / 2.0;
  } else if (b == 0.0) {
    im = kPi;
  } else if (a == 0.0) {
    im = 3.0 * kPi / 2.0;
  } else {
    const double sa = a > 0.0 ? 1.0 : -1.0;
    const double sb = b > 0.0 ? 1.0 : -1.0;
    const double t = std::atan(std::fabs(p.Divide(b, a)));
    im = sa * sb * t + (1.0 - sb) * sa * kPi + (1.0 - sa) * kPi / 2.0;
  }
  return {re, im};
}

// exp(w · log z) in double precision, rounded once: a logarithm rounded to single precision
// would put |w log z| units of its last place into the power. A zero base is handled apart,
// since log 0 = 0 would make every power of 0 equal to 1: 0^0 = 1, 0^w = 0 when Re w > 0,
// and any other power of 0 is a division by zero (a pole).
template <class P>
inline Complex Power(P& p, double a, double b, double c, double d) {
  if (a == 0.0 && b == 0.0) {
    if (c == 0.0 && d == 0.0) return {1.0, 0.0};
    if (c > 0.0) return {0.0, 0.0};
    p.DivisionByZero();
    return {0.0, 0.0};
  }
  const Complex l = Log(p, a, b);
  const Complex w = Multiply(p, c, d, l.re, l.im);
  return StoreSingle(p, Exp(p, w.re, w.im));
}

// z^n for n >= 1 by repeated squaring in double precision, rounded once (products rounded to
// single precision one by one would leave z^31 only 20 good bits).
template <class P>
inline Complex IntegerPower(P& p, double a, double b, unsigned n) {
  Complex x{a, b};
  Complex result{a, b};
  bool started = false;
  for (;;) {
    if (n & 1u) {
      result = started ? Multiply(p, result.re, result.im, x.re, x.im) : x;
      started = true;
    }
    n >>= 1u;
    if (n == 0) break;
    x = Multiply(p, x.re, x.im, x.re, x.im);
  }
  return StoreSingle(p, result);
}

// The root with the logarithm's branch, exp(½ log z): the principal root, computed without
// cancellation as t = √((|a| + |z|) / 2) and b / 2t, is negated where the argument lies in
// [3π/2, 2π) (the negative imaginary half-axis and the fourth quadrant). The root of 0 is 0.
template <class P>
inline Complex Sqrt(P& p, double a, double b) {
  if (a == 0.0 && b == 0.0) return {0.0, 0.0};
  const double t = std::sqrt(0.5 * std::fabs(a) + 0.5 * Abs(p, a, b));
  const double other = std::fabs(b) / (2.0 * t);
  Complex r;
  if (b == 0.0) {
    r = a > 0.0 ? Complex{t, 0.0} : Complex{0.0, t};  // the arguments 0 and π
  } else if (a < 0.0) {
    r = {other, b > 0.0 ? t : -t};
  } else {
    r = b > 0.0 ? Complex{t, other} : Complex{-t, other};
  }
  return StoreSingle(p, r);
}

// cosh v and sinh v from one expm1: with t = e^|v| - 1 and e = t + 1, cosh v = (e + 1/e) / 2
// and |sinh v| = (t + t/e) / 2. Both add positive terms, so nothing cancels near 0. Past
// |v| ≈ 710 cosh is infinite and sinh not a number: values that leave every range.
struct CoshSinh {
  double cosh = 0.0;
  double sinh = 0.0;
};
inline CoshSinh CoshSinhOf(double v) {
  const double t = std::expm1(std::fabs(v));
  const double e = t + 1.0;
  const double r = 1.0 / e;
  return {0.5 * (e + r), std::copysign(0.5 * (t + t * r), v)};
}

// sin(a + bi) = sin a cosh b + i cos a sinh b, rounded once.
template <class P>
inline Complex Sin(P& p, double a, double b) {
  const CoshSinh h = CoshSinhOf(b);
  return StoreSingle(p, Complex{std::sin(a) * h.cosh, std::cos(a) * h.sinh});
}

// cos(a + bi) = cos a cosh b - i sin a sinh b, rounded once.
template <class P>
inline Complex Cos(P& p, double a, double b) {
  const CoshSinh h = CoshSinhOf(b);
  return StoreSingle(p, Complex{std::cos(a) * h.cosh, -(std::sin(a) * h.sinh)});
}

// The parts shared by tan, cot, tanh and coth: {sin u cos u / d, sinh v cosh v / d} with
// d = cos² u + sinh² v (tangents) or sin² u + sinh² v (cotangents), a sum of squares where
// nothing cancels:
//   tan(u + vi) = {circular, hyperbolic},  cot(u + vi) = {circular, -hyperbolic},
//   tanh(v + ui) = {hyperbolic, circular}, coth(v + ui) = {hyperbolic, -circular}.
// Past |v| = 20, tanh v is ±1 in double precision and d is e^2|v| / 4, so the parts stay
// finite however large v is. d is 0 at u = v = 0, the cotangents' pole, and otherwise only
// where its squares underflow (|u + vi| below 1e-154), where the cotangents overflow.
struct TangentParts {
  double circular = 0.0;
  double hyperbolic = 0.0;
};
template <class P>
inline TangentParts TangentPartsOf(P& p, double u, double v, bool cotangent) {
  const double s = std::sin(u);
  const double c = std::cos(u);
  if (std::fabs(v) > 20.0) {
    const double e = std::exp(std::fabs(v));
    return {4.0 * s * c / e / e, std::copysign(1.0, v)};
  }
  const CoshSinh h = CoshSinhOf(v);
  const double d = (cotangent ? s * s : c * c) + h.sinh * h.sinh;
  if (d == 0.0) {
    if (u == 0.0 && v == 0.0) p.DivisionByZero();
    return {HUGE_VAL, HUGE_VAL};
  }
  return {s * c / d, h.sinh * h.cosh / d};
}

// The parts of the secants: {x cosh v / d, y sinh v / d} with x = cos u, y = sin u and
// d = cos² u + sinh² v (secants), or x = sin u, y = cos u and d = sin² u + sinh² v
// (cosecants), d being |cos(u + vi)|² or |sin(u + vi)|²:
//   sec(u + vi) = {first, second},  csc(u + vi) = {first, -second},
//   sech(v + ui) = {first, -second}, csch(v + ui) = {second, -first}.
// Past |v| = 20 they are 2x / e^|v| and ±2y / e^|v|, which fall to 0 instead of overflowing.
struct SecantParts {
  double first = 0.0;
  double second = 0.0;
};
template <class P>
inline SecantParts SecantPartsOf(P& p, double u, double v, bool cosecant) {
  const double x = cosecant ? std::sin(u) : std::cos(u);
  const double y = cosecant ? std::cos(u) : std::sin(u);
  if (std::fabs(v) > 20.0) {
    const double e = std::exp(std::fabs(v));
    return {2.0 * x / e, std::copysign(2.0, v) * y / e};
  }
  const CoshSinh h = CoshSinhOf(v);
  const double d = x * x + h.sinh * h.sinh;
  if (d == 0.0) {
    if (u == 0.0 && v == 0.0) p.DivisionByZero();
    return {HUGE_VAL, HUGE_VAL};
  }
  return {x * h.cosh / d, y * h.sinh / d};
}

template <class P>
inline Complex Tan(P& p, double a, double b) {
  const TangentParts t = TangentPartsOf(p, a, b, false);
  return StoreSingle(p, Complex{t.circular, t.hyperbolic});
}

template <class P>
inline Complex Ctan(P& p, double a, double b) {
  const TangentParts t = TangentPartsOf(p, a, b, true);
  return StoreSingle(p, Complex{t.circular, -t.hyperbolic});
}

}  // namespace cmath

// The routines with the evaluation rules: each raises Overflow or Division by zero as its
// run-time error. Inputs are (a, b) = a + bi and (c, d) = c + di.
Complex CAdd(double a, double b, double c, double d);
Complex CMul(double a, double b, double c, double d);
Complex CDiv(double a, double b, double c, double d);
Complex CExp(double a, double b);
double CAbs(double a, double b);
Complex CLog(double a, double b);
Complex CPow(double a, double b, double c, double d);
Complex CSqrt(double a, double b);
Complex CSin(double a, double b);
Complex CCos(double a, double b);
Complex CTan(double a, double b);
Complex CCtan(double a, double b);

}  // namespace quillon
