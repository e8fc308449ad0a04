#include "export/surface_mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/memory_budget.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

constexpr uint32_t kNoVertex = std::numeric_limits<uint32_t>::max();

// A corner of a (clipped) triangle: a grid vertex (a == b, plane < 0) or the point where the
// grid edge a-b meets a clip plane (0 the lower, 1 the upper). Naming a cut by its edge, not
// by its position, lets the two triangles beside an edge share one vertex there.
struct Corner {
  uint32_t a = 0;
  uint32_t b = 0;
  int32_t plane = -1;
};

using Polygon = std::vector<Corner>;

class GridMeshBuilder {
 public:
  GridMeshBuilder(const SurfaceGrid& grid, const std::optional<HeightInterval>& keep, TriangleMesh& mesh)
      : grid_(grid), keep_(keep), mesh_(mesh), count_(Count(grid)), gridVertex_(count_, kNoVertex) {
    coords_ = {grid.x, grid.y, grid.z};
    if (keep_) height_ = coords_[static_cast<size_t>(std::clamp(keep_->axis, 0, 2))];
  }

  size_t Build() {
    const size_t before = mesh_.TriangleCount();
    const uint32_t rows = static_cast<uint32_t>(grid_.stepV) + 1;
    for (int32_t k = 0; k < grid_.stepU; ++k) {
      for (int32_t j = 0; j < grid_.stepV; ++j) {
        const uint32_t p0 = static_cast<uint32_t>(k) * rows + static_cast<uint32_t>(j);
        const uint32_t p1 = p0 + rows;
        const uint32_t p2 = p1 + 1;
        const uint32_t p3 = p0 + 1;
        if (!Defined(p0) || !Defined(p1) || !Defined(p2) || !Defined(p3)) continue;
        AddTriangle(p0, p1, p3);
        AddTriangle(p1, p2, p3);
      }
    }
    return mesh_.TriangleCount() - before;
  }

 private:
  static size_t Count(const SurfaceGrid& grid) {
    if (grid.stepU < 1 || grid.stepV < 1) return 0;
    return (static_cast<size_t>(grid.stepU) + 1) * (static_cast<size_t>(grid.stepV) + 1);
  }

  bool Defined(uint32_t n) const {
    return HasValue(grid_.x[n]) && HasValue(grid_.y[n]) && HasValue(grid_.z[n]);
  }

  // Signed distance of a corner inside a plane's kept side (>= 0 kept).
  double Inside(const Corner& c, int32_t plane) const {
    const double h = c.plane < 0 ? static_cast<double>(height_[c.a]) : PlaneHeight(c.plane);
    return plane == 0 ? h - keep_->min : static_cast<double>(keep_->max) - h;
  }
  double PlaneHeight(int32_t plane) const { return plane == 0 ? keep_->min : keep_->max; }

  bool Kept(uint32_t n) const { return height_[n] >= keep_->min && height_[n] <= keep_->max; }

  void AddTriangle(uint32_t a, uint32_t b, uint32_t c) {
    if (!keep_ || (Kept(a) && Kept(b) && Kept(c))) {
      // One after the other, so that vertices are numbered in the order of the corners.
      const uint32_t first = Vertex({a, a, -1});
      const uint32_t second = Vertex({b, b, -1});
      Emit(first, second, Vertex({c, c, -1}));
      return;
    }
    Polygon polygon{{a, a, -1}, {b, b, -1}, {c, c, -1}};
    for (int32_t plane = 0; plane < 2 && polygon.size() >= 3; ++plane) polygon = Clip(polygon, plane);
    if (polygon.size() < 3) return;
    const uint32_t first = Vertex(polygon[0]);
    uint32_t previous = Vertex(polygon[1]);
    for (size_t i = 2; i < polygon.size(); ++i) {
      const uint32_t next = Vertex(polygon[i]);
      Emit(first, previous, next);
      previous = next;
    }
  }

  // One pass of polygon clipping against a plane: the corners on the kept side, and a cut
  // corner wherever an edge crosses strictly from one side to the other.
  Polygon Clip(const Polygon& in, int32_t plane) const {
    Polygon out;
    out.reserve(in.size() + 1);
    for (size_t i = 0; i < in.size(); ++i) {
      const Corner& p = in[i];
      const Corner& q = in[(i + 1) % in.size()];
      const double dp = Inside(p, plane);
      const double dq = Inside(q, plane);
      if (dp >= 0.0) out.push_back(p);
      if ((dp > 0.0 && dq < 0.0) || (dp < 0.0 && dq > 0.0)) {
        if (const auto edge = GridEdge(p, q)) out.push_back({edge->first, edge->second, plane});
      }
    }
    return out;
  }

