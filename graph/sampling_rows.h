#pragma once
// The per-row arithmetic of the grid pass after evaluation: |w| at every point and the limits
// of each quantity, vectorised but with exactly the values and the limits (sign of zeros
// included) of the sequential loop.

#include <cstddef>
#include <limits>

namespace quillon {

// Smallest and largest value of one quantity. A value replaces a limit only when strictly
// beyond it, so among equal values the first one seen stays (this keeps the sign of zeros
// identical to the sequential loop when blocks are merged in order).
struct Range {
  float max = -std::numeric_limits<float>::infinity();
  float min = std::numeric_limits<float>::infinity();
  void Take(float v) {
    if (v > max) max = v;
    if (v < min) min = v;
  }
  void MergeInto(float& gMax, float& gMin) const {
    if (max > gMax) gMax = max;
    if (min < gMin) gMin = min;
  }
};

// |w| = sqrt(u² + v²) rounded to single at each of n points; false when one does not fit a
// single.
bool Magnitudes(const float* us, const float* vs, size_t n, float* ms);

// The limits of n finite values, as taking them one by one in order gives.
Range RowRange(const float* values, size_t n);

// Magnitudes and the three ranges of u, v and |w| in one pass over the row. False, with the
// ranges unset, when some |w| does not fit a single (ms is written either way).
bool MagnitudesAndRanges(const float* us, const float* vs, size_t n, float* ms, Range& u, Range& v, Range& m);

}  // namespace quillon
