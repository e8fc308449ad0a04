// The zero and pole search: a pass over the grid's cells counting each by its winding number,
// splitting the cells that hold more than one point, Newton's method for each point, then the
// points inside the rectangle, merged where two cells found the same, in order.

#include "graph/zeros_poles.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <utility>

#include "common/runtime_error.h"
#include "expr/expression.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/sampling.h"
#include "graph/zeros_poles_refine.h"
#include "graph/zeros_poles_winding.h"

namespace quillon {

namespace {

using roots_detail::CellCount;
using roots_detail::Complex;
using roots_detail::PointValues;
using roots_detail::Rect;

// A zero or pole lying exactly on a grid line cannot be counted (arg w has no value there).
// The grid's lines are therefore moved a little off the places a user types: the inner lines
// by a small share of a step, the outer ones outwards by a smaller share, so that a point on
// the rectangle's edge lies inside the searched area. If some cell still cannot be followed,
// the pass is repeated with other shares and the pass leaving the fewest such cells is kept.
constexpr int kPasses = 3;
constexpr double kInnerShift[kPasses] = {0.0372, -0.0519, 0.0613};
constexpr double kOuterShift[kPasses] = {0.00131, 0.00257, 0.00389};
// Points still together in a sixty-fourth of a step are one point of higher order; a cell is
// split at most down to a sixty-five-thousandth of a step.
constexpr int kSeparateDepth = 6;
constexpr int kMaxSplitDepth = 16;
constexpr double kSplitX = 0.5371;
constexpr double kSplitY = 0.4707;

struct Candidate {
  Rect rect;
  int32_t winding = 0;
};

struct GridPass {
  std::vector<Candidate> candidates;
  int64_t unresolvedCells = 0;
  bool cancelled = false;
};

std::vector<double> GridLines(double lo, double hi, int32_t steps, int pass) {
  const double step = (hi - lo) / steps;
  std::vector<double> lines(static_cast<size_t>(steps) + 1);
  for (int32_t i = 1; i < steps; ++i) lines[i] = lo + step * (i + kInnerShift[pass]);
  lines.front() = lo - step * kOuterShift[pass];
  lines.back() = hi + step * kOuterShift[pass];
  return lines;
}

bool Cancelled(const RootSearchControl& control) {
  return control.cancel && control.cancel->load(std::memory_order_relaxed);
}

// The turns of arg w along the row's pieces (xs[i], y) -> (xs[i + 1], y).
void RowTurns(const PointValues& f, const std::vector<double>& xs, double y,
              const std::vector<std::optional<Complex>>& w, double minPiece,
              std::vector<std::optional<double>>& turns) {
  turns.assign(xs.size() - 1, std::nullopt);
  for (size_t i = 0; i + 1 < xs.size(); ++i) {
    if (w[i] && w[i + 1])
      turns[i] = roots_detail::EdgeTurn(f, xs[i], y, *w[i], xs[i + 1], y, *w[i + 1], minPiece);
  }
}

// One pass over the cells, a strip of cells (one row of the grid) at a time; each edge is
// followed once and counted, with opposite directions, for the two cells it separates.
GridPass CountCells(const PointValues& f, const std::vector<double>& xs, const std::vector<double>& ys,
                    double minPiece, const RootSearchControl& control) {
  GridPass pass;
  const size_t columns = xs.size() - 1;
  std::vector<std::optional<Complex>> below, above;
  std::vector<std::optional<double>> turnsBelow, turnsAbove, turnsUp(columns + 1);
  f.Row(xs, ys[0], below);
  RowTurns(f, xs, ys[0], below, minPiece, turnsBelow);
  for (size_t j = 0; j + 1 < ys.size(); ++j) {
    if (Cancelled(control)) {
      pass.cancelled = true;
      return pass;
    }
    f.Row(xs, ys[j + 1], above);
    RowTurns(f, xs, ys[j + 1], above, minPiece, turnsAbove);
    for (size_t i = 0; i <= columns; ++i) {
      turnsUp[i] = std::nullopt;
      if (below[i] && above[i])
        turnsUp[i] =
            roots_detail::EdgeTurn(f, xs[i], ys[j], *below[i], xs[i], ys[j + 1], *above[i], minPiece);
    }
    for (size_t i = 0; i < columns; ++i) {
      std::optional<int32_t> winding;
      if (turnsBelow[i] && turnsUp[i + 1] && turnsAbove[i] && turnsUp[i])
        winding = roots_detail::WholeTurns(*turnsBelow[i] + *turnsUp[i + 1] - *turnsAbove[i] - *turnsUp[i]);
      if (!winding) {
        ++pass.unresolvedCells;
      } else if (*winding != 0) {
        pass.candidates.push_back({Rect{xs[i], ys[j], xs[i + 1], ys[j + 1]}, *winding});
      }
    }
    std::swap(below, above);
    std::swap(turnsBelow, turnsAbove);
    if (control.done) control.done->fetch_add(1, std::memory_order_relaxed);
  }
  return pass;
}

struct Located {
  roots_detail::Place place;
  int32_t winding = 0;
};

// Settles the points a cell holds. A cell holding one point (or whose parts are too small to
// part its points further) goes to Newton's method; a cell holding several, or one whose point
// Newton's method cannot settle (it wandered off to a neighbour close by), is split four ways,
// off its middle so that a point on the middle of a cell is not met again, and each part
// holding something is settled in turn. A split whose parts cannot be followed, or do not add
// up to the whole, ends the splitting there.
void Settle(const PointValues& f, const Rect& r, const CellCount& count, int depth,
            std::vector<Located>& found, int64_t& unsettled) {
  const bool single = std::abs(count.winding) == 1 || depth >= kSeparateDepth;
  bool tried = false;
  if (single) {
    const std::optional<roots_detail::Place> place =
        roots_detail::RefinePoint(f, r, count.winding, count.boundary);
    if (place) {
      found.push_back({*place, count.winding});
      return;
    }
    tried = true;
  }
  const double mx = r.x0 + kSplitX * r.Width();
  const double my = r.y0 + kSplitY * r.Height();
  const Rect parts[4] = {
      {r.x0, r.y0, mx, my}, {mx, r.y0, r.x1, my}, {r.x0, my, mx, r.y1}, {mx, my, r.x1, r.y1}};
  std::optional<CellCount> counts[4];
  int32_t sum = 0;
  bool split = depth < kMaxSplitDepth;
  for (int p = 0; p < 4 && split; ++p) {
    counts[p] = roots_detail::CountCell(f, parts[p]);
    split = counts[p].has_value();
    if (split) sum += counts[p]->winding;
  }
  if (!split || sum != count.winding) {
    const std::optional<roots_detail::Place> place =
        tried ? std::nullopt : roots_detail::RefinePoint(f, r, count.winding, count.boundary);
    if (place) {
      found.push_back({*place, count.winding});
    } else {
      ++unsettled;
    }
    return;
  }
  for (int p = 0; p < 4; ++p) {
    if (counts[p]->winding != 0) Settle(f, parts[p], *counts[p], depth + 1, found, unsettled);
  }
}

// Points closer than `radius` of one kind are one point; their orders add up, as the winding
// around both together does.
std::vector<ZeroOrPole> Merge(std::vector<ZeroOrPole> points, double radius) {
  std::sort(points.begin(), points.end(), [](const ZeroOrPole& a, const ZeroOrPole& b) { return a.x < b.x; });
  std::vector<bool> merged(points.size(), false);
  std::vector<ZeroOrPole> kept;
  for (size_t i = 0; i < points.size(); ++i) {
    if (merged[i]) continue;
    ZeroOrPole p = points[i];
    for (size_t k = i + 1; k < points.size() && points[k].x - points[i].x <= radius; ++k) {
      if (merged[k] || points[k].kind != p.kind || std::fabs(points[k].y - points[i].y) > radius) continue;
      merged[k] = true;
      p.order += points[k].order;
    }
    kept.push_back(p);
  }
  return kept;
}

// A coordinate closer to 0 than singles are spaced at the rectangle's reach is 0 (never -0):
// the program sees the plane no finer, and points on an axis then print and sort as lying on it.
double Tidy(double value, double reach) {
  return std::fabs(value) <= FLT_EPSILON * reach ? 0.0 : value;
}

}  // namespace

std::string ZeroOrPoleLine(const ZeroOrPole& point) {
  char line[80];
  std::snprintf(line, sizeof line, "%s %.9g %.9g %d", point.kind == RootKind::kZero ? "zero" : "pole",
                point.x, point.y, point.order);
  return line;
}

int64_t RootSearchCells(const RootSearchDomain& domain) {
  return int64_t{std::max(domain.stepsX, 1)} * int64_t{std::max(domain.stepsY, 1)};
}

int64_t RootSearchUnits(const RootSearchDomain& domain) {
  return int64_t{kPasses} * std::max(domain.stepsY, 1);
}

RootSearchResult FindZerosAndPoles(const CompiledProgram& program, const RootSearchDomain& domain,
                                   const RootSearchControl& control) {
  RootSearchResult result;
  if (domain.stepsX < 0 || domain.stepsY < 0) throw RuntimeError::SubscriptOutOfRange();
  const int64_t cells = RootSearchCells(domain);
  if (cells > kMaxGridPoints) {
    throw RuntimeError(err::kGridTooLarge, "The grid of " + std::to_string(cells) +
                                               " cells is too large to search: at most " +
                                               std::to_string(kMaxGridPoints) + " fit.");
  }
  const int32_t stepsX = std::max(domain.stepsX, 1);
  const int32_t stepsY = std::max(domain.stepsY, 1);
  const double loX = std::min(domain.minX, domain.maxX), hiX = std::max(domain.minX, domain.maxX);
  const double loY = std::min(domain.minY, domain.maxY), hiY = std::max(domain.minY, domain.maxY);
  const bool finite = std::isfinite(loX) && std::isfinite(hiX) && std::isfinite(loY) && std::isfinite(hiY);
  if (!finite || !(hiX > loX) || !(hiY > loY) || !program.YieldsValue()) return result;

  const PointValues f(program);
  const double dx = (hiX - loX) / stepsX;
  const double dy = (hiY - loY) / stepsY;
  const double reach = std::max({std::fabs(loX), std::fabs(hiX), std::fabs(loY), std::fabs(hiY)});
  const double minPiece = roots_detail::MinimumPiece(std::min(dx, dy), reach);

  GridPass best;
  for (int p = 0; p < kPasses; ++p) {
    GridPass pass =
        CountCells(f, GridLines(loX, hiX, stepsX, p), GridLines(loY, hiY, stepsY, p), minPiece, control);
    if (pass.cancelled) {
      result.cancelled = true;
      return result;
    }
    if (p == 0 || pass.unresolvedCells < best.unresolvedCells) best = std::move(pass);
    if (best.unresolvedCells == 0) break;
  }
  if (control.done) control.done->store(RootSearchUnits(domain), std::memory_order_relaxed);
  result.unresolvedCells = best.unresolvedCells;

  std::vector<ZeroOrPole> found;
  const double tolerance = 1e-4 * std::min(dx, dy);
  for (const Candidate& candidate : best.candidates) {
    if (Cancelled(control)) {
      result.cancelled = true;
      return result;
    }
    // The cell's boundary again, now with the range of |w| on it the refinement checks against.
    const std::optional<CellCount> count = roots_detail::CountCell(f, candidate.rect);
    if (!count || count->winding != candidate.winding) {
      ++result.unrefinedPoints;
      continue;
    }
    std::vector<Located> located;
    Settle(f, candidate.rect, *count, 0, located, result.unrefinedPoints);
    for (const Located& point : located) {
      const roots_detail::Place& place = point.place;
      // Points of the cells just outside the rectangle's edges belong to the next rectangle.
      if (place.x < loX - tolerance || place.x > hiX + tolerance || place.y < loY - tolerance ||
          place.y > hiY + tolerance)
        continue;
      found.push_back({point.winding > 0 ? RootKind::kZero : RootKind::kPole, Tidy(place.x, reach),
                       Tidy(place.y, reach), std::abs(point.winding)});
    }
  }
  result.roots = Merge(std::move(found), tolerance);
  std::sort(result.roots.begin(), result.roots.end(),
            [](const ZeroOrPole& a, const ZeroOrPole& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  return result;
}

std::optional<CompiledProgram> CompileGraphFunction(const std::string& text) {
  Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(AddMultiplySigns(text), postfix) != 0) return std::nullopt;
  return CompiledProgram::FromPostfix(postfix);
}

RootSearchDomain DomainOf(const Cls9& graph) {
  return {graph.MinU, graph.MaxU, graph.StepU, graph.MinV, graph.MaxV, graph.StepV};
}

bool CanSearchRoots(const Cls9& graph) {
  const int32_t kind = graph.GraphType;
  const bool gridKind = kind == gtp::kSurface || kind == gtp::kColorMap || kind == gtp::kContourPlot ||
                        kind == gtp::kVectorPlot;
  return gridKind && graph.FunForm == fun::kExplicit && graph.CoordType == ctp::kCartesian;
}

namespace {

// The lowest and highest finite value a scene table holds.
std::pair<float, float> TableRange(const GridTable& table) {
  float lo = 0.0f, hi = 0.0f;
  bool any = false;
  for (size_t i = 0; i < table.size(); ++i) {
    const float v = table.data()[i];
    if (!std::isfinite(v)) continue;
    lo = any ? std::min(lo, v) : v;
    hi = any ? std::max(hi, v) : v;
    any = true;
  }
  return {lo, hi};
}

float AxisValue(int32_t code, const GridTable& table, const ZeroOrPole& root) {
  const auto [lo, hi] = TableRange(table);
  double value = 0.0;  // u, v and |w| at a zero; u and v at a pole
  if (code == quantity::kX) {
    value = root.x;
  } else if (code == quantity::kY) {
    value = root.y;
  } else if (code == quantity::kMagnitude && root.kind == RootKind::kPole) {
    value = hi;
  }
  return static_cast<float>(std::clamp(value, static_cast<double>(lo), static_cast<double>(hi)));
}

}  // namespace

MarkPoint MarkPosition(const Cls9& graph, const ZeroOrPole& root) {
  const float x = AxisValue(graph.VarX, graph.SceneX, root);
  const float z = AxisValue(graph.VarZ, graph.SceneZ, root);
  // The colour map lies in the plane of its scene X and Z tables (drawn as x and y).
  if (graph.GraphType == gtp::kColorMap) return {x, z, 0.0f};
  return {x, AxisValue(graph.VarY, graph.SceneY, root), z};
}

}  // namespace quillon
