// The bounding box of one graph, by kind.

#include <algorithm>
#include <cstdint>

#include "common/runtime_error.h"
#include "graph/clip_range.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

// The box loops count with 16-bit integers; a step count that does not fit one overflows.
int32_t ToLoopCount(int32_t steps) {
  if (steps > INT16_MAX || steps < INT16_MIN) throw RuntimeError::Overflow();
  return steps;
}

struct Limits {
  float maxX = kEmptyBoxMax, minX = kEmptyBoxMin;
  float maxY = kEmptyBoxMax, minY = kEmptyBoxMin;
  float maxZ = kEmptyBoxMax, minZ = kEmptyBoxMin;

  // Each limit takes a value only when it lies strictly beyond it.
  void Widen(float x, float y, float z) {
    if (x > maxX) maxX = x;
    if (x < minX) minX = x;
    if (y > maxY) maxY = y;
    if (y < minY) minY = y;
    if (z > maxZ) maxZ = z;
    if (z < minZ) minZ = z;
  }
};

// Union of the scene tables over k = 0..StepU, j = 0..StepV, leaving out the vertices of
// points without a value. A graph whose steps were changed after sampling is boxed over what
// its tables hold, never beyond them.
void WidenByTables(const Cls9& g, Limits& box) {
  const int32_t stepU = ToLoopCount(g.StepU);
  const int32_t stepV = ToLoopCount(g.StepV);
  const GridTable& sx = g.SceneX;
  const GridTable& sy = g.SceneY;
  const GridTable& sz = g.SceneZ;
  const int32_t lastK = std::min({stepU, sx.Columns() - 1, sy.Columns() - 1, sz.Columns() - 1});
  const int32_t lastJ = std::min({stepV, sx.Rows() - 1, sy.Rows() - 1, sz.Rows() - 1});
  for (int32_t k = 0; k <= lastK; ++k) {
    for (int32_t j = 0; j <= lastJ; ++j) {
      const float x = sx.at(k, j), y = sy.at(k, j), z = sz.at(k, j);
      if (HasValue(x) && HasValue(y) && HasValue(z)) box.Widen(x, y, z);
    }
  }
}

// The position of the point marker of one animation step; a marker outside the view
// (any coordinate the undefined-sample value) or a step outside the sampled range adds nothing.
void WidenByMarker(const Cls9& g, int32_t step, Limits& box) {
  if (!g.HasAnim1D()) return;
  const Cls2* marker = nullptr;
  try {
    marker = &g.Anim1D(step);
  } catch (const RuntimeError&) {
    return;
  }
  if (marker->x == kUndefinedSample || marker->y == kUndefinedSample || marker->z == kUndefinedSample) return;
  box.Widen(marker->x, marker->y, marker->z);
}

// A clipped surface is boxed within its clip range on the clipped axis: the box and its labels
// follow what is drawn. A range that misses every value boxes the range itself.
void ClipBox(const Cls9& g, Limits& box) {
  if (box.maxX < box.minX) return;
  const auto range = ResolveClipRange(g);
  if (!range) return;
  const int32_t axis = ClipAxis(g);
  float& lo = axis == 0 ? box.minX : axis == 1 ? box.minY : box.minZ;
  float& hi = axis == 0 ? box.maxX : axis == 1 ? box.maxY : box.maxZ;
  if (range->second < lo || range->first > hi) {
    lo = range->first;
    hi = range->second;
    return;
  }
  lo = std::max(lo, range->first);
  hi = std::min(hi, range->second);
}

// Plane curves are boxed by drawing: it leaves their extent in the plane-curve box.
void WidenByPlaneCurveBox(const Cls1& s, Limits& box) {
  // Axis by axis, and only where the plane-curve box is not empty on that axis.
  auto widen = [](float lo, float hi, float& minV, float& maxV) {
    if (lo > hi) return;
    if (hi > maxV) maxV = hi;
    if (lo < minV) minV = lo;
  };
  widen(s.MinX, s.MaxX, box.minX, box.maxX);
  widen(s.MinY, s.MaxY, box.minY, box.maxY);
  widen(s.MinZ, s.MaxZ, box.minZ, box.maxZ);
}

}  // namespace

// Kinds without a rule of their own (1, 11, 12, the table kinds 4 to 6, the vector 31 and
// every unknown code) keep the empty box, which the scene's union ignores.
Cls1 Cls9::GetBox(int32_t lngAnimStep, const Cls1& planeCurveBox) {
  Limits box;
  switch (GraphType) {
    case gtp::kSurface:
      // A surface with extra layers is boxed by its drawing, not by its tables.
      if (!ShowContour && !ShowVector && !ShowColormap) {
        WidenByTables(*this, box);
        ClipBox(*this, box);
      }
      break;
    case gtp::kColorMap:
    case gtp::kContourPlot:
    case gtp::kVectorPlot:
      WidenByTables(*this, box);
      break;
    case gtp::kPoint:
    case 9:
      WidenByMarker(*this, 0, box);
      break;
    case gtp::kPointAnimation:
    case 10:
      WidenByMarker(*this, lngAnimStep, box);
      break;
    case 0:
    case 3:
    case 20:
    case 21:
    case 22:
    case 23:
    case 37:
    case 38:
      // Plane scenes always show the origin.
      WidenByPlaneCurveBox(planeCurveBox, box);
      box.Widen(0.0f, 0.0f, 0.0f);
      break;
    case gtp::kVectorOperation:
      // Vectors start at the origin.
      box.Widen(0.0f, 0.0f, 0.0f);
      break;
    default:
      break;
  }

  BoxMaxX = box.maxX;
  BoxMinX = box.minX;
  BoxMaxY = box.maxY;
  BoxMinY = box.minY;
  BoxMaxZ = box.maxZ;
  BoxMinZ = box.minZ;

  return Cls1::Of(BoxMinX, BoxMaxX, BoxMinY, BoxMaxY, BoxMinZ, BoxMaxZ);
}

}  // namespace quillon
