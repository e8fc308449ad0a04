#pragma once
// The counting half of the zero and pole search: values of the compiled program at points,
// how far arg w turns along a segment (followed in pieces short enough that w cannot go round
// 0 unseen), and the winding number of a rectangle.

#include <complex>
#include <cstdint>
#include <optional>
#include <vector>

#include "expr/program.h"

namespace quillon::roots_detail {

using Complex = std::complex<double>;

// f at points given in double; the program sees them rounded to single precision as a graph's
// sampler does. A point without a value, with a run-time error or with a value that is not
// finite gives nullopt.
class PointValues {
 public:
  explicit PointValues(const CompiledProgram& program) : program_(program) {}

  std::optional<Complex> At(double x, double y) const;
  // The values along one grid row, w[i] at (xs[i], y), in one block where the program allows.
  void Row(const std::vector<double>& xs, double y, std::vector<std::optional<Complex>>& w) const;

 private:
  const CompiledProgram& program_;
};

struct Rect {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;  // x0 < x1, y0 < y1

  double Width() const { return x1 - x0; }
  double Height() const { return y1 - y0; }
};

// The smallest piece an edge is cut into in cells of this size whose coordinates reach up to
// `reach`: below it the points differ by little more than single-precision rounding.
double MinimumPiece(double size, double reach);

// Smallest and largest |w| met along the edges followed.
struct MagnitudeRange {
  double low = 0.0, high = 0.0;
  bool any = false;
  void Add(const Complex& w);
};

// How far arg w turns along the segment from a (value wa) to b (value wb), in radians. A piece
// is taken in one step when w at its middle differs from w at either end by at most half the
// smaller value and the piece is shorter than |f| / |f'| there; otherwise it is halved. So
// pieces near a zero or pole, where |w| is small or changes fast, are cut short, and so are
// pieces whose ends happen to agree while w went round 0 between them.
// nullopt when it cannot be followed: a point without a value or with w = 0 on it, or a piece
// still too long at minPiece (a jump of w such as a branch cut, or a zero or pole on the
// segment).
std::optional<double> EdgeTurn(const PointValues& f, double ax, double ay, Complex wa, double bx, double by,
                               Complex wb, double minPiece, MagnitudeRange* seen = nullptr);

// The winding number of arg w around the rectangle (counter-clockwise), with the range of |w|
// on its boundary; nullopt when some edge cannot be followed.
struct CellCount {
  int32_t winding = 0;
  MagnitudeRange boundary;
};
std::optional<CellCount> CountCell(const PointValues& f, const Rect& r);

// The whole turns a sum of edge turns around a closed path makes; nullopt when the sum is not
// close to a whole number of turns.
std::optional<int32_t> WholeTurns(double radians);

}  // namespace quillon::roots_detail
