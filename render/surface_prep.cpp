#include "render/surface_prep.h"

#include <algorithm>
#include <cmath>

#include "common/runtime_error.h"
#include "common/single.h"
#include "graph/codes.h"
#include "graph/point.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

constexpr double kZeroSpan = 0.000001;
constexpr double kZeroCellNormalLength = 0.0001;
constexpr double kZeroVertexNormalLength = 1.0;
// Two border vertices closer than this share of a seam cell size coincide.
constexpr double kSeamTolerance = 0.8;

bool Covers(const GridTable& t, int32_t stepU, int32_t stepV) {
  return t.Columns() == stepU + 1 && t.Rows() == stepV + 1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// SurfaceVertices

SurfaceVertices::SurfaceVertices(const Cls9& graph, int32_t lngAnimStep) {
  const int32_t stepU = graph.StepU;
  const int32_t stepV = graph.StepV;
  if (stepU < 0 || stepV < 0) throw RuntimeError::SubscriptOutOfRange();
  positions_.stepU = stepU;
  positions_.stepV = stepV;
  const size_t count = positions_.Count();
  if (graph.GraphType == gtp::kSurfaceAnimation) {
    x_.resize(count);
    y_.resize(count);
    z_.resize(count);
    for (int32_t k = 0; k <= stepU; ++k) {
      for (int32_t j = 0; j <= stepV; ++j) {
        const Cls2& m = graph.Anim3D(k, j, lngAnimStep);  // raises the subscript error itself
        const size_t n = positions_.Index(k, j);
        x_[n] = m.x;
        y_[n] = m.y;
        z_[n] = m.z;
      }
    }
    positions_.x = x_.data();
    positions_.y = y_.data();
    positions_.z = z_.data();
  } else {
    if (!Covers(graph.SceneX, stepU, stepV) || !Covers(graph.SceneY, stepU, stepV) ||
        !Covers(graph.SceneZ, stepU, stepV)) {
      throw RuntimeError::SubscriptOutOfRange();
    }
    // A coordinate the graph keeps as an axis or a constant is spread out for this drawing
    // only, so the graph goes on keeping just its axis.
    auto dense = [count](const GridTable& table, std::vector<float>& own) -> const float* {
      const GridView view = table.View();
      if (view.Dense()) return view.base;
      own.resize(count);
      size_t n = 0;
      for (int32_t k = 0; k < view.columns; ++k) {
        for (int32_t j = 0; j < view.rows; ++j) own[n++] = view(k, j);
      }
      return own.data();
    };
    positions_.x = dense(graph.SceneX, x_);
    positions_.y = dense(graph.SceneY, y_);
    positions_.z = dense(graph.SceneZ, z_);
  }
  undefined_.resize(count);
  for (size_t n = 0; n < count; ++n) {
    const float x = positions_.x[n], y = positions_.y[n], z = positions_.z[n];
    undefined_[n] = !HasValue(x) || !HasValue(y) || !HasValue(z) || x == kUndefinedSample ||
                    y == kUndefinedSample || z == kUndefinedSample;
  }
}

// ---------------------------------------------------------------------------------------------
// Colours

SurfaceRanges ChannelRanges(const Cls9& graph) {
  auto range = [&graph](int32_t code) -> ChannelRange {
    switch (code) {
      case quantity::kX:
        return {graph.BoxMinX, static_cast<double>(graph.BoxMaxX) - graph.BoxMinX};
      case quantity::kY:
        return {graph.BoxMinY, static_cast<double>(graph.BoxMaxY) - graph.BoxMinY};
      case quantity::kU:
        return {graph.MinU, static_cast<double>(graph.MaxU) - graph.MinU};
      case quantity::kV:
        return {graph.MinV, static_cast<double>(graph.MaxV) - graph.MinV};
      case quantity::kMagnitude:
        return {graph.MinMag, static_cast<double>(graph.MaxMag) - graph.MinMag};
      default:
        return {};
    }
  };
  SurfaceRanges r;
  r.channel = {range(graph.ColorR), range(graph.ColorG), range(graph.ColorB)};
  r.seamX = CheckedDivide(r.channel[0].span, graph.StepU);
  r.seamY = CheckedDivide(r.channel[1].span, graph.StepV);
  r.seamZ = CheckedDivide(r.channel[2].span, std::max(graph.StepU, graph.StepV));
  return r;
}

void ComputeVertexColors(const Cls9& graph, const SurfaceRanges& ranges, std::vector<float>& rgb) {
  const int32_t stepU = graph.StepU;
  const int32_t stepV = graph.StepV;
  const size_t count = static_cast<size_t>(stepU + 1) * static_cast<size_t>(stepV + 1);
  rgb.assign(3 * count, 0.0f);
  const GridTable* tables[3] = {&graph.ColorTableR, &graph.ColorTableG, &graph.ColorTableB};
  for (int c = 0; c < 3; ++c) {
    const double low = ranges.channel[c].low;
    const double span = ranges.channel[c].span == 0.0 ? kZeroSpan : ranges.channel[c].span;
    const bool covered = Covers(*tables[c], stepU, stepV);
    const GridView q = tables[c]->View();
    size_t n = 0;
    for (int32_t k = 0; k <= stepU; ++k) {
      for (int32_t j = 0; j <= stepV; ++j, ++n) {
        const double value = covered ? q(k, j) : 0.0;
        rgb[3 * n + c] = static_cast<float>((value - low) / span);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Normals

namespace {

// The normals of the cells of row k (j = 0..StepV - 1) into out[0..2], each row of `out`
// StepV long. With flat every corner's Y is taken as flatY. A cell with a corner without a
// value gets the zero normal, so that it adds nothing to the normals of its vertices. Written
// as one plain loop over arrays so that the compiler can keep the double arithmetic in vector
// registers.
template <bool flat>
void CellNormalRow(const SurfacePositions& p, int32_t k, float flatY, float* outX, float* outY, float* outZ) {
  const float* x0 = p.x + p.Index(k, 0);
  const float* y0 = p.y + p.Index(k, 0);
  const float* z0 = p.z + p.Index(k, 0);
  const float* x1 = p.x + p.Index(k + 1, 0);
  const float* y1 = p.y + p.Index(k + 1, 0);
  const float* z1 = p.z + p.Index(k + 1, 0);
  for (int32_t j = 0; j < p.stepV; ++j) {
    // P0 = (k, j), P1 = (k + 1, j), P2 = (k + 1, j + 1), P3 = (k, j + 1).
    const double ax = static_cast<double>(x0[j]) - x1[j + 1];
    const double ay = flat ? static_cast<double>(flatY) - flatY : static_cast<double>(y0[j]) - y1[j + 1];
    const double az = static_cast<double>(z0[j]) - z1[j + 1];
    const double bx = static_cast<double>(x1[j]) - x0[j + 1];
    const double by = flat ? static_cast<double>(flatY) - flatY : static_cast<double>(y1[j]) - y0[j + 1];
    const double bz = static_cast<double>(z1[j]) - z0[j + 1];
    const double nx = ay * bz - az * by;
    const double ny = az * bx - ax * bz;
    const double nz = ax * by - ay * bx;
    double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    length = length == 0.0 ? kZeroCellNormalLength : length;
    // A corner without a value leaves NaN in the length (the flat map does not read Y).
    bool defined = HasValue(length);
    if constexpr (flat)
      defined = defined && HasValue(y0[j]) && HasValue(y0[j + 1]) && HasValue(y1[j]) && HasValue(y1[j + 1]);
    outX[j] = defined ? static_cast<float>(nx / length) : 0.0f;
    outY[j] = defined ? static_cast<float>(ny / length) : 0.0f;
    outZ[j] = defined ? static_cast<float>(nz / length) : 0.0f;
  }
}

}  // namespace

void ComputeCellNormals(const SurfacePositions& p, bool flatY, float flatYValue,
                        std::array<GridTable, 3>& cell) {
  const int32_t cellsU = std::max(p.stepU - 1, 0);
  const int32_t cellsV = std::max(p.stepV - 1, 0);
  // Sized StepU x StepV (indices k < StepU, j < StepV).
  const bool none = p.stepU < 1 || p.stepV < 1;
  // Every cell is written below; not cleared first.
  for (GridTable& t : cell) none ? t.Resize(cellsU, cellsV) : t.ResizeForWriting(cellsU, cellsV);
  if (none) return;
  const size_t rowLength = static_cast<size_t>(p.stepV);
  for (int32_t k = 0; k < p.stepU; ++k) {
    const size_t row = static_cast<size_t>(k) * rowLength;
    float* outX = cell[0].data() + row;
    float* outY = cell[1].data() + row;
    float* outZ = cell[2].data() + row;
    if (flatY) {
      CellNormalRow<true>(p, k, flatYValue, outX, outY, outZ);
    } else {
      CellNormalRow<false>(p, k, flatYValue, outX, outY, outZ);
    }
  }
}

Seam FindSeam(const SurfacePositions& p, const SurfaceRanges& ranges) {
  auto defined = [&](size_t a) { return HasValue(p.x[a]) && HasValue(p.y[a]) && HasValue(p.z[a]); };
  // Corners without a value never coincide: the grid is not known to close there.
  auto coincide = [&](size_t a, size_t b) {
    return defined(a) && defined(b) &&
           std::fabs(static_cast<double>(p.x[a]) - p.x[b]) < kSeamTolerance * ranges.seamX &&
           std::fabs(static_cast<double>(p.y[a]) - p.y[b]) < kSeamTolerance * ranges.seamY &&
           std::fabs(static_cast<double>(p.z[a]) - p.z[b]) < kSeamTolerance * ranges.seamZ;
  };
  if (p.stepU < 1 || p.stepV < 1) return Seam::kNone;
  if (coincide(p.Index(0, 0), p.Index(0, p.stepV)) &&
      coincide(p.Index(p.stepU, 0), p.Index(p.stepU, p.stepV))) {
    return Seam::kAlongJ;
  }
  if (coincide(p.Index(0, 0), p.Index(p.stepU, 0)) &&
      coincide(p.Index(0, p.stepV), p.Index(p.stepU, p.stepV))) {
    return Seam::kAlongK;
  }
  return Seam::kNone;
}

void ComputeVertexNormals(const SurfacePositions& p, const std::array<GridTable, 3>& cell, Seam seam,
                          std::array<GridTable, 3>& vertex) {
  const bool none = p.stepU < 1 || p.stepV < 1;
  // Every vertex is written below (the far line of a seam by the copy at the end).
  for (GridTable& t : vertex) none ? t.Resize(p.stepU, p.stepV) : t.ResizeForWriting(p.stepU, p.stepV);
  if (none) return;
  const int32_t cellsU = p.stepU;
  const int32_t cellsV = p.stepV;
  const float* cx = cell[0].data();
  const float* cy = cell[1].data();
  const float* cz = cell[2].data();
  float* vx = vertex[0].data();
  float* vy = vertex[1].data();
  float* vz = vertex[2].data();
  // The far border line of a seam copies the first one afterwards.
  const int32_t lastK = seam == Seam::kAlongK ? p.stepU - 1 : p.stepU;
  const int32_t lastJ = seam == Seam::kAlongJ ? p.stepV - 1 : p.stepV;
  for (int32_t k = 0; k <= lastK; ++k) {
    // The cell lines before and after vertex line k; -1 where there is none. Across a seam
    // the last cell line is the neighbour of the first vertex line.
    int32_t before = k - 1;
    if (before < 0 && seam == Seam::kAlongK) before = cellsU - 1;
    const int32_t after = k < cellsU ? k : -1;
    const int32_t lines[2] = {before, after};
    for (int32_t j = 0; j <= lastJ; ++j) {
      int32_t left = j - 1;
      if (left < 0 && seam == Seam::kAlongJ) left = cellsV - 1;
      const int32_t right = j < cellsV ? j : -1;
      const int32_t columns[2] = {left, right};
      // Summed in the order (before, left), (before, right), (after, left), (after, right).
      double sx = 0.0, sy = 0.0, sz = 0.0;
      for (int32_t line : lines) {
        if (line < 0) continue;
        for (int32_t column : columns) {
          if (column < 0) continue;
          const size_t n =
              static_cast<size_t>(line) * static_cast<size_t>(cellsV) + static_cast<size_t>(column);
          sx += cx[n];
          sy += cy[n];
          sz += cz[n];
        }
      }
      double length = std::sqrt(sx * sx + sy * sy + sz * sz);
      if (length == 0.0) length = kZeroVertexNormalLength;
      const size_t v = p.Index(k, j);
      vx[v] = static_cast<float>(sx / length);
      vy[v] = static_cast<float>(sy / length);
      vz[v] = static_cast<float>(sz / length);
    }
  }
  if (seam == Seam::kAlongJ) {
    for (int32_t k = 0; k <= p.stepU; ++k)
      for (int c = 0; c < 3; ++c) vertex[c].at(k, p.stepV) = vertex[c].at(k, 0);
  } else if (seam == Seam::kAlongK) {
    for (int32_t j = 0; j <= p.stepV; ++j)
      for (int c = 0; c < 3; ++c) vertex[c].at(p.stepU, j) = vertex[c].at(0, j);
  }
}

// ---------------------------------------------------------------------------------------------
// Extent

bool SurfaceExtent(const Cls9& graph, int32_t lngAnimStep, Cls1& box) {
  try {
    const SurfaceVertices vertices(graph, lngAnimStep);
    const SurfacePositions& p = vertices.Positions();
    Cls1 b = Cls1::Empty();
    bool any = false;
    for (size_t n = 0; n < p.Count(); ++n) {
      if (vertices.Undefined(n)) continue;
      any = true;
      b.MaxX = std::max(b.MaxX, p.x[n]);
      b.MinX = std::min(b.MinX, p.x[n]);
      b.MaxY = std::max(b.MaxY, p.y[n]);
      b.MinY = std::min(b.MinY, p.y[n]);
      b.MaxZ = std::max(b.MaxZ, p.z[n]);
      b.MinZ = std::min(b.MinZ, p.z[n]);
    }
    if (any) box = b;
    return any;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace quillon
