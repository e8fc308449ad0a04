#pragma once
// The refining half of the zero and pole search: Newton's method from the middle of a
// rectangle known to hold one zero or pole (of any order), on f for a zero and on 1/f for a
// pole, so that the point sought is always a zero of an analytic function.

#include <optional>

#include "graph/zeros_poles_winding.h"

namespace quillon::roots_detail {

struct Place {
  double x = 0.0, y = 0.0;
};

// The zero (winding > 0) or pole (winding < 0) of order |winding| inside r, whose boundary
// met |w| in `boundary`. The derivative is the four-point rule
//   f'(z) ~ sum_k i^-k f(z + i^k h) / (4h),
// exact for polynomials of degree four, so it stays accurate with h a twentieth of the
// rectangle (far above single-precision noise), and it never evaluates at z itself, where a
// pole has no value. Steps are z -= m g / g' for g = f or 1/f, the multiplier m = |winding|
// keeping the convergence quadratic at a multiple point, and are halved until |g| falls.
// nullopt when the iteration does not settle inside r, or settles at a point that is not what
// the winding says (|w| there not below every boundary value for a zero, not above for a pole:
// the turning of a function that is not analytic, such as z / |z|). The place is given in
// single precision, the point at which the program was evaluated.
std::optional<Place> RefinePoint(const PointValues& f, const Rect& r, int32_t winding,
                                 const MagnitudeRange& boundary);

}  // namespace quillon::roots_detail
