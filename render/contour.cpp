#include "render/contour.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "common/color.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "common/single.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

// Marks an edge that the current level does not cross, or whose crossing has been drawn.
constexpr float kNotCrossed = -2.0f;
// Grid values this close to a level are raised by kNudge, so no contour passes exactly
// through a grid point.
constexpr double kNudgeDistance = 0.0001;
constexpr double kNudge = 0.00001;
// Fill style whose levels all share the second colour.
constexpr int32_t kSingleColorStyle = 4;
// Lines of the three-dimensional scene float this far above their plane.
constexpr double kLift = 0.1;

// Draws each segment as a GL_LINES pair, placed by the kind of scene.
class GlContourSink : public ContourSink {
 public:
  GlContourSink(double plane, int32_t sceneKind) : plane_(plane), sceneKind_(sceneKind) {}

  void LevelColor(double r, double g, double b) override { glColor3d(r, g, b); }

  void Segment(double p1, double q1, double p2, double q2) override {
    if (sceneKind_ == 3) {
      glBegin(GL_LINES);
      glVertex3d(p1, plane_ + kLift, q1);
      glVertex3d(p2, plane_ + kLift, q2);
      glEnd();
    } else if (sceneKind_ == 7) {
      glBegin(GL_LINES);
      glVertex3d(p1, q1, plane_);
      glVertex3d(p2, q2, plane_);
      glEnd();
    }
    // Other scene kinds follow the traces but draw nothing.
  }

 private:
  double plane_;
  int32_t sceneKind_;
};

