#pragma once
// Colour of a complex value w = u + vi under a graph's colouring: the hue of the phase
// portrait, its enhanced form with modulus bands and phase sectors, and a sequential map of
// log |w|. Used for surface vertices, colour map samples and the legend, so every picture of
// a graph agrees. No OpenGL and no Qt.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/graph_extras.h"

namespace quillon {

class Cls9;

struct Rgb {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  bool operator==(const Rgb&) const = default;
};

// Where a colour map has no value.
inline constexpr Rgb kHoleGrey{0.5f, 0.5f, 0.5f};

// Sectors of the enhanced phase portrait, and the turn one sector spans.
inline constexpr int kPhaseSectors = 12;

// arg w as a fraction of a full turn in [0, 1): 0 on the positive real axis, increasing
// counter-clockwise. Taken from the values themselves, so it does not depend on the branch
// any logarithm inside the function chose.
double PhaseTurns(double u, double v);

// The fully saturated, full-value colour of a hue given in turns: 0 red, 1/3 green, 2/3 blue.
Rgb HueColour(double turns);

// The viridis colour at t in [0, 1] (clamped).
Rgb Viridis(double t);

// The log10 |w| range that Modulus spreads over viridis.
struct ModulusRange {
  double lowLog10 = -1.0;
  double highLog10 = 1.0;
  bool operator==(const ModulusRange&) const = default;
};

// The range for a set of magnitudes: from about the 2nd to the 98th percentile of log10 |w|
// over the finite, non-zero ones, widened outward to half decades (so the legend reads round
// values) and to at least one decade. Holes and zeros are left out.
ModulusRange ModulusRangeOf(const float* magnitude, size_t count);
// The range of a graph's sampled magnitudes.
ModulusRange ModulusRangeOf(const Cls9& graph);

// One colouring with what it needs besides w. Channels is not a function of w alone; asking
// it for a colour gives the hole grey.
class ComplexColouring {
 public:
  explicit ComplexColouring(Colouring mode, ModulusRange range = {}) : mode_(mode), range_(range) {}

  // The colour of u + vi; the hole grey when u or v is not finite.
  Rgb operator()(double u, double v) const;

  Colouring Mode() const { return mode_; }
  const ModulusRange& Range() const { return range_; }

 private:
  Colouring mode_;
  ModulusRange range_;
};

// The enhanced phase colour: the hue of arg w darkened by a ramp that restarts at every
// |w| = 2^k and at every twelfth of a turn.
Rgb EnhancedPhaseColour(double u, double v);

// r, g, b per grid point (k-major like the graph's tables) of a graph with a colouring other
// than Channels, from its u and v tables; grid points without a value get the hole grey.
// False (rgb untouched) for Channels or when the tables do not cover the grid.
bool ColourSamples(const Cls9& graph, std::vector<float>& rgb);

}  // namespace quillon
