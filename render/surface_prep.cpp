#include "render/surface_prep.h"

#include <algorithm>
#include <cmath>

#include "common/runtime_error.h"
#include "common/single.h"
#include "graph/codes.h"
#include "graph/point.h"

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
    positions_.x = graph.SceneX.data();
    positions_.y = graph.SceneY.data();
    positions_.z = graph.SceneZ.data();
  }
  undefined_.resize(count);
  for (size_t n = 0; n < count; ++n) {
    undefined_[n] = positions_.x[n] == kUndefinedSample || positions_.y[n] == kUndefinedSample ||
                    positions_.z[n] == kUndefinedSample;
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

void ComputeVertexColors(const Cls9& graph, const SurfaceRanges& ranges, std::vector<double>& rgb) {
  const int32_t stepU = graph.StepU;
  const int32_t stepV = graph.StepV;
  const size_t count = static_cast<size_t>(stepU + 1) * static_cast<size_t>(stepV + 1);
  rgb.assign(3 * count, 0.0);
  const GridTable* tables[3] = {&graph.ColorTableR, &graph.ColorTableG, &graph.ColorTableB};
  for (int c = 0; c < 3; ++c) {
    const double low = ranges.channel[c].low;
    const double span = ranges.channel[c].span == 0.0 ? kZeroSpan : ranges.channel[c].span;
    const bool covered = Covers(*tables[c], stepU, stepV);
    const float* q = tables[c]->data();
    for (size_t n = 0; n < count; ++n) {
      const double value = covered ? q[n] : 0.0;
      rgb[3 * n + c] = (value - low) / span;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Normals

void ComputeCellNormals(const SurfacePositions& p, bool flatY, float flatYValue,
                        std::array<GridTable, 3>& cell) {
  const int32_t cellsU = std::max(p.stepU - 1, 0);
  const int32_t cellsV = std::max(p.stepV - 1, 0);
  // Sized StepU x StepV (indices k < StepU, j < StepV).
  for (GridTable& t : cell) t.Resize(cellsU, cellsV);
  if (p.stepU < 1 || p.stepV < 1) return;
  auto y = [&](size_t n) -> double { return flatY ? flatYValue : p.y[n]; };
  for (int32_t k = 0; k < p.stepU; ++k) {
    for (int32_t j = 0; j < p.stepV; ++j) {
      const size_t n0 = p.Index(k, j);
      const size_t n1 = p.Index(k + 1, j);
      const size_t n2 = p.Index(k + 1, j + 1);
      const size_t n3 = p.Index(k, j + 1);
      const double ax = static_cast<double>(p.x[n0]) - p.x[n2];
      const double ay = y(n0) - y(n2);
      const double az = static_cast<double>(p.z[n0]) - p.z[n2];
      const double bx = static_cast<double>(p.x[n1]) - p.x[n3];
      const double by = y(n1) - y(n3);
      const double bz = static_cast<double>(p.z[n1]) - p.z[n3];
      const double nx = ay * bz - az * by;
      const double ny = az * bx - ax * bz;
      const double nz = ax * by - ay * bx;
      double length = std::sqrt(nx * nx + ny * ny + nz * nz);
      if (length == 0.0) length = kZeroCellNormalLength;
      cell[0].at(k, j) = static_cast<float>(nx / length);
      cell[1].at(k, j) = static_cast<float>(ny / length);
      cell[2].at(k, j) = static_cast<float>(nz / length);
    }
  }
}

Seam FindSeam(const SurfacePositions& p, const SurfaceRanges& ranges) {
  auto coincide = [&](size_t a, size_t b) {
    return std::fabs(static_cast<double>(p.x[a]) - p.x[b]) < kSeamTolerance * ranges.seamX &&
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
  for (GridTable& t : vertex) t.Resize(p.stepU, p.stepV);
  if (p.stepU < 1 || p.stepV < 1) return;
  const int32_t cellsU = p.stepU;
  const int32_t cellsV = p.stepV;
  auto store = [&](int32_t k, int32_t j, double sx, double sy, double sz) {
    double length = std::sqrt(sx * sx + sy * sy + sz * sz);
    if (length == 0.0) length = kZeroVertexNormalLength;
    vertex[0].at(k, j) = static_cast<float>(sx / length);
    vertex[1].at(k, j) = static_cast<float>(sy / length);
    vertex[2].at(k, j) = static_cast<float>(sz / length);
  };
  for (int32_t k = 0; k <= p.stepU; ++k) {
    for (int32_t j = 0; j <= p.stepV; ++j) {
      // The far border line of a seam copies the first one below.
      if (seam == Seam::kAlongJ && j == p.stepV) continue;
      if (seam == Seam::kAlongK && k == p.stepU) continue;
      double sx = 0.0, sy = 0.0, sz = 0.0;
      for (int32_t dk = -1; dk <= 0; ++dk) {
        int32_t ck = k + dk;
        if (ck < 0 && seam == Seam::kAlongK) ck = cellsU - 1;  // the last cell line is the neighbour
        if (ck < 0 || ck >= cellsU) continue;
        for (int32_t dj = -1; dj <= 0; ++dj) {
          int32_t cj = j + dj;
          if (cj < 0 && seam == Seam::kAlongJ) cj = cellsV - 1;
          if (cj < 0 || cj >= cellsV) continue;
          sx += cell[0].at(ck, cj);
          sy += cell[1].at(ck, cj);
          sz += cell[2].at(ck, cj);
        }
      }
      store(k, j, sx, sy, sz);
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
