// Lines of constant modulus and phase on sampled grids: their total length against the
// circles and rays they must be, no extra line where the argument jumps, none through holes.

#include "render/complex_contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

#include "graph/codes.h"
#include "graph/sample_value.h"

namespace quillon {
namespace {

using C = std::complex<double>;
constexpr double kHalfSide = 1.5;
constexpr int32_t kSteps = 240;

double Coordinate(float i) {
  return -kHalfSide + 2.0 * kHalfSide * i / kSteps;
}

// A graph whose tables hold f over the square |x|, |y| <= kHalfSide; `hole` marks points
// without a value.
Cls9 Tabulate(const std::function<C(C)>& f, const std::function<bool(C)>& hole, ContourLines lines) {
  Cls9 g;
  g.GraphType = gtp::kColorMap;
  g.StepU = g.StepV = kSteps;
  g.Extras.contours = lines;
  for (GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV}) t->Resize(kSteps, kSteps);
  for (int32_t k = 0; k <= kSteps; ++k) {
    for (int32_t j = 0; j <= kSteps; ++j) {
      const C z(Coordinate(k), Coordinate(j));
      const C w = f(z);
      g.QuantityX.at(k, j) = static_cast<float>(z.real());
      g.QuantityY.at(k, j) = static_cast<float>(z.imag());
      g.QuantityU.at(k, j) = hole(z) ? kNoValue : static_cast<float>(w.real());
      g.QuantityV.at(k, j) = hole(z) ? kNoValue : static_cast<float>(w.imag());
    }
  }
  return g;
}

// Total length of the segments whose middle lies at a distance from 0 in [low, high].
double LengthWithin(const std::vector<GridSegment>& segments, double low, double high) {
  double length = 0.0;
  for (const GridSegment& s : segments) {
    const C a(Coordinate(s.k1), Coordinate(s.j1)), b(Coordinate(s.k2), Coordinate(s.j2));
    const double r = std::abs((a + b) / 2.0);
    if (r >= low && r <= high) length += std::abs(b - a);
  }
  return length;
}

TEST(ComplexContours, LinesAreTheCirclesAndRaysOfTheFunction) {
  const double pi = std::numbers::pi;
  const C turn = std::polar(1.0, 0.1);  // moves the argument's jump off the grid lines
  struct Case {
    const char* name;
    std::function<C(C)> f;
    ContourLines lines;
    double modulusLength;  // for midpoints 0.2 <= |z| <= 1.4
    double phaseLength;
  };
  const Case cases[] = {
      // |w| = 1, 1/2, 1/4: three circles; arg w = m pi/6: twelve rays from 0.2 to 1.4.
      {"z", [&](C z) { return z * turn; }, ContourLines::kBoth, 2 * pi * 1.75, 12 * 1.2},
      {"z, modulus only", [&](C z) { return z * turn; }, ContourLines::kModulus, 2 * pi * 1.75, 0.0},
      // 1/z: the same circles; its argument runs the other way, the rays are the same count.
      {"1/z", [&](C z) { return turn / z; }, ContourLines::kPhase, 0.0, 12 * 1.2},
      // z^2: |w| = 2^k at |z| = 2^(k/2), five circles in range; each phase ray is doubled up.
      {"z^2", [&](C z) { return z * z * turn; }, ContourLines::kBoth,
       2 * pi * (1.0 + std::sqrt(0.5) + 0.5 + std::sqrt(0.125) + 0.25), 24 * 1.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cls9 g = Tabulate(
        c.f, [](C) { return false; }, c.lines);
    const ComplexContourLines lines = TraceComplexContours(g);
    EXPECT_NEAR(LengthWithin(lines.modulus, 0.2, 1.4), c.modulusLength, 0.02 * c.modulusLength + 1e-9);
    EXPECT_NEAR(LengthWithin(lines.phase, 0.2, 1.4), c.phaseLength, 0.02 * c.phaseLength + 1e-9);
  }
}

TEST(ComplexContours, NoLineEntersACellWithAHole) {
  const C centre(0.4, 0.3);
  auto hole = [&](C z) { return std::abs(z - centre) < 0.35; };
  for (ContourLines which : {ContourLines::kModulus, ContourLines::kPhase}) {
    const Cls9 g = Tabulate([](C z) { return z * z - 0.5; }, hole, which);
    const ComplexContourLines lines = TraceComplexContours(g);
    const auto& segments = which == ContourLines::kModulus ? lines.modulus : lines.phase;
    ASSERT_GT(segments.size(), 500u);
    int touching = 0;
    for (const GridSegment& s : segments) {
      const float mk = (s.k1 + s.k2) / 2, mj = (s.j1 + s.j2) / 2;
      const int32_t k = static_cast<int32_t>(std::floor(mk)), j = static_cast<int32_t>(std::floor(mj));
      bool holeCorner = false;
      for (int32_t dk : {0, 1})
        for (int32_t dj : {0, 1}) holeCorner = holeCorner || !HasValue(g.QuantityU.at(k + dk, j + dj));
      touching += holeCorner;
    }
    EXPECT_EQ(touching, 0);
  }
}

}  // namespace
}  // namespace quillon
