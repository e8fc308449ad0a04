#include "graph/zeros_poles_refine.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace quillon::roots_detail {

namespace {

constexpr int kMaxIterations = 100;
constexpr int kMaxHalvings = 16;
// The iteration may wander this share of the rectangle's size beyond it: a point on its edge
// is approached from both sides.
constexpr double kMargin = 0.05;

// g = f near a zero, 1/f near a pole. Where f has no value while a pole is sought, the pole
// itself has been met (a division by zero there): g = 0.
class Target {
 public:
  Target(const PointValues& f, bool pole) : f_(f), pole_(pole) {}

  std::optional<Complex> At(const Complex& z) const {
    const std::optional<Complex> w = f_.At(z.real(), z.imag());
    if (!pole_) return w;
    if (!w) return Complex(0.0, 0.0);
    return 1.0 / *w;
  }

  // The four-point derivative at z with step h; a step that meets a point without a value is
  // halved (a singularity of g close by).
  std::optional<Complex> Derivative(const Complex& z, double h) const {
    static const Complex kTurns[4] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
    for (int attempt = 0; attempt < 8; ++attempt, h *= 0.5) {
      Complex sum(0.0, 0.0);
      bool complete = true;
      for (int k = 0; k < 4 && complete; ++k) {
        const std::optional<Complex> g = At(z + kTurns[k] * h);
        if (!g) {
          complete = false;
        } else {
          sum += std::conj(kTurns[k]) * *g;  // i^-k
        }
      }
      if (complete) return sum / (4.0 * h);
    }
    return std::nullopt;
  }

 private:
  const PointValues& f_;
  bool pole_;
};

}  // namespace

std::optional<Place> RefinePoint(const PointValues& f, const Rect& r, int32_t winding,
                                 const MagnitudeRange& boundary) {
  if (winding == 0) return std::nullopt;
  const bool pole = winding < 0;
  const double order = std::abs(winding);
  const double size = std::max(r.Width(), r.Height());
  const double h = size / 20.0;
  const double margin = kMargin * size;
  const auto inside = [&](const Complex& z) {
    return z.real() >= r.x0 - margin && z.real() <= r.x1 + margin && z.imag() >= r.y0 - margin &&
           z.imag() <= r.y1 + margin;
  };
  const Target target(f, pole);

  Complex z(0.5 * (r.x0 + r.x1), 0.5 * (r.y0 + r.y1));
  std::optional<Complex> g = target.At(z);
  if (!g) return std::nullopt;
  bool settled = false;
  double lastStep = size;
  for (int iteration = 0; iteration < kMaxIterations && !settled; ++iteration) {
    if (*g == 0.0) {
      settled = true;
      break;
    }
    const std::optional<Complex> d = target.Derivative(z, h);
    if (!d || *d == 0.0) break;
    const Complex step = -order * *g / *d;
    if (!std::isfinite(step.real()) || !std::isfinite(step.imag())) break;
    // Halve the step until |g| falls.
    double taken = -1.0;
    double t = 1.0;
    for (int k = 0; k < kMaxHalvings && taken < 0.0; ++k) {
      const Complex next = z + t * step;
      const std::optional<Complex> gn = inside(next) ? target.At(next) : std::nullopt;
      if (gn && std::abs(*gn) < std::abs(*g)) {
        z = next;
        g = gn;
        taken = t * std::abs(step);
      }
      t *= 0.5;
    }
    lastStep = std::abs(step);
    // No step lowers |g| once the points differ only by rounding: the iteration has arrived
    // when the step it asked for was already that small.
    if (taken < 0.0) {
      settled = lastStep < std::max(1e-4 * size, 64.0 * FLT_EPSILON * std::abs(z));
      break;
    }
    if (taken <= 1e-14 * size) settled = true;
  }
  // An iteration that ran out of steps while moving by rounding only has arrived too.
  if (!settled && lastStep > std::max(1e-6 * size, 64.0 * FLT_EPSILON * std::abs(z))) return std::nullopt;

  // The point must be what the winding says it is.
  const std::optional<Complex> w = f.At(z.real(), z.imag());
  if (pole) {
    if (w && !(std::abs(*w) > boundary.high)) return std::nullopt;
  } else {
    if (!w || !(std::abs(*w) < boundary.low)) return std::nullopt;
  }
  // The place as the program saw it: the iteration's last digits lie below single precision.
  // (Stored as volatile singles: GCC 12 at -O2 was seen to drop the rounding here otherwise.)
  volatile float x = static_cast<float>(z.real());
  volatile float y = static_cast<float>(z.imag());
  return Place{x, y};
}

}  // namespace quillon::roots_detail
