#include "graph/zeros_poles_winding.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>

#include "common/runtime_error.h"

namespace quillon::roots_detail {

namespace {

// A piece is taken in one step when w at its middle differs from w at its ends by at most
// this share of the smaller value: w then turns by under 30 degrees on each half.
constexpr double kMaxRelativeChange = 0.5;
// The step of the difference that estimates |f'| at a piece's middle, as a share of the piece.
constexpr double kRateStep = 1e-3;
// Halvings one edge may take: enough to pass a zero lying a millionth of a cell from the
// edge, few enough that an essential singularity's endless turning ends quickly.
constexpr int kMaxEdgeEvaluations = 4096;

std::optional<Complex> Finite(float u, float v) {
  if (!std::isfinite(u) || !std::isfinite(v)) return std::nullopt;
  return Complex(u, v);
}

}  // namespace

std::optional<Complex> PointValues::At(double x, double y) const {
  float u = 0.0f, v = 0.0f;
  try {
    if (!program_.Evaluate(static_cast<float>(x), static_cast<float>(y), u, v)) return std::nullopt;
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  return Finite(u, v);
}

void PointValues::Row(const std::vector<double>& xs, double y, std::vector<std::optional<Complex>>& w) const {
  const size_t n = xs.size();
  std::vector<float> fx(n), fy(n, static_cast<float>(y)), u(n), v(n);
  for (size_t i = 0; i < n; ++i) fx[i] = static_cast<float>(xs[i]);
  w.assign(n, std::nullopt);
  size_t from = 0;
  while (from < n) {
    const CompiledProgram::BlockOutcome r = program_.EvaluateBlock(
        fx.data() + from, fy.data() + from, n - from, u.data() + from, v.data() + from);
    if (r.noValue) return;  // the program gives no value anywhere
    for (size_t i = from; i < from + r.completed; ++i) w[i] = Finite(u[i], v[i]);
    // The point that raised stays without a value; the block goes on after it.
    from += r.completed + 1;
  }
}

double MinimumPiece(double size, double reach) {
  return std::max(size * 0x1p-20, 4.0 * FLT_EPSILON * reach);
}

void MagnitudeRange::Add(const Complex& w) {
  const double m = std::abs(w);
  if (!any) {
    low = high = m;
    any = true;
    return;
  }
  low = std::min(low, m);
  high = std::max(high, m);
}

std::optional<double> EdgeTurn(const PointValues& f, double ax, double ay, Complex wa, double bx, double by,
                               Complex wb, double minPiece, MagnitudeRange* seen) {
  struct Piece {
    double ax, ay, bx, by;
    Complex wa, wb;
  };
  if (wa == 0.0 || wb == 0.0) return std::nullopt;
  std::vector<Piece> pending{{ax, ay, bx, by, wa, wb}};
  double total = 0.0;
  int evaluations = 0;
  const auto close = [](const Complex& u, const Complex& v) {
    return std::abs(v - u) <= kMaxRelativeChange * std::min(std::abs(u), std::abs(v));
  };
  while (!pending.empty()) {
    const Piece p = pending.back();
    pending.pop_back();
    if (++evaluations > kMaxEdgeEvaluations) return std::nullopt;
    const double mx = 0.5 * (p.ax + p.bx);
    const double my = 0.5 * (p.ay + p.by);
    const std::optional<Complex> wm = f.At(mx, my);
    if (!wm || *wm == 0.0) return std::nullopt;
    if (seen) seen->Add(*wm);
    // How fast w changes against its size, |f'| / |f|, at the middle: a piece longer than its
    // inverse may hide a turn of w even where the ends and the middle agree (ends a whole
    // period apart, as along an edge of sin 10z).
    const double length = std::hypot(p.bx - p.ax, p.by - p.ay);
    const double nudge = kRateStep * length;
    const std::optional<Complex> wn =
        f.At(mx + nudge * (p.bx - p.ax) / length, my + nudge * (p.by - p.ay) / length);
    if (!wn) return std::nullopt;
    const double rate = std::abs(*wn - *wm) / (nudge * std::abs(*wm));
    if (rate * length <= 1.0 && close(p.wa, *wm) && close(*wm, p.wb)) {
      total += std::arg(*wm * std::conj(p.wa)) + std::arg(p.wb * std::conj(*wm));
      continue;
    }
    if (length < 2.0 * minPiece) return std::nullopt;
    pending.push_back({p.ax, p.ay, mx, my, p.wa, *wm});
    pending.push_back({mx, my, p.bx, p.by, *wm, p.wb});
  }
  return total;
}

std::optional<int32_t> WholeTurns(double radians) {
  const double turns = radians / (2.0 * std::numbers::pi);
  const double whole = std::round(turns);
  if (std::fabs(turns - whole) > 0.05 || std::fabs(whole) > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(whole);
}

std::optional<CellCount> CountCell(const PointValues& f, const Rect& r) {
  const double xs[4] = {r.x0, r.x1, r.x1, r.x0};  // counter-clockwise from the lower left
  const double ys[4] = {r.y0, r.y0, r.y1, r.y1};
  Complex w[4];
  CellCount count;
  for (int c = 0; c < 4; ++c) {
    const std::optional<Complex> value = f.At(xs[c], ys[c]);
    if (!value) return std::nullopt;
    w[c] = *value;
    count.boundary.Add(w[c]);
  }
  const double minPiece =
      MinimumPiece(std::max(r.Width(), r.Height()),
                   std::max({std::fabs(r.x0), std::fabs(r.x1), std::fabs(r.y0), std::fabs(r.y1)}));
  double total = 0.0;
  for (int c = 0; c < 4; ++c) {
    const int d = (c + 1) % 4;
    const std::optional<double> turn =
        EdgeTurn(f, xs[c], ys[c], w[c], xs[d], ys[d], w[d], minPiece, &count.boundary);
    if (!turn) return std::nullopt;
    total += *turn;
  }
  const std::optional<int32_t> winding = WholeTurns(total);
  if (!winding) return std::nullopt;
  count.winding = *winding;
  return count;
}

}  // namespace quillon::roots_detail
