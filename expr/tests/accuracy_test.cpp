// The elementary functions against long double values from the C library's complex functions
// (with the arithmetic's branch of log): on random grids of ordinary, tiny and large arguments
// at least 99.9% of the values must lie within 2^-22 of the reference, relative to its
// modulus; and the places where the exponential forms used to cancel come out right.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "expr/complex_math.h"
#include "expr/expression.h"
#include "expr/function_table.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

using Ref = std::complex<long double>;
constexpr long double kPiL = 3.141592653589793238462643383279502884L;
constexpr double kTolerance = 0x1p-22;

// The arithmetic's logarithm: the argument in [0, 2π), but in (-π, -π/2) in the third quadrant.
Ref BranchLog(Ref z) {
  if (z.imag() == 0) return {std::log(std::fabs(z.real())), z.real() >= 0 ? 0 : kPiL};
  const Ref l = std::log(z);
  return z.imag() < 0 && z.real() >= 0 ? l + Ref(0, 2 * kPiL) : l;
}
Ref BranchSqrt(Ref z) {
  return std::exp(0.5L * BranchLog(z));
}
Ref Power(Ref z, Ref w) {
  return std::exp(w * BranchLog(z));
}

// Ordinary points, tiny ones (moduli 1e-30 .. 1e-3 in every direction), and points with the
// imaginary or the real part large (up to 80 in magnitude).
std::vector<std::complex<float>> Grid() {
  std::mt19937 rng(4242);
  std::uniform_real_distribution<double> ordinary(-4.0, 4.0);
  std::uniform_real_distribution<double> exponent(-30.0, -3.0);
  std::uniform_real_distribution<double> angle(0.0, 2 * std::acos(-1.0));
  std::uniform_real_distribution<double> large(4.0, 80.0);
  std::vector<std::complex<float>> points;
  for (int i = 0; i < 8000; ++i) {
    const double r = std::pow(10.0, exponent(rng));
    const double t = angle(rng);
    const double sign = i % 2 ? 1.0 : -1.0;
    points.emplace_back(static_cast<float>(ordinary(rng)), static_cast<float>(ordinary(rng)));
    points.emplace_back(static_cast<float>(r * std::cos(t)), static_cast<float>(r * std::sin(t)));
    points.emplace_back(static_cast<float>(ordinary(rng)), static_cast<float>(sign * large(rng)));
    points.emplace_back(static_cast<float>(sign * large(rng)), static_cast<float>(ordinary(rng)));
  }
  return points;
}

struct Case {
  const char* name;
  std::function<Complex(double, double)> ours;
  std::function<Ref(Ref)> reference;
};

std::function<Complex(double, double)> Function(FunctionId f) {
  return [f](double a, double b) { return ApplyFunction(f, a, b); };
}
std::function<Complex(double, double)> PowerTo(double c, double d) {
  return [c, d](double a, double b) { return CPow(a, b, c, d); };
}
// z^n as a compiled program computes it by default, multiplied out.
std::function<Complex(double, double)> MultipliedOut(int n) {
  const auto program =
      std::make_shared<CompiledProgram>(CompiledProgram::FromPostfix("ZZ " + std::to_string(n) + " ^ "));
  return [program](double a, double b) {
    float u = 0, v = 0;
    program->Evaluate(static_cast<float>(a), static_cast<float>(b), u, v);
    return Complex{u, v};
  };
}

