#include "render/complex_contours.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "graph/codes.h"
#include "graph/sample_value.h"
#include "render/contour.h"

namespace quillon {

namespace {

// The largest grid side traced; larger grids than the sampler allows are never drawn.
constexpr int32_t kLargestTracedSide = 4097;
// Whole levels of log2 |w| traced at most (the ones nearest |w| = 1 when there are more).
constexpr int kMostModulusLevels = 64;

// Collects segments, turning the tracer's plane coordinates back into grid coordinates.
class SegmentCollector : public ContourSink {
 public:
  explicit SegmentCollector(std::vector<GridSegment>& out) : out_(out) {}
  void LevelColor(double, double, double) override {}
  void Segment(double p1, double q1, double p2, double q2) override {
    out_.push_back(
        {static_cast<float>(p1), static_cast<float>(q1), static_cast<float>(p2), static_cast<float>(q2)});
  }

 private:
  std::vector<GridSegment>& out_;
};

// Traces a field given per grid point; column 1 of the tracer's grid is grid line k = 0, and
// with origin -1 and spacing 1 its plane coordinates are grid coordinates.
void TraceField(int32_t columns, int32_t rows, const std::vector<float>& field,
                const std::vector<float>& levels, std::vector<GridSegment>& out) {
  ContourGrid grid(columns, rows, kLargestTracedSide);
  for (int32_t k = 0; k < columns; ++k)
    for (int32_t j = 0; j < rows; ++j)
      grid.at(k + 1, j + 1) =
          field[static_cast<size_t>(k) * static_cast<size_t>(rows) + static_cast<size_t>(j)];
  SegmentCollector sink(out);
  CContour().TraceLevels(columns, rows, grid, -1.0f, -1.0f, 1.0f, 1.0f, levels, sink);
}

}  // namespace

ComplexContourLines TraceComplexContours(const Cls9& graph) {
  ComplexContourLines lines;
  const ContourLines which = graph.Extras.contours;
  if (which == ContourLines::kNone) return lines;
  const int32_t columns = graph.StepU + 1;
  const int32_t rows = graph.StepV + 1;
  const size_t count = static_cast<size_t>(columns) * static_cast<size_t>(rows);
  if (graph.StepU < 1 || graph.StepV < 1 || graph.QuantityU.size() != count ||
      graph.QuantityV.size() != count || columns > kLargestTracedSide || rows > kLargestTracedSide)
    return lines;
  const float* u = graph.QuantityU.data();
  const float* v = graph.QuantityV.data();
  std::vector<float> field(count);

  if (which == ContourLines::kModulus || which == ContourLines::kBoth) {
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
    for (size_t n = 0; n < count; ++n) {
      const double modulus = std::hypot(static_cast<double>(u[n]), static_cast<double>(v[n]));
      // A zero or a pole has no finite log: the line stops short of it, as at a hole.
      field[n] = modulus > 0.0 && HasValue(modulus) ? static_cast<float>(std::log2(modulus)) : kNoValue;
      if (HasValue(field[n])) {
        low = std::min(low, field[n]);
        high = std::max(high, field[n]);
      }
    }
    std::vector<float> levels;
    if (low <= high) {
      const double first = std::max<double>(std::ceil(low), -kMostModulusLevels / 2.0);
      const double last = std::min<double>(std::floor(high), kMostModulusLevels / 2.0);
      for (double level = first; level <= last; level += 1.0) levels.push_back(static_cast<float>(level));
    }
    TraceField(columns, rows, field, levels, lines.modulus);
  }
  if (which == ContourLines::kPhase || which == ContourLines::kBoth) {
    for (int m = 0; m < 6; ++m) {
      const double angle = m * std::numbers::pi / 6.0;
      const double c = std::cos(angle), s = std::sin(angle);
      for (size_t n = 0; n < count; ++n) {
        const double modulus = std::hypot(static_cast<double>(u[n]), static_cast<double>(v[n]));
        // sin(arg w - angle); zero on the rays at angle and angle + pi.
        field[n] = modulus > 0.0 && HasValue(modulus) ? static_cast<float>((v[n] * c - u[n] * s) / modulus)
                                                      : kNoValue;
      }
      TraceField(columns, rows, field, {0.0f}, lines.phase);
    }
  }
  return lines;
}

namespace {

// A grid coordinate pair to a scene point, bilinear in the cell that holds it (on a grid edge
// that is the straight line between its two vertices).
void EmitVertex(const SurfacePositions& p, bool colorMap, float k, float j) {
  const int32_t k0 = std::clamp(static_cast<int32_t>(std::floor(k)), 0, p.stepU - 1);
  const int32_t j0 = std::clamp(static_cast<int32_t>(std::floor(j)), 0, p.stepV - 1);
  const double fk = k - k0, fj = j - j0;
  auto mix = [&](const float* t) {
    const double a = t[p.Index(k0, j0)] * (1.0 - fk) + t[p.Index(k0 + 1, j0)] * fk;
    const double b = t[p.Index(k0, j0 + 1)] * (1.0 - fk) + t[p.Index(k0 + 1, j0 + 1)] * fk;
    return a * (1.0 - fj) + b * fj;
  };
  if (colorMap)
    glVertex3d(mix(p.x), mix(p.z), 0.0);
  else
    glVertex3d(mix(p.x), mix(p.y), mix(p.z));
}

void DrawSegments(const std::vector<GridSegment>& segments, const SurfacePositions& p, bool colorMap) {
  glBegin(GL_LINES);
  for (const GridSegment& s : segments) {
    EmitVertex(p, colorMap, s.k1, s.j1);
    EmitVertex(p, colorMap, s.k2, s.j2);
  }
  glEnd();
}

}  // namespace

void DrawComplexContours(const Cls9& graph, const SurfaceVertices& vertices) {
  const ComplexContourLines lines = TraceComplexContours(graph);
  if (lines.modulus.empty() && lines.phase.empty()) return;
  const SurfacePositions& p = vertices.Positions();
  const bool colorMap = graph.GraphType == gtp::kColorMap;
  glDisable(GL_LIGHTING);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // Smoothed lines one pixel wide come out at half strength; a little wider reads as drawn.
  glLineWidth(1.5f);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  DrawSegments(lines.modulus, p, colorMap);
  glColor4f(1.0f, 1.0f, 1.0f, 0.9f);
  DrawSegments(lines.phase, p, colorMap);
  glDisable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  glEnable(GL_LIGHTING);
}

}  // namespace quillon
