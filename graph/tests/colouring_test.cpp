// Colourings from w against values worked out independently: the hue read back from the
// colour against std::arg of f computed in double, the anchors of the hue circle, the steps of
// the enhanced portrait, the modulus range, and holes.

#include "graph/colouring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <numbers>

#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

using C = std::complex<double>;

// The hue of an RGB colour in turns, by the textbook formula (not the one that made it).
double HueOf(const Rgb& c) {
  const double mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
  const double d = mx - mn;
  if (d <= 0.0) return -1.0;
  double h = 0.0;
  if (mx == c.r)
    h = std::fmod((c.g - c.b) / d, 6.0);
  else if (mx == c.g)
    h = (c.b - c.r) / d + 2.0;
  else
    h = (c.r - c.g) / d + 4.0;
  h /= 6.0;
  return h < 0.0 ? h + 1.0 : h;
}

double TurnDistance(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, 1.0 - d);
}

TEST(Colouring, PhaseHueOfSampledValuesFollowsTheTrueArgument) {
  struct Case {
    const char* text;
    std::function<C(C)> f;
  };
  const Case cases[] = {
      {"z", [](C z) { return z; }},
      {"z^3-1", [](C z) { return z * z * z - 1.0; }},
      {"1/z", [](C z) { return 1.0 / z; }},
      {"exp(1/z)", [](C z) { return std::exp(1.0 / z); }},
      {"sin(z)", [](C z) { return std::sin(z); }},
      // The program's logarithm takes arg z in [0, 2 pi) outside the third quadrant; the
      // hue follows the value it gives.
      {"log(z)*i",
       [](C z) {
         double a = std::arg(z);
         if (a < 0 && z.real() >= 0) a += 2 * std::numbers::pi;
         return C(std::log(std::abs(z)), a) * C(0, 1);
       }},
  };
  State() = ProgramState{};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Cls9 g;
    g.GraphType = gtp::kColorMap;
    g.CoordType = ctp::kCartesian;
    g.FunForm = fun::kExplicit;
    g.ExpressZ = c.text;
    g.VarX = quantity::kX;
    g.VarY = quantity::kMagnitude;
    g.VarZ = quantity::kY;
    g.MinU = g.MinV = -1.9f;
    g.MaxU = g.MaxV = 2.1f;
    g.StepU = g.StepV = 40;
    g.Extras.colouring = Colouring::kPhase;
    ASSERT_TRUE(g.GetPoints({}));
    std::vector<float> rgb;
    ASSERT_TRUE(ColourSamples(g, rgb));
    int checked = 0;
    for (int32_t k = 0; k <= g.StepU; ++k) {
      for (int32_t j = 0; j <= g.StepV; ++j) {
        const double x = g.QuantityX.at(k, j), y = g.QuantityY.at(k, j);
        if (y == 0.0 && x < 0.0) continue;  // on the logarithm's cut either side is right
        const C w = c.f(C(x, y));
        const size_t n = static_cast<size_t>(k) * (g.StepV + 1) + j;
        const Rgb colour{rgb[3 * n], rgb[3 * n + 1], rgb[3 * n + 2]};
        if (std::abs(w) < 1e-3 || !std::isfinite(std::abs(w))) continue;  // the argument is not defined
        double turns = std::arg(w) / (2 * std::numbers::pi);
        if (turns < 0) turns += 1.0;
        EXPECT_LT(TurnDistance(HueOf(colour), turns), 2e-3) << "at k=" << k << " j=" << j;
        ++checked;
      }
    }
    EXPECT_GT(checked, 1600);
  }
}

TEST(Colouring, HueAnchorsAndTheEnhancedSteps) {
  struct Case {
    double argument;
    Rgb expected;
  };
  const double pi = std::numbers::pi;
  const Case anchors[] = {{0.0, {1, 0, 0}},         {2 * pi / 3, {0, 1, 0}}, {4 * pi / 3, {0, 0, 1}},
                          {-2 * pi / 3, {0, 0, 1}}, {pi / 3, {1, 1, 0}},     {pi, {0, 1, 1}}};
  const ComplexColouring phase(Colouring::kPhase);
  for (const Case& c : anchors) {
    const Rgb got = phase(3.0 * std::cos(c.argument), 3.0 * std::sin(c.argument));
    EXPECT_NEAR(got.r, c.expected.r, 1e-6) << c.argument;
    EXPECT_NEAR(got.g, c.expected.g, 1e-6) << c.argument;
    EXPECT_NEAR(got.b, c.expected.b, 1e-6) << c.argument;
  }
  // Enhanced: the same hue, and the shade restarts at |w| = 2^k and at every twelfth turn.
  const double a = 0.3;  // inside a sector
  auto value = [&](double modulus, double argument) {
    const Rgb c = EnhancedPhaseColour(modulus * std::cos(argument), modulus * std::sin(argument));
    EXPECT_NEAR(HueOf(c), HueOf(HueColour(argument / (2 * pi))), 1e-5);
    return std::max({c.r, c.g, c.b});
  };
  for (double k : {-3.0, 0.0, 1.0, 5.0}) {
    const double below = value(std::exp2(k) * 0.999, a), above = value(std::exp2(k) * 1.001, a);
    EXPECT_GT(below - above, 0.2) << k;  // bright at the end of a band, dark at the start of the next
  }
  const double sector = 2 * pi / kPhaseSectors;
  EXPECT_GT(value(1.5, 4 * sector - 1e-4) - value(1.5, 4 * sector + 1e-4), 0.15);
  EXPECT_NEAR(value(1.5, 4.5 * sector), value(1.5, 7.5 * sector), 1e-5);  // one shade per sector position
}

TEST(Colouring, ModulusRangeAndHoles) {
  struct Case {
    std::vector<float> magnitudes;
    ModulusRange expected;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> spread;
  for (int i = 0; i <= 1000; ++i) spread.push_back(std::pow(10.0f, -2.0f + 4.0f * i / 1000.0f));
  spread.push_back(1e30f);  // an outlier past the 98th percentile
  const Case cases[] = {
      {spread, {-2.0, 2.0}},
      {{1.0f, 2.0f, 0.0f, nan}, {-0.5, 0.5}},  // zeros and holes left out; at least a decade
      {{}, {-1.0, 1.0}},
  };
  for (const Case& c : cases) {
    const ModulusRange r = ModulusRangeOf(c.magnitudes.data(), c.magnitudes.size());
    EXPECT_NEAR(r.lowLog10, c.expected.lowLog10, 1e-9);
    EXPECT_NEAR(r.highLog10, c.expected.highLog10, 1e-9);
  }
  const ComplexColouring modulus(Colouring::kModulus, {-2.0, 2.0});
  EXPECT_EQ(modulus(0.01, 0.0), Viridis(0.0));
  EXPECT_EQ(modulus(0.0, 100.0), Viridis(1.0));
  EXPECT_EQ(modulus(0.0, 1e9), Viridis(1.0));
  EXPECT_EQ(modulus(0.0, 0.0), Viridis(0.0));
  for (Colouring mode : {Colouring::kPhase, Colouring::kEnhancedPhase, Colouring::kModulus})
    EXPECT_EQ(ComplexColouring(mode)(kNoValue, 1.0), kHoleGrey);
}

}  // namespace
}  // namespace quillon