// Restores lighting and switches smoothing and blending off however the drawing ends.
class ContourStateGuard {
 public:
  ContourStateGuard() = default;
  ContourStateGuard(const ContourStateGuard&) = delete;
  ContourStateGuard& operator=(const ContourStateGuard&) = delete;
  ~ContourStateGuard() {
    glEnable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// ContourGrid

ContourGrid::ContourGrid(int32_t columns, int32_t rows) : ContourGrid(columns, rows, kContourGridSize) {}

ContourGrid::ContourGrid(int32_t columns, int32_t rows, int32_t largestSide)
    : columns_(columns), rows_(rows) {
  if (columns < 0 || rows < 0 || columns > largestSide || rows > largestSide) {
    throw RuntimeError::SubscriptOutOfRange();
  }
  values_.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0.0f);
}

float& ContourGrid::at(int32_t i, int32_t j) {
  CheckIndex(i - 1, columns_);
  CheckIndex(j - 1, rows_);
  return values_[static_cast<size_t>(i - 1) * static_cast<size_t>(rows_) + static_cast<size_t>(j - 1)];
}

float ContourGrid::at(int32_t i, int32_t j) const {
  return const_cast<ContourGrid*>(this)->at(i, j);
}

// ---------------------------------------------------------------------------------------------
// CContour

void CContour::Contour(int32_t nx, int32_t ny, float dx, float dy, ContourGrid& grid, float x0, float y0,
                       float plane, int32_t lngLevel, int32_t fstFillStyle, int32_t lngFirstColor,
                       int32_t lngSecondColor, int32_t lngLineWidth) {
  GlContourSink sink(plane, State().SceneKind);
  // The level range and spacing are checked before any state changes, so a level count of 0
  // leaves OpenGL untouched.
  if (nx < 0 || ny < 0 || nx > grid.Columns() || ny > grid.Rows()) throw RuntimeError::SubscriptOutOfRange();
  nx_ = nx;
  ny_ = ny;
  ChooseLevels(grid, lngLevel);

  glDisable(GL_LIGHTING);
  ContourStateGuard restore;
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  // A width below 1 is refused by OpenGL with an error left pending; draw such lines 1 wide.
  glLineWidth(static_cast<GLfloat>(std::max(lngLineWidth, 1)));
  Trace(nx, ny, dx, dy, grid, x0, y0, lngLevel, fstFillStyle, lngFirstColor, lngSecondColor, sink);
}

void CContour::Trace(int32_t nx, int32_t ny, float dx, float dy, ContourGrid& grid, float x0, float y0,
                     int32_t lngLevel, int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor,
                     ContourSink& sink) {
  if (nx < 0 || ny < 0 || nx > grid.Columns() || ny > grid.Rows()) throw RuntimeError::SubscriptOutOfRange();
  nx_ = nx;
  ny_ = ny;
  dx_ = dx;
  dy_ = dy;
  x0_ = x0;
  y0_ = y0;
  ChooseLevels(grid, lngLevel);
  NudgeGrid(grid);

  const size_t cells = static_cast<size_t>(nx) * static_cast<size_t>(ny);
  horizontal_.assign(cells, kNotCrossed);
  vertical_.assign(cells, kNotCrossed);
  FindHoleCells(grid);

  const ColorParts first = SplitColor(lngFirstColor);
  const ColorParts second = SplitColor(lngSecondColor);
  const double range = static_cast<double>(largest_) - static_cast<double>(smallest_);

  for (const float level : levels_) {
    if (fstFillStyle == kSingleColorStyle) {
      sink.LevelColor(second.r, second.g, second.b);
    } else {
      // Levels exist only when the range is positive, so the ramp never divides by zero.
      const double t = (static_cast<double>(level) - smallest_) / range;
      sink.LevelColor(second.r + t * (first.r - second.r), second.g + t * (first.g - second.g),
                      second.b + t * (first.b - second.b));
    }
    TraceLevel(grid, level, sink);
  }
}

void CContour::TraceLevels(int32_t nx, int32_t ny, ContourGrid& grid, float x0, float y0, float dx, float dy,
                           const std::vector<float>& levels, ContourSink& sink) {
  if (nx < 0 || ny < 0 || nx > grid.Columns() || ny > grid.Rows()) throw RuntimeError::SubscriptOutOfRange();
  nx_ = nx;
  ny_ = ny;
  dx_ = dx;
  dy_ = dy;
  x0_ = x0;
  y0_ = y0;
  levels_ = levels;
  NudgeGrid(grid);
  const size_t cells = static_cast<size_t>(nx) * static_cast<size_t>(ny);
  horizontal_.assign(cells, kNotCrossed);
  vertical_.assign(cells, kNotCrossed);
  FindHoleCells(grid);
  for (const float level : levels_) TraceLevel(grid, level, sink);
}

void CContour::TraceLevel(const ContourGrid& grid, float level, ContourSink& sink) {
  const int32_t nx = nx_;
  const int32_t ny = ny_;
  FindCrossings(grid, level);

  // Open contours start on the border and enter the grid.
  for (int32_t j = 1; j <= ny - 1; ++j) {
    const Edge e{false, 1, j};
    if (Crossed(e)) ContourTrace(e, Direction::kPlusI, sink);
  }
  for (int32_t i = 1; i <= nx - 1; ++i) {
    const Edge e{true, i, 1};
    if (Crossed(e)) ContourTrace(e, Direction::kPlusJ, sink);
  }
  for (int32_t j = 1; j <= ny - 1; ++j) {
    const Edge e{false, nx, j};
    if (Crossed(e)) ContourTrace(e, Direction::kMinusI, sink);
  }
  for (int32_t i = 1; i <= nx - 1; ++i) {
    const Edge e{true, i, ny};
    if (Crossed(e)) ContourTrace(e, Direction::kMinusJ, sink);
  }
  // Contours that end at a cell with a corner without a value start there too, leaving it.
  if (anyHoleCell_) TraceFromHoles(sink);
  // What is left are closed contours; each crosses some interior vertical edge.
  for (int32_t i = 2; i <= nx - 1; ++i) {
    for (int32_t j = 1; j <= ny - 1; ++j) {
      const Edge e{false, i, j};
      if (Crossed(e)) ContourTrace(e, Direction::kPlusI, sink);
    }
  }
}

void CContour::ChooseLevels(const ContourGrid& grid, int32_t lngLevel) {
  float largest = -1e8f;
  float smallest = 1e8f;
  for (int32_t i = 1; i <= nx_; ++i) {
    for (int32_t j = 1; j <= ny_; ++j) {
      const float z = grid.at(i, j);
      if (!HasValue(z)) continue;
      if (z > largest) largest = z;
      if (z < smallest) smallest = z;
    }
  }
  largest_ = largest;
  smallest_ = smallest;
  const float range = ToSingle(static_cast<double>(largest) - static_cast<double>(smallest));
  const float step = ToSingle(CheckedDivide(range, static_cast<double>(lngLevel)));

  levels_.clear();
  // A constant grid (step 0), an empty one or a negative count has no levels; and the sum stops
  // where adding the step no longer changes a single, so the loop always ends.
  if (!(step > 0.0f)) return;
  float level = smallest;
  while (level <= largest) {
    levels_.push_back(level);
    const float next = static_cast<float>(static_cast<double>(level) + step);
    if (!(next > level)) break;
    level = next;
  }
}

void CContour::NudgeGrid(ContourGrid& grid) const {
  for (const float level : levels_) {
    for (int32_t i = 1; i <= nx_; ++i) {
      for (int32_t j = 1; j <= ny_; ++j) {
        float& z = grid.at(i, j);
        if (std::fabs(static_cast<double>(z) - level) <= kNudgeDistance) {
          z = static_cast<float>(static_cast<double>(z) + kNudge);
        }
      }
    }
  }
}

void CContour::FindCrossings(const ContourGrid& grid, float level) {
  const double l = level;
  auto fraction = [l](float a, float b) -> float {
    if (!HasValue(a) || !HasValue(b)) return kNotCrossed;
    const bool crossed = (a > l && b < l) || (a < l && b > l);
    if (!crossed) return kNotCrossed;
    return static_cast<float>((l - a) / (static_cast<double>(b) - a));
  };
  for (int32_t i = 1; i <= nx_ - 1; ++i) {
    for (int32_t j = 1; j <= ny_; ++j) {
      Crossing(Edge{true, i, j}) = fraction(grid.at(i, j), grid.at(i + 1, j));
    }
  }
  for (int32_t i = 1; i <= nx_; ++i) {
    for (int32_t j = 1; j <= ny_ - 1; ++j) {
      Crossing(Edge{false, i, j}) = fraction(grid.at(i, j), grid.at(i, j + 1));
    }
  }
}

void CContour::FindHoleCells(const ContourGrid& grid) {
  holeCell_.assign(static_cast<size_t>(nx_) * static_cast<size_t>(ny_), 0);
  anyHoleCell_ = false;
  for (int32_t i = 1; i <= nx_ - 1; ++i) {
    for (int32_t j = 1; j <= ny_ - 1; ++j) {
      const bool hole = !HasValue(grid.at(i, j)) || !HasValue(grid.at(i + 1, j)) ||
                        !HasValue(grid.at(i, j + 1)) || !HasValue(grid.at(i + 1, j + 1));
      holeCell_[static_cast<size_t>(i - 1) * static_cast<size_t>(ny_) + static_cast<size_t>(j - 1)] = hole;
      anyHoleCell_ = anyHoleCell_ || hole;
    }
  }
}

bool CContour::HoleCell(int32_t ci, int32_t cj) const {
  if (ci < 1 || ci > nx_ - 1 || cj < 1 || cj > ny_ - 1) return false;
  return holeCell_[static_cast<size_t>(ci - 1) * static_cast<size_t>(ny_) + static_cast<size_t>(cj - 1)] != 0;
}

void CContour::TraceFromHoles(ContourSink& sink) {
  // A vertical edge V(i, j) lies between the cells (i - 1, j) and (i, j); a horizontal edge
  // H(i, j) between (i, j - 1) and (i, j).
  for (int32_t i = 1; i <= nx_; ++i) {
    for (int32_t j = 1; j <= ny_ - 1; ++j) {
      const Edge e{false, i, j};
      if (HoleCell(i - 1, j) && Crossed(e)) ContourTrace(e, Direction::kPlusI, sink);
      if (HoleCell(i, j) && Crossed(e)) ContourTrace(e, Direction::kMinusI, sink);
    }
  }
  for (int32_t i = 1; i <= nx_ - 1; ++i) {
    for (int32_t j = 1; j <= ny_; ++j) {
      const Edge e{true, i, j};
      if (HoleCell(i, j - 1) && Crossed(e)) ContourTrace(e, Direction::kPlusJ, sink);
      if (HoleCell(i, j) && Crossed(e)) ContourTrace(e, Direction::kMinusJ, sink);
    }
  }
}

float& CContour::Crossing(const Edge& e) {
  const size_t index = static_cast<size_t>(e.i - 1) * static_cast<size_t>(ny_) + static_cast<size_t>(e.j - 1);
  return e.horizontal ? horizontal_[index] : vertical_[index];
}

bool CContour::Crossed(const Edge& e) {
  if (e.horizontal) {
    if (e.i < 1 || e.i > nx_ - 1 || e.j < 1 || e.j > ny_) return false;
  } else if (e.i < 1 || e.i > nx_ || e.j < 1 || e.j > ny_ - 1) {
    return false;
  }
  return Crossing(e) >= 0.0f;
}

void CContour::ContourCrossing(const Edge& e, bool mark, double& p, double& q) {
  float& f = Crossing(e);
  const double c = e.horizontal ? e.i + static_cast<double>(f) : e.i;
  const double r = e.horizontal ? e.j : e.j + static_cast<double>(f);
  p = x0_ + c * dx_;
  q = y0_ + r * dy_;
  if (mark) f = kNotCrossed;
}

bool CContour::ContourNextCrossing(const Edge& e, Direction dir, Edge& next, Direction& nextDir) {
  // The cell entered: columns ci..ci+1, rows cj..cj+1.
  int32_t ci = e.i;
  int32_t cj = e.j;
  if (dir == Direction::kMinusI) --ci;
  if (dir == Direction::kMinusJ) --cj;
  if (ci < 1 || ci > nx_ - 1 || cj < 1 || cj > ny_ - 1) return false;  // the trace left the grid
  if (HoleCell(ci, cj)) return false;  // nor is it drawn across a corner without a value

  const Edge left{false, ci, cj};
  const Edge right{false, ci + 1, cj};
  const Edge bottom{true, ci, cj};
  const Edge top{true, ci, cj + 1};
  struct Choice {
    Edge edge;
    Direction dir;
  };
  Choice order[3];
  switch (dir) {
    case Direction::kPlusI:
      order[0] = {bottom, Direction::kMinusJ};
      order[1] = {top, Direction::kPlusJ};
      order[2] = {right, Direction::kPlusI};
      break;
    case Direction::kPlusJ:
      order[0] = {left, Direction::kMinusI};
      order[1] = {right, Direction::kPlusI};
      order[2] = {top, Direction::kPlusJ};
      break;
    case Direction::kMinusI:
      order[0] = {top, Direction::kPlusJ};
      order[1] = {bottom, Direction::kMinusJ};
      order[2] = {left, Direction::kMinusI};
      break;
    case Direction::kMinusJ:
      order[0] = {right, Direction::kPlusI};
      order[1] = {left, Direction::kMinusI};
      order[2] = {bottom, Direction::kMinusJ};
      break;
  }
  // The last edge is crossed whenever the first two are not, unless a grid value sits exactly
  // on the level; then the trace ends rather than jump to a made-up point.
  for (const Choice& c : order) {
    if (Crossed(c.edge)) {
      next = c.edge;
      nextDir = c.dir;
      return true;
    }
  }
  return false;
}

void CContour::ContourTrace(const Edge& start, Direction dir, ContourSink& sink) {
  double p0 = 0.0;
  double q0 = 0.0;
  // The start stays crossed while tracing so that a closed contour finds its way back to it.
  ContourCrossing(start, false, p0, q0);
  double p = p0;
  double q = q0;
  Edge edge = start;
  Direction direction = dir;
  Edge next;
  Direction nextDir = dir;
  // Every step uses up one crossing, so the trace ends after at most as many steps as there
  // are crossings.
  while (ContourNextCrossing(edge, direction, next, nextDir)) {
    const bool closed = (next == start);
    double pn = 0.0;
    double qn = 0.0;
    ContourCrossing(next, !closed, pn, qn);
    sink.Segment(p, q, pn, qn);
    if (closed) break;
    p = pn;
    q = qn;
    edge = next;
    direction = nextDir;
  }
  Crossing(start) = kNotCrossed;
}

}  // namespace quillon
