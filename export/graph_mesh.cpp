#include "export/graph_mesh.h"

#include "graph/clip_range.h"
#include "graph/codes.h"

namespace quillon {

namespace {

bool CarriesW(int32_t code) {
  return code == quantity::kU || code == quantity::kV || code == quantity::kMagnitude;
}

bool Covers(const GridTable& table, const Cls9& graph) {
  return table.Columns() == graph.StepU + 1 && table.Rows() == graph.StepV + 1;
}

}  // namespace

SurfaceGrid SceneGridOf(const Cls9& graph) {
  SurfaceGrid grid;
  if (!Covers(graph.SceneX, graph) || !Covers(graph.SceneY, graph) || !Covers(graph.SceneZ, graph))
    return grid;
  grid.stepU = graph.StepU;
  grid.stepV = graph.StepV;
  grid.x = graph.SceneX.data();
  grid.y = graph.SceneY.data();
  grid.z = graph.SceneZ.data();
  return grid;
}

std::optional<int32_t> HeightAxisOf(const Cls9& graph) {
  if (CarriesW(graph.VarY)) return 1;
  if (CarriesW(graph.VarX)) return 0;
  if (CarriesW(graph.VarZ)) return 2;
  return std::nullopt;
}

std::optional<std::pair<float, float>> AutomaticClipRange(const Cls9& graph) {
  const std::optional<int32_t> axis = HeightAxisOf(graph);
  if (!axis) return std::nullopt;
  const GridTable& table = *axis == 0 ? graph.SceneX : *axis == 1 ? graph.SceneY : graph.SceneZ;
  return AutomaticClipRange(table);  // the drawing's rule, so the mesh is cut where the picture is
}

std::optional<HeightInterval> GraphClipInterval(const Cls9& graph) {
  const std::optional<int32_t> axis = HeightAxisOf(graph);
  if (!axis) return std::nullopt;
  switch (graph.Extras.clip) {
    case ClipMode::kOff:
      return std::nullopt;
    case ClipMode::kRange:
      return HeightInterval{*axis, graph.Extras.clipMin, graph.Extras.clipMax};
    case ClipMode::kAutomatic:
      if (const auto range = ResolveClipRange(graph))
        return HeightInterval{*axis, range->first, range->second};
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace quillon
