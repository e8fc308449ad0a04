#include "render/graph_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <optional>

#include "common/color.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "common/single.h"
#include "graph/clip_range.h"
#include "graph/codes.h"
#include "graph/point.h"
#include "render/contour.h"
#include "render/marker_draw.h"
#include "render/material.h"
#include "render/plane_curve.h"
#include "render/surface.h"
#include "render/surface_prep.h"

namespace quillon {

namespace {

bool DrawnBySurfaceRenderer(int32_t type) {
  return type == 2 || type == 6 || type == 12 || type == 13 || type == 21 || type == 22;
}

bool IsPlaneCurve(int32_t type) {
  return type == 0 || type == 9 || type == 20 || type == 23 || type == 38;
}

bool ShowsLayers(const Cls9& g) {
  return g.ShowContour || g.ShowVector || g.ShowColormap;
}

// GetBox leaves a surface's box empty while layers are shown (and always for the animated
// surface). The renderer needs a real extent for the layer plane, the contour spacing and the
// colour spans, so such a graph takes the extent of the vertices it is about to draw. With
// layers shown its minimum Y is taken kLayerDrop lower, the room the layers occupy; the
// kLayerDrop that Draw then adds back leaves the renderer the surface's own minimum, and the
// layers land kLayerDrop below the surface's lowest point.
void GiveSurfaceAnExtent(Cls9& g, int32_t lngAnimStep) {
  if (g.BoxMaxX >= g.BoxMinX) return;  // GetBox gave a real box
  Cls1 extent;
  if (!SurfaceExtent(g, lngAnimStep, extent)) return;
  g.BoxMaxX = extent.MaxX;
  g.BoxMinX = extent.MinX;
  g.BoxMaxY = extent.MaxY;
  g.BoxMinY = ShowsLayers(g) ? ToSingle(extent.MinY - kLayerDrop) : extent.MinY;
  g.BoxMaxZ = extent.MaxZ;
  g.BoxMinZ = extent.MinZ;
}

void DrawMarkers(const Cls9& g, int32_t lngAnimStep) {
  const int32_t kind = State().SceneKind;
  const bool flat = kind == 1 || kind == 4 || kind == 7;
  Cls2 marker;
  marker.Color = g.PointColor;
  marker.Size = g.PointSize;
  marker.Symbol = g.PointHollow ? 2 : 1;
  std::optional<SmoothLineScope> lines;
  if (flat) lines.emplace();
  if (g.GraphType != gtp::kPointAnimation) return;  // kind 7 draws nothing more
  const Cls2& at = g.Anim1D(lngAnimStep);
  // Plane coordinates are drawn in scene units: the plane scale is 1.
  marker.x = at.x;
  marker.y = at.y;
  marker.z = at.z;
  if (marker.x == kUndefinedSample || marker.y == kUndefinedSample || marker.z == kUndefinedSample) return;
  Draw(marker);
}

void DrawContourMap(const Cls9& g, double cellX) {
  const int32_t nx = g.StepU + 1;
  const int32_t ny = g.StepV + 1;
  if (g.SceneY.Columns() != nx || g.SceneY.Rows() != ny) throw RuntimeError::SubscriptOutOfRange();
  ContourGrid grid(nx, ny);
  for (int32_t k = 0; k < nx; ++k)
    for (int32_t j = 0; j < ny; ++j) grid.at(k + 1, j + 1) = g.SceneY.at(k, j);
  // The rows of the grid run along scene Z, so their spacing is the Z extent over StepV.
  const float dx = ToSingle(cellX);
  const float dz = ToSingle(CheckedDivide(static_cast<double>(g.BoxMaxZ) - g.BoxMinZ, g.StepV));
  // Grid column 1 lies on the first grid line.
  const float x0 = ToSingle(static_cast<double>(g.BoxMinX) - dx);
  const float z0 = ToSingle(static_cast<double>(g.BoxMinZ) - dz);
  CContour().Contour(nx, ny, dx, dz, grid, x0, z0, g.BoxMinY, g.ContourLevel, g.FillStyle, g.FirstColor,
                     g.SecondColor, g.LineWidth);
}

// A clipped surface is cut by two clip planes across its clipped axis while it is drawn: a
// cell that reaches past the range ends exactly at the plane, with no spike and no stretched
// cell. The planes are given in the graph's own coordinates, so they follow any scaling of the
// scene. Colour maps lie flat and are not cut.
class ClipPlanes {
 public:
  explicit ClipPlanes(const Cls9& g) {
    if (g.GraphType == gtp::kColorMap) return;
    const auto range = ResolveClipRange(g);
    if (!range) return;
    const int32_t axis = ClipAxis(g);
    double low[4] = {0.0, 0.0, 0.0, 0.0}, high[4] = {0.0, 0.0, 0.0, 0.0};
    low[axis] = 1.0;  // keeps value >= first
    low[3] = -static_cast<double>(range->first);
    high[axis] = -1.0;  // keeps value <= second
    high[3] = static_cast<double>(range->second);
    glClipPlane(GL_CLIP_PLANE0, low);
    glClipPlane(GL_CLIP_PLANE1, high);
    glEnable(GL_CLIP_PLANE0);
    glEnable(GL_CLIP_PLANE1);
    active_ = true;
  }
  ~ClipPlanes() {
    if (!active_) return;
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
  }
  ClipPlanes(const ClipPlanes&) = delete;
  ClipPlanes& operator=(const ClipPlanes&) = delete;