TEST(Accuracy, ElementaryFunctionsWithin2ToTheMinus22AlmostEverywhere) {
  const std::vector<Case> cases = {
      {"sin", Function(FunctionId::kSin), [](Ref z) { return std::sin(z); }},
      {"cos", Function(FunctionId::kCos), [](Ref z) { return std::cos(z); }},
      {"tan", Function(FunctionId::kTan), [](Ref z) { return std::tan(z); }},
      {"ctan", Function(FunctionId::kCtan), [](Ref z) { return std::cos(z) / std::sin(z); }},
      {"sec", Function(FunctionId::kSec), [](Ref z) { return 1.0L / std::cos(z); }},
      {"csec", Function(FunctionId::kCsec), [](Ref z) { return 1.0L / std::sin(z); }},
      {"sinh", Function(FunctionId::kSinh), [](Ref z) { return std::sinh(z); }},
      {"cosh", Function(FunctionId::kCosh), [](Ref z) { return std::cosh(z); }},
      {"tanh", Function(FunctionId::kTanh), [](Ref z) { return std::tanh(z); }},
      {"ctanh", Function(FunctionId::kCtanh), [](Ref z) { return std::cosh(z) / std::sinh(z); }},
      {"sech", Function(FunctionId::kSech), [](Ref z) { return 1.0L / std::cosh(z); }},
      {"csech", Function(FunctionId::kCsech), [](Ref z) { return 1.0L / std::sinh(z); }},
      {"exp", Function(FunctionId::kExp), [](Ref z) { return std::exp(z); }},
      {"log", Function(FunctionId::kLog), BranchLog},
      {"sqr", Function(FunctionId::kSqr), BranchSqrt},
      {"z^3", PowerTo(3, 0), [](Ref z) { return Power(z, 3); }},
      {"z^2.5", PowerTo(2.5, 0), [](Ref z) { return Power(z, 2.5L); }},
      {"z^(1/3)", PowerTo(1.0 / 3, 0), [](Ref z) { return Power(z, 1.0L / 3); }},
      {"z^-1.5", PowerTo(-1.5, 0), [](Ref z) { return Power(z, -1.5L); }},
      {"z^(0.5+2i)", PowerTo(0.5, 2), [](Ref z) { return Power(z, Ref(0.5L, 2)); }},
      {"z^3 (x)", MultipliedOut(3), [](Ref z) { return z * z * z; }},
      {"z^7 (x)", MultipliedOut(7), [](Ref z) { return std::pow(z, 7); }},
      {"z^31 (x)", MultipliedOut(31), [](Ref z) { return std::pow(z, 31); }},
  };
  const std::vector<std::complex<float>> grid = Grid();
  for (const Case& c : cases) {
    int considered = 0, within = 0;
    double worst = 0.0;
    for (const std::complex<float> z : grid) {
      const Ref expected = c.reference(Ref(z.real(), z.imag()));
      const long double size = std::abs(expected);
      // Values beyond the single range must overflow; those below its normal range cannot keep
      // 24 bits.
      if (!(size >= FLT_MIN && size <= 0.5L * FLT_MAX)) {
        if (size > 2.0L * FLT_MAX) {
          EXPECT_THROW(c.ours(z.real(), z.imag()), RuntimeError) << c.name << " at " << z;
        }
        continue;
      }
      ++considered;
      try {
        const Complex w = c.ours(z.real(), z.imag());
        const double error = static_cast<double>(
            std::abs(Ref(static_cast<float>(w.re), static_cast<float>(w.im)) - expected) / size);
        if (error <= kTolerance) ++within;
        if (!(error <= worst)) worst = error;
      } catch (const RuntimeError& e) {
        ADD_FAILURE() << c.name << " raised " << e.Description() << " at " << z;
      }
    }
    const double share = static_cast<double>(within) / considered;
    std::printf("%-11s %6.2f%% of %d values within 2^-22, worst %.3g (2^%.1f)\n", c.name, 100.0 * share,
                considered, worst, std::log2(worst));
    EXPECT_GE(share, 0.999) << c.name << ", worst relative error " << worst;
    EXPECT_GT(considered, static_cast<int>(grid.size()) / 4) << c.name;
  }
}

// Values and errors at the places the exponential forms got wrong, through the evaluator.
TEST(Accuracy, WhereTheExponentialFormsCancelledOrOverflowed) {
  RecordingSink sink;
  ScopedMessageSink guard(&sink);
  struct Point {
    const char* text;
    float x, y;
    double re, im;  // the expected value, or
    int error;      // the expected error
  };
  const float tiny = 2.98e-8f;
  const std::vector<Point> points = {
      {"sin(z)/z", tiny, tiny, 1, 0, 0},
      {"sinh(z)/z", tiny, -tiny, 1, 0, 0},
      {"(cos(z)-1)/z^2", 1e-3f, 1e-3f, -0.5, 0, 0},  // -1/2 + z²/24
      {"tan(z)/z", 1e-20f, 3e-20f, 1, 0, 0},
      {"ctan(z)*z", 0, 1e-10f, 1, 0, 0},
      {"ctanh(z)*z", 1e-10f, 0, 1, 0, 0},
      {"tan(z)", 0.5f, 80, 0, 1, 0},
      {"tan(z)", 0.5f, -1000, 0, -1, 0},
      {"tanh(z)", 1000, 0.5f, 1, 0, 0},
      {"ctan(z)", 2, 400, 0, -1, 0},
      {"sin(z)", 0, 100, 0, 0, err::kOverflow},
      {"cosh(z)", 100, 0, 0, 0, err::kOverflow},
      {"ctan(z)", 1e-40f, 0, 0, 0, err::kOverflow},
      {"ctan(z)", 0, 0, 0, 0, err::kDivisionByZero},
      {"ctanh(z)", 0, 0, 0, 0, err::kDivisionByZero},
      {"csec(z)", 0, 0, 0, 0, err::kDivisionByZero},
      {"csech(z)", 0, 0, 0, 0, err::kDivisionByZero},
  };
  for (const Point& p : points) {
    Cls6 expression;
    std::string postfix;
    ASSERT_EQ(expression.InfixToPostfix(AddMultiplySigns(p.text), postfix), 0) << p.text;
    float u = 0, v = 0;
    try {
      ASSERT_TRUE(expression.DoEvaluate(postfix, u, v, p.x, p.y)) << p.text;
      EXPECT_EQ(p.error, 0) << p.text << " gave " << u << " + " << v << "i";
      EXPECT_LE(std::abs(std::complex<double>(u - p.re, v - p.im)),
                1e-6 * std::abs(std::complex<double>(p.re, p.im)))
          << p.text << " at " << p.x << " + " << p.y << "i gave " << u << " + " << v << "i";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), p.error) << p.text << " at " << p.x << " + " << p.y << "i";
    }
  }
}

}  // namespace
}  // namespace quillon
