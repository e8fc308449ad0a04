#pragma once
// A graph's settings beyond its document record: how sampling treats points without a value,
// how the height axis is clipped, which axes show log |w|, how the graph is coloured and
// which contour lines it carries. They travel in the document's extension block; the start
// values are what a document without a block means, so such a document draws as it always did.

#include <array>
#include <cstdint>

namespace quillon {

// How the scene axis that carries u, v or |w| is clipped.
enum class ClipMode : uint8_t {
  kOff,        // every finite value is drawn
  kAutomatic,  // a robust range taken from the finite values
  kRange,      // from clipMin to clipMax
};

// How a graph's vertices (surfaces) or pixels (colour maps) get their colour.
enum class Colouring : uint8_t {
  kChannels,       // red, green and blue from the quantities ColorR, ColorG, ColorB
  kPhase,          // hue from arg w
  kEnhancedPhase,  // the phase hue darkened by log2 |w| bands and phase sectors
  kModulus,        // a sequential map of log |w|
};

// Which lines of constant modulus or phase a graph carries.
enum class ContourLines : uint8_t { kNone, kModulus, kPhase, kBoth };

struct GraphExtras {
  // Stop sampling with the run-time error's message at the first point without a value,
  // instead of leaving a hole there.
  bool stopAtFirstError = false;

  ClipMode clip = ClipMode::kOff;
  float clipMin = 0.0f;  // the range of ClipMode::kRange, in true values
  float clipMax = 0.0f;

  // Scene X, Y and Z: an axis whose quantity is the magnitude (code 5) shows log10 |w| there
  // when its flag is set. The document record keeps the magnitude code either way.
  std::array<bool, 3> logMagnitude{};

  Colouring colouring = Colouring::kChannels;
  ContourLines contours = ContourLines::kNone;

  bool operator==(const GraphExtras&) const = default;

  // What a graph made by the 3D graph dialog, or by the colour map dialog, starts with.
  static GraphExtras NewSurface() {
    GraphExtras e;
    e.clip = ClipMode::kAutomatic;
    e.colouring = Colouring::kPhase;
    return e;
  }
  static GraphExtras NewColorMap() {
    GraphExtras e;
    e.clip = ClipMode::kAutomatic;
    e.colouring = Colouring::kEnhancedPhase;
    return e;
  }
};

}  // namespace quillon
