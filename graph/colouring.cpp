#include "graph/colouring.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "graph/graph.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

// viridis at t = 0, 0.1, ..., 1; linear in between.
constexpr std::array<Rgb, 11> kViridis{{
    {0.267004f, 0.004874f, 0.329415f},
    {0.282623f, 0.140926f, 0.457517f},
    {0.253935f, 0.265254f, 0.529983f},
    {0.206756f, 0.371758f, 0.553117f},
    {0.163625f, 0.471133f, 0.558148f},
    {0.127568f, 0.566949f, 0.550556f},
    {0.134692f, 0.658636f, 0.517649f},
    {0.266941f, 0.748751f, 0.440573f},
    {0.477504f, 0.821444f, 0.318195f},
    {0.741388f, 0.873449f, 0.149561f},
    {0.993248f, 0.906157f, 0.143936f},
}};

// How dark the enhanced portrait gets at the start of a band (1 - this at its end).
constexpr double kModulusShade = 0.3;
constexpr double kSectorShade = 0.2;

double Fraction(double x) {
  return x - std::floor(x);
}

}  // namespace

double PhaseTurns(double u, double v) {
  const double turns = std::atan2(v, u) / (2.0 * std::numbers::pi);
  // atan2 gives (-1/2, 1/2]; -0.0 and tiny negatives must not wrap to exactly 1.
  const double wrapped = turns < 0.0 ? turns + 1.0 : turns;
  return wrapped >= 1.0 ? 0.0 : wrapped;
}

Rgb HueColour(double turns) {
  const double h = Fraction(turns) * 6.0;
  const int sextant = std::min(static_cast<int>(h), 5);
  const float f = static_cast<float>(h - sextant);
  switch (sextant) {
    case 0:
      return {1.0f, f, 0.0f};
    case 1:
      return {1.0f - f, 1.0f, 0.0f};
    case 2:
      return {0.0f, 1.0f, f};
    case 3:
      return {0.0f, 1.0f - f, 1.0f};
    case 4:
      return {f, 0.0f, 1.0f};
    default:
      return {1.0f, 0.0f, 1.0f - f};
  }
}

Rgb Viridis(double t) {
  const double x = std::clamp(std::isnan(t) ? 0.0 : t, 0.0, 1.0) * (kViridis.size() - 1);
  const size_t i = std::min(static_cast<size_t>(x), kViridis.size() - 2);
  const float f = static_cast<float>(x - static_cast<double>(i));
  const Rgb& a = kViridis[i];
  const Rgb& b = kViridis[i + 1];
  return {a.r + f * (b.r - a.r), a.g + f * (b.g - a.g), a.b + f * (b.b - a.b)};
}

Rgb EnhancedPhaseColour(double u, double v) {
  const double turns = PhaseTurns(u, v);
  const Rgb hue = HueColour(turns);
  const double modulus = std::hypot(u, v);
  // At a zero or an infinite modulus there is no band to shade: the plain hue.
  const double band = modulus > 0.0 && std::isfinite(modulus) ? Fraction(std::log2(modulus)) : 1.0;
  const double sector = Fraction(turns * kPhaseSectors);
  const float value =
      static_cast<float>((1.0 - kModulusShade * (1.0 - band)) * (1.0 - kSectorShade * (1.0 - sector)));
  return {hue.r * value, hue.g * value, hue.b * value};
}

ModulusRange ModulusRangeOf(const float* magnitude, size_t count) {
  std::vector<float> logs;
  logs.reserve(count);
  for (size_t n = 0; n < count; ++n) {
    const float m = magnitude[n];
    if (HasValue(m) && m > 0.0f) logs.push_back(std::log10(m));
  }
  ModulusRange range;
  if (logs.empty()) return range;
  const size_t lowAt = logs.size() / 50;
  const size_t highAt = logs.size() - 1 - logs.size() / 50;
  std::nth_element(logs.begin(), logs.begin() + static_cast<std::ptrdiff_t>(lowAt), logs.end());
  const double low = logs[lowAt];
  std::nth_element(logs.begin(), logs.begin() + static_cast<std::ptrdiff_t>(highAt), logs.end());
  const double high = logs[highAt];
  range.lowLog10 = std::floor(low * 2.0) / 2.0;
  range.highLog10 = std::ceil(high * 2.0) / 2.0;
  if (range.highLog10 - range.lowLog10 < 1.0) {
    range.lowLog10 = std::floor((low + high) - 1.0) / 2.0;  // (mean - 1/2), down to a half decade
    range.highLog10 = range.lowLog10 + 1.0;
  }
  return range;
}

ModulusRange ModulusRangeOf(const Cls9& graph) {
  return ModulusRangeOf(graph.QuantityMagnitude.data(), graph.QuantityMagnitude.size());
}

Rgb ComplexColouring::operator()(double u, double v) const {
  if (!HasValue(u) || !HasValue(v)) return kHoleGrey;
  switch (mode_) {
    case Colouring::kPhase:
      return HueColour(PhaseTurns(u, v));
    case Colouring::kEnhancedPhase:
      return EnhancedPhaseColour(u, v);
    case Colouring::kModulus: {
      const double modulus = std::hypot(u, v);
      if (!HasValue(modulus)) return kHoleGrey;
      const double span = range_.highLog10 - range_.lowLog10;
      return Viridis(modulus > 0.0 ? (std::log10(modulus) - range_.lowLog10) / span : 0.0);
    }
    case Colouring::kChannels:
      break;
  }
  return kHoleGrey;
}

bool ColourSamples(const Cls9& graph, std::vector<float>& rgb) {
  if (graph.Extras.colouring == Colouring::kChannels) return false;
  const size_t count = static_cast<size_t>(graph.StepU + 1) * static_cast<size_t>(graph.StepV + 1);
  if (graph.QuantityU.size() != count || graph.QuantityV.size() != count) return false;
  const ComplexColouring colour(graph.Extras.colouring, graph.Extras.colouring == Colouring::kModulus
                                                            ? ModulusRangeOf(graph)
                                                            : ModulusRange{});
  const float* u = graph.QuantityU.data();
  const float* v = graph.QuantityV.data();
  rgb.resize(3 * count);
  for (size_t n = 0; n < count; ++n) {
    const Rgb c = colour(u[n], v[n]);
    rgb[3 * n] = c.r;
    rgb[3 * n + 1] = c.g;
    rgb[3 * n + 2] = c.b;
  }
  return true;
}

}  // namespace quillon