 private:
  bool active_ = false;
};

void DrawGraph(Cls9& g, int32_t& lngAnimStep, Cls1& planeCurveBox, std::string& resultText) {
  resultText.clear();
  PrepareGraphBox(g, lngAnimStep, planeCurveBox);

  // Cell sizes; a fault here ends the drawing before any state changes.
  const double cellX = CheckedFinite(CheckedDivide(static_cast<double>(g.BoxMaxX) - g.BoxMinX, g.StepU));
  CheckedFinite(CheckedDivide(static_cast<double>(g.BoxMaxY) - g.BoxMinY, g.StepV));
  CheckedFinite(CheckedDivide(static_cast<double>(g.BoxMaxZ) - g.BoxMinZ, std::max(g.StepU, g.StepV)));

  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, g.Material == material::kNeon ? GL_EMISSION : GL_DIFFUSE);
  Cls11 material;
  material.SetMaterial(g.Material);

  const ColorParts second = SplitColor(g.SecondColor);
  const int32_t type = g.GraphType;
  if (DrawnBySurfaceRenderer(type)) {
    const ClipPlanes clip(g);
    RenderSurface(g, lngAnimStep);
  } else if (IsPlaneCurve(type)) {
    resultText += PlaneCurveStatus(g);
    if (const std::optional<Cls1> extent = DrawPlaneCurve(g, second)) planeCurveBox = *extent;
  } else if (type == gtp::kCurve3D || type == gtp::kCurve3DAnimation) {
    DrawPolyline(g, lngAnimStep, second);
  } else if (type == gtp::kPoint || type == gtp::kPointAnimation) {
    DrawMarkers(g, lngAnimStep);
  } else if (type == gtp::kContourPlot) {
    DrawContourMap(g, cellX);
  } else if (type == gtp::kVectorPlot) {
    EnableSmoothLines();
    glColor3d(second.r, second.g, second.b);
  }
  // Any other kind draws nothing.
}

}  // namespace

void PrepareGraphBox(Cls9& g, int32_t lngAnimStep, const Cls1& planeCurveBox) {
  g.GetBox(g.Animation ? lngAnimStep : 0, planeCurveBox);
  if (DrawnBySurfaceRenderer(g.GraphType)) GiveSurfaceAnExtent(g, lngAnimStep);
  if (ShowsLayers(g)) g.BoxMinY = ToSingle(static_cast<double>(g.BoxMinY) + kLayerDrop);
}

void Draw(Cls9& graph, int32_t& lngAnimStep, Cls1& planeCurveBox, std::string& resultText) {
  try {
    DrawGraph(graph, lngAnimStep, planeCurveBox, resultText);
  } catch (const RuntimeError&) {
    // A floating-point fault or a table that does not cover the graph ends the drawing
    // silently; whatever was drawn before it stays in the frame.
  }
}

}  // namespace quillon
