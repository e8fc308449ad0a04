#include "expr/complex_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "expr/function_table.h"

namespace quillon {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSingleTolerance = 2e-6;

void ExpectNear(Complex actual, double re, double im, double tolerance = kSingleTolerance) {
  EXPECT_NEAR(actual.re, re, tolerance * std::max(1.0, std::fabs(re)));
  EXPECT_NEAR(actual.im, im, tolerance * std::max(1.0, std::fabs(im)));
}

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

TEST(ComplexMath, ArgumentsOnTheAxesAreMultiplesOfPiInDouble) {
  // Powers multiply the argument: a single-precision π would turn (-8)^(1/3) away from 1 + 1.73i.
  EXPECT_EQ(CLog(-1, 0).im, kPi);
  EXPECT_EQ(CLog(0, -1).im, 3 * kPi / 2);
  EXPECT_EQ(static_cast<float>(CLog(-1, 0).im), 3.1415927f);
  ExpectNear(CPow(-8, 0, 1.0 / 3, 0), 1, std::sqrt(3.0), 1e-7);
}

TEST(ComplexMath, Division) {
  ExpectNear(CDiv(1, 0, 0, 1), 0, -1);
  ExpectNear(CDiv(3, 4, 1, 2), 2.2, -0.4);
  EXPECT_EQ(ErrorOf([] { CDiv(1, 0, 0, 0); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { CDiv(0, 0, 0, 0); }), err::kDivisionByZero);
  // The numerator is kept in single precision, so a double-sized dividend overflows there.
  EXPECT_EQ(ErrorOf([] { CDiv(1e40, 0, 2, 0); }), err::kOverflow);
}

TEST(ComplexMath, LogArgumentRules) {
  ExpectNear(CLog(1, 0), 0, 0);
  ExpectNear(CLog(0, 1), 0, kPi / 2);
  ExpectNear(CLog(-1, 0), 0, kPi);
  ExpectNear(CLog(0, -1), 0, 3 * kPi / 2);
  ExpectNear(CLog(1, 1), 0.34657359, kPi / 4);
  ExpectNear(CLog(-1, 1), 0.34657359, 3 * kPi / 4);
  ExpectNear(CLog(-1, -1), 0.34657359, -3 * kPi / 4);
  ExpectNear(CLog(1, -1), 0.34657359, 7 * kPi / 4);
  const Complex zero = CLog(0, 0);
  EXPECT_EQ(zero.re, 0.0);
  EXPECT_EQ(zero.im, 0.0);
  // Negative zero is zero: the positive real half-axis.
  EXPECT_EQ(CLog(2, -0.0).im, 0.0);
  EXPECT_EQ(CLog(-0.0, 0).re, 0.0);
}

TEST(ComplexMath, LogOfVerySmallAndLargeParts) {
  // The squares leave the double range; the modulus does not.
  ExpectNear(CLog(1e-200, 0), std::log(1e-200), 0, 1e-12);
  ExpectNear(CLog(1e200, 1e200), std::log(std::hypot(1e200, 1e200)), kPi / 4, 1e-6);
  EXPECT_NEAR(CAbs(3e200, 4e200), 5e200, 1e186);
  EXPECT_DOUBLE_EQ(CAbs(3, -4), 5);
}

TEST(ComplexMath, PowerAndItsZeroBase) {
  ExpectNear(CPow(2, 0, 3, 0), 8, 0);
  ExpectNear(CPow(-1, 0, 0.5, 0), 0, 1);
  ExpectNear(CPow(1, 1, 2, 0), 0, 2, 1e-5);
  ExpectNear(CPow(0, 0, 0, 0), 1, 0, 0);
  ExpectNear(CPow(0, 0, 2, 0), 0, 0, 0);
  ExpectNear(CPow(0, 0, 0.5, -3), 0, 0, 0);
  EXPECT_EQ(ErrorOf([] { CPow(0, 0, -1, 0); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { CPow(0, 0, 0, 1); }), err::kDivisionByZero);
  // A base of -0 is still zero.
  ExpectNear(CPow(-0.0, -0.0, 1, 0), 0, 0, 0);
  // Results are rounded to single precision; 2^200 does not fit.
  EXPECT_EQ(ErrorOf([] { CPow(2, 0, 200, 0); }), err::kOverflow);
  const Complex p = CPow(3, 0, 0.5, 0);
  EXPECT_EQ(p.re, static_cast<double>(static_cast<float>(p.re)));
}

TEST(ComplexMath, SquareRootFollowsTheLogBranch) {
  ExpectNear(CSqrt(0, 0), 0, 0, 0);
  ExpectNear(CSqrt(-4, 0), 0, 2);
  ExpectNear(CSqrt(0, -1), -0.70710678, 0.70710678);
  ExpectNear(CSqrt(4, 0), 2, 0);
  // Third quadrant: positive real, negative imaginary part.
  const Complex r = CSqrt(-1, -1);
  EXPECT_GT(r.re, 0);
  EXPECT_LT(r.im, 0);
  // Fourth quadrant (argument near 2π): the root lies in the second quadrant.
  const Complex q = CSqrt(1, -1);
  EXPECT_LT(q.re, 0);
  EXPECT_GT(q.im, 0);
}

TEST(ComplexMath, ExpAndTrigonometry) {
  ExpectNear(CExp(0, kPi / 2), 0, 1, 1e-12);
  const Complex big = CExp(100, 0);
  EXPECT_NEAR(big.re, 2.6881171418e43, 1e34);  // double, not single
  EXPECT_EQ(ErrorOf([] { CExp(1000, 0); }), err::kOverflow);
  ExpectNear(CSin(kPi / 2, 0), 1, 0);
  ExpectNear(CCos(0, 0), 1, 0);
  ExpectNear(CSin(1, 2), std::sin(std::complex<double>(1, 2)).real(),
             std::sin(std::complex<double>(1, 2)).imag(), 1e-5);
  ExpectNear(CCos(1, 2), std::cos(std::complex<double>(1, 2)).real(),
             std::cos(std::complex<double>(1, 2)).imag(), 1e-5);
  ExpectNear(CTan(0.5, 0.25), std::tan(std::complex<double>(0.5, 0.25)).real(),
             std::tan(std::complex<double>(0.5, 0.25)).imag(), 1e-5);
  const std::complex<double> cot = 1.0 / std::tan(std::complex<double>(0.5, 0.25));
  ExpectNear(CCtan(0.5, 0.25), cot.real(), cot.imag(), 1e-5);
  EXPECT_EQ(ErrorOf([] { CSin(0, -100); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CCos(0, 100); }), err::kOverflow);
  // The sine of 0 is exactly 0, so its cotangent divides by zero.
  EXPECT_EQ(ErrorOf([] { CCtan(0, 0); }), err::kDivisionByZero);
  ExpectNear(CTan(0, 0), 0, 0, 0);
}

TEST(ComplexMath, AddAndMultiply) {
  ExpectNear(CAdd(1, 2, 3, -5), 4, -3, 0);
  ExpectNear(CMul(1, 2, 3, 4), -5, 10, 0);
  EXPECT_EQ(ErrorOf([] { CMul(1e300, 0, 1e300, 0); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CAdd(1.7e308, 0, 1.7e308, 0); }), err::kOverflow);
}

TEST(FunctionTable, ListsEveryNameOnceInOrderWithAFormula) {
  const std::vector<std::string> names = {
      "SIN",   "COS",  "LOG",   "EXP",   "ABS",   "ATAN",  "RND",   "SQR",    "TAN",   "SEC",
      "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",  "TANH",
      "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};
  ASSERT_EQ(FunctionTable().size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const FunctionInfo& info = FunctionTable()[i];
    EXPECT_EQ(info.name, names[i]);
    EXPECT_FALSE(info.formula.empty()) << names[i];
    EXPECT_FALSE(info.branch.empty()) << names[i];
    EXPECT_EQ(FindFunction(names[i]), &info);
  }
  EXPECT_EQ(FindFunction("sin"), nullptr);
  EXPECT_EQ(FindFunction("SIN "), nullptr);
  EXPECT_EQ(FindFunction(""), nullptr);
}

Complex F(FunctionId f, double a, double b) {
  return ApplyFunction(f, a, b);
}
std::complex<double> C(Complex z) {
  return {z.re, z.im};
}

// Where the logarithm's argument stays in (-π/2, π) the definitions give the principal values;
// elsewhere the inverses take other branches (see the next test).
TEST(DerivedFunctions, AgreeWithTheUsualValuesNearTheFirstQuadrant) {
  using cd = std::complex<double>;
  const cd z(0.3, 0.4);
  struct Case {
    FunctionId id;
    cd expected;
  };
  const std::vector<Case> cases = {
      {FunctionId::kAbs, cd(0.5, 0)},          {FunctionId::kSec, 1.0 / std::cos(z)},
      {FunctionId::kCsec, 1.0 / std::sin(z)},  {FunctionId::kAsec, std::acos(1.0 / z)},
      {FunctionId::kSinh, std::sinh(z)},       {FunctionId::kCosh, std::cosh(z)},
      {FunctionId::kTanh, std::tanh(z)},       {FunctionId::kCtanh, 1.0 / std::tanh(z)},
      {FunctionId::kSech, 1.0 / std::cosh(z)}, {FunctionId::kCsech, 1.0 / std::sinh(z)},
      {FunctionId::kAsinh, std::asinh(z)},     {FunctionId::kAcosh, std::acosh(z)},
      {FunctionId::kAtanh, std::atanh(z)},     {FunctionId::kActanh, std::atanh(1.0 / z)},
  };
  for (const Case& c : cases) {
    const Complex w = F(c.id, z.real(), z.imag());
    EXPECT_NEAR(std::abs(C(w) - c.expected), 0.0, 1e-5) << FunctionTable()[static_cast<int>(c.id)].name;
  }
  // Here the logarithm's argument lies beyond π, so asin, acos and atan leave the principal
  // strip and acsech differs from it by 2πi; they remain inverses.
  EXPECT_NEAR(std::abs(std::sin(C(F(FunctionId::kAsin, 0.3, 0.4))) - z), 0.0, 1e-5);
  EXPECT_NEAR(std::abs(C(F(FunctionId::kAcsech, 0.3, 0.4)) - std::asinh(1.0 / z) - cd(0, 2 * kPi)), 0.0,
              1e-5);
  // The inverse cotangent: cot(actan z) = z.
  const cd a = C(F(FunctionId::kActan, 0.3, 0.4));
  EXPECT_NEAR(std::abs(1.0 / std::tan(a) - z), 0.0, 1e-5);
  const cd s = C(F(FunctionId::kAcsec, 2.0, 0.5));
  EXPECT_NEAR(std::abs(1.0 / std::sin(s) - cd(2.0, 0.5)), 0.0, 1e-5);
  const cd h = C(F(FunctionId::kAsech, 0.3, 0.2));
  EXPECT_NEAR(std::abs(1.0 / std::cosh(h) - cd(0.3, 0.2)), 0.0, 1e-5);
}

TEST(DerivedFunctions, InversesUndoTheirFunctionEverywhere) {
  // Whatever branch the logarithm picks, f(finv(z)) = z.
  using cd = std::complex<double>;
  for (const cd z : {cd(-0.7, -1.2), cd(-2, 0.5), cd(1.5, -0.3), cd(0.2, 3)}) {
    EXPECT_NEAR(std::abs(std::sin(C(F(FunctionId::kAsin, z.real(), z.imag()))) - z), 0, 1e-5) << z;
    EXPECT_NEAR(std::abs(std::cos(C(F(FunctionId::kAcos, z.real(), z.imag()))) - z), 0, 1e-5) << z;
    EXPECT_NEAR(std::abs(std::tan(C(F(FunctionId::kAtan, z.real(), z.imag()))) - z), 0, 1e-5) << z;
    EXPECT_NEAR(std::abs(std::sinh(C(F(FunctionId::kAsinh, z.real(), z.imag()))) - z), 0, 1e-5) << z;
    EXPECT_NEAR(std::abs(std::cosh(C(F(FunctionId::kAcosh, z.real(), z.imag()))) - z), 0, 1e-5) << z;
    EXPECT_NEAR(std::abs(std::tanh(C(F(FunctionId::kAtanh, z.real(), z.imag()))) - z), 0, 1e-5) << z;
  }
}

TEST(DerivedFunctions, PolesRaiseDivisionByZero) {
  struct Pole {
    FunctionId id;
    double a, b;
  };
  for (const Pole& p : std::vector<Pole>{{FunctionId::kAtan, 0, 1},
                                         {FunctionId::kAtan, 0, -1},
                                         {FunctionId::kActan, 0, 1},
                                         {FunctionId::kActan, 0, -1},
                                         {FunctionId::kAtanh, 1, 0},
                                         {FunctionId::kAtanh, -1, 0},
                                         {FunctionId::kActanh, 1, 0},
                                         {FunctionId::kActanh, -1, 0},
                                         {FunctionId::kAsec, 0, 0},
                                         {FunctionId::kAcsec, 0, 0},
                                         {FunctionId::kAsech, 0, 0},
                                         {FunctionId::kAcsech, 0, 0},
                                         {FunctionId::kCsec, 0, 0},
                                         {FunctionId::kCsech, 0, 0},
                                         {FunctionId::kCtanh, 0, 0}}) {
    EXPECT_EQ(ErrorOf([&] { F(p.id, p.a, p.b); }), err::kDivisionByZero)
        << FunctionTable()[static_cast<int>(p.id)].name << " at " << p.a << "+" << p.b << "i";
  }
  EXPECT_EQ(ErrorOf([] { F(FunctionId::kSinh, 200, 0); }), err::kOverflow);
  // The logarithm itself has no pole.
  EXPECT_EQ(F(FunctionId::kLog, 0, 0).re, 0.0);
}

TEST(DerivedFunctions, RndIsReproducibleAndSpread) {
  std::set<double> seen;
  for (int i = 0; i < 1000; ++i) {
    const Complex r = F(FunctionId::kRnd, i * 0.01, -i * 0.02);
    EXPECT_GE(r.re, 0.0);
    EXPECT_LT(r.re, 1.0);
    EXPECT_EQ(r.im, 0.0);
    EXPECT_EQ(r.re, F(FunctionId::kRnd, i * 0.01, -i * 0.02).re);
    seen.insert(r.re);
  }
  EXPECT_GT(seen.size(), 990u);
  double sum = 0;
  for (double v : seen) sum += v;
  EXPECT_NEAR(sum / seen.size(), 0.5, 0.05);
  EXPECT_EQ(F(FunctionId::kRnd, 0.0, 0.0).re, F(FunctionId::kRnd, -0.0, -0.0).re);
  EXPECT_NE(F(FunctionId::kRnd, 1.0, 2.0).re, F(FunctionId::kRnd, 2.0, 1.0).re);
}

}  // namespace
}  // namespace quillon
