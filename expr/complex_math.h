#pragma once
// Complex arithmetic on pairs of numbers (there is no complex type). Elementary steps run in
// double precision; the composed routines round every intermediate they keep to single
// precision, so their results, branch choices and failures follow from the building blocks.
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

#include "common/runtime_error.h"
#include "common/single.h"

namespace quillon {

// A complex value as the routines return it: real and imaginary part.
struct Complex {
  double re = 0.0;
  double im = 0.0;
};

// Pi as the arithmetic keeps it: 4·atan(1) rounded to single precision (3.1415927).
inline constexpr double kSinglePi = static_cast<float>(3.14159265358979323846);

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
  const double r = Abs(p, a, b);
  const double re = r != 0.0 ? std::log(r) : 0.0;
  double im;
  if (b == 0.0 && a >= 0.0) {
    im = 0.0;
  } else if (a == 0.0 && b > 0.0) {
    im = kSinglePi / 2.0;
  } else if (b == 0.0) {
    im = kSinglePi;
  } else if (a == 0.0) {
    im = 3.0 * kSinglePi / 2.0;
  } else {
    const double sa = a > 0.0 ? 1.0 : -1.0;
    const double sb = b > 0.0 ? 1.0 : -1.0;
    const double t = std::atan(std::fabs(p.Divide(b, a)));
    im = sa * sb * t + (1.0 - sb) * sa * kSinglePi + (1.0 - sa) * kSinglePi / 2.0;
  }
  return {re, im};
}

// exp(w · log z), every step kept in single precision. A zero base is handled apart, since
// log 0 = 0 would make every power of 0 equal to 1: 0^0 = 1, 0^w = 0 when Re w > 0, and any
// other power of 0 is a division by zero (a pole).
template <class P>
inline Complex Power(P& p, double a, double b, double c, double d) {
  if (a == 0.0 && b == 0.0) {
    if (c == 0.0 && d == 0.0) return {1.0, 0.0};
    if (c > 0.0) return {0.0, 0.0};
    p.DivisionByZero();
    return {0.0, 0.0};
  }
  const Complex l = StoreSingle(p, Log(p, a, b));
  const Complex w = StoreSingle(p, Multiply(p, c, d, l.re, l.im));
  return StoreSingle(p, Exp(p, w.re, w.im));
}

// z^n for n >= 1 by repeated squaring, every product kept in single precision.
template <class P>
inline Complex IntegerPower(P& p, double a, double b, unsigned n) {
  Complex x{a, b};
  Complex result{a, b};
  bool started = false;
  for (;;) {
    if (n & 1u) {
      result = started ? StoreSingle(p, Multiply(p, result.re, result.im, x.re, x.im)) : x;
      started = true;
    }
    n >>= 1u;
    if (n == 0) break;
    x = StoreSingle(p, Multiply(p, x.re, x.im, x.re, x.im));
  }
  return StoreSingle(p, result);
}

// exp(½ log z) in single precision steps; the root of 0 is 0.
template <class P>
inline Complex Sqrt(P& p, double a, double b) {
  if (a == 0.0 && b == 0.0) return {0.0, 0.0};
  const Complex l = StoreSingle(p, Log(p, a, b));
  const Complex w = StoreSingle(p, Multiply(p, 0.5, 0.0, l.re, l.im));
  return StoreSingle(p, Exp(p, w.re, w.im));
}

// e^w and e^-w for w = iz (kept in single precision), both in single precision. Cosine is
// even and sine odd, so the two exponentials share one cosine and sine.
template <class P>
inline void ExpPairOf(P& p, Complex w, Complex& e1, Complex& e2) {
  const double c = std::cos(w.im);
  const double s = std::sin(w.im);
  const double g1 = p.Finite(std::exp(w.re));
  const double g2 = p.Finite(std::exp(-w.re));
  e1 = StoreSingle(p, Complex{g1 * c, g1 * s});
  e2 = StoreSingle(p, Complex{g2 * c, -(g2 * s)});
}

// e^{iz} and e^{-iz}, both in single precision.
template <class P>
inline void ExpOfIz(P& p, double a, double b, Complex& e1, Complex& e2) {
  ExpPairOf(p, StoreSingle(p, Multiply(p, a, b, 0.0, 1.0)), e1, e2);
}

template <class P>
inline Complex SinFromExps(P& p, Complex e1, Complex e2) {
  const Complex n = StoreSingle(p, Add(p, e1.re, e1.im, -e2.re, -e2.im));
  return Divide(p, n.re, n.im, 0.0, 2.0);
}

template <class P>
inline Complex CosFromExps(P& p, Complex e1, Complex e2) {
  const Complex n = StoreSingle(p, Add(p, e1.re, e1.im, e2.re, e2.im));
  return Divide(p, n.re, n.im, 2.0, 0.0);
}

// (e^{iz} - e^{-iz}) / 2i
template <class P>
inline Complex Sin(P& p, double a, double b) {
  Complex e1, e2;
  ExpOfIz(p, a, b, e1, e2);
  return SinFromExps(p, e1, e2);
}

// (e^{iz} + e^{-iz}) / 2
template <class P>
inline Complex Cos(P& p, double a, double b) {
  Complex e1, e2;
  ExpOfIz(p, a, b, e1, e2);
  return CosFromExps(p, e1, e2);
}

// sin z / cos z, each kept in single precision; both come from the same exponentials.
template <class P>
inline Complex Tan(P& p, double a, double b) {
  Complex e1, e2;
  ExpOfIz(p, a, b, e1, e2);
  const Complex s = StoreSingle(p, SinFromExps(p, e1, e2));
  const Complex c = StoreSingle(p, CosFromExps(p, e1, e2));
  return Divide(p, s.re, s.im, c.re, c.im);
}

template <class P>
inline Complex Ctan(P& p, double a, double b) {
  Complex e1, e2;
  ExpOfIz(p, a, b, e1, e2);
  const Complex c = StoreSingle(p, CosFromExps(p, e1, e2));
  const Complex s = StoreSingle(p, SinFromExps(p, e1, e2));
  return Divide(p, c.re, c.im, s.re, s.im);
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