  // The grid edge both corners lie on. An edge that crosses a plane always has one: the only
  // other edges a clipped triangle has lie in a clip plane, and those cannot cross the other.
  static std::optional<std::pair<uint32_t, uint32_t>> GridEdge(const Corner& p, const Corner& q) {
    auto ordered = [](uint32_t u, uint32_t w) { return std::make_pair(std::min(u, w), std::max(u, w)); };
    auto across = [](const Corner& cut, uint32_t end) -> std::optional<uint32_t> {
      if (cut.a == end) return cut.b;
      if (cut.b == end) return cut.a;
      return std::nullopt;
    };
    if (p.plane < 0 && q.plane < 0) return ordered(p.a, q.a);
    if (p.plane < 0 || q.plane < 0) {
      const Corner& grid = p.plane < 0 ? p : q;
      const Corner& cut = p.plane < 0 ? q : p;
      if (const auto other = across(cut, grid.a)) return ordered(grid.a, *other);
      return std::nullopt;
    }
    if (p.a == q.a && p.b == q.b) return std::make_pair(p.a, p.b);
    return std::nullopt;
  }

  uint32_t Vertex(const Corner& c) {
    if (c.plane < 0) {
      uint32_t& index = gridVertex_[c.a];
      if (index == kNoVertex) index = Append(c.a, c.a, 0.0, -1);
      return index;
    }
    const uint64_t key = ((static_cast<uint64_t>(c.a) * count_ + c.b) << 1) | static_cast<uint64_t>(c.plane);
    const auto found = cuts_.find(key);
    if (found != cuts_.end()) return found->second;
    const double da = static_cast<double>(height_[c.a]) - PlaneHeight(c.plane);
    const double db = static_cast<double>(height_[c.b]) - PlaneHeight(c.plane);
    const uint32_t index = Append(c.a, c.b, da / (da - db), c.plane);
    cuts_.emplace(key, index);
    return index;
  }

  // A vertex at t along the grid edge a-b; on a plane its height is the plane's exactly.
  uint32_t Append(uint32_t a, uint32_t b, double t, int32_t plane) {
    const auto index = static_cast<uint32_t>(mesh_.VertexCount());
    for (size_t axis = 0; axis < 3; ++axis) {
      const double from = coords_[axis][a];
      mesh_.positions.push_back(static_cast<float>(from + t * (coords_[axis][b] - from)));
    }
    if (plane >= 0) {
      mesh_.positions[3 * static_cast<size_t>(index) + static_cast<size_t>(keep_->axis)] =
          static_cast<float>(PlaneHeight(plane));
    }
    for (size_t channel = 0; channel < 3; ++channel) {
      double value = 1.0;
      if (grid_.rgb) {
        const double from = grid_.rgb[3 * a + channel];
        value = from + t * (grid_.rgb[3 * b + channel] - from);
      }
      mesh_.colors.push_back(static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)));
    }
    return index;
  }

  void Emit(uint32_t a, uint32_t b, uint32_t c) {
    if (a == b || b == c || a == c) return;
    mesh_.triangles.insert(mesh_.triangles.end(), {a, b, c});
  }

  const SurfaceGrid& grid_;
  const std::optional<HeightInterval>& keep_;
  TriangleMesh& mesh_;
  size_t count_;
  std::array<const float*, 3> coords_{};
  const float* height_ = nullptr;
  std::vector<uint32_t> gridVertex_;
  std::unordered_map<uint64_t, uint32_t> cuts_;
};

}  // namespace

uint64_t SurfaceMeshBytes(int32_t stepU, int32_t stepV) {
  if (stepU < 1 || stepV < 1) return 0;
  const uint64_t vertices = (uint64_t(stepU) + 1) * (uint64_t(stepV) + 1);
  const uint64_t triangles = 2 * uint64_t(stepU) * uint64_t(stepV);
  // Position, colour and index map per vertex; three indices per triangle.
  return SaturatingAdd(SaturatingMultiply(vertices, 12 + 3 + 4), SaturatingMultiply(triangles, 12));
}

size_t AppendSurfaceMesh(const SurfaceGrid& grid, const std::optional<HeightInterval>& keep,
                         const std::string& name, const MeshMaterial& material, TriangleMesh& mesh) {
  MeshPart part;
  part.name = name;
  part.material = material;
  part.firstTriangle = mesh.TriangleCount();
  std::optional<HeightInterval> interval = keep;
  if (interval && interval->min > interval->max) std::swap(interval->min, interval->max);
  if (interval) interval->axis = std::clamp(interval->axis, 0, 2);
  GridMeshBuilder builder(grid, interval, mesh);
  part.triangleCount = builder.Build();
  mesh.parts.push_back(part);
  return part.triangleCount;
}

}  // namespace quillon
