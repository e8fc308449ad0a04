#include "scene/scene_mesh.h"

#include <limits>
#include <vector>

#include "common/memory_budget.h"
#include "common/runtime_error.h"
#include "export/graph_mesh.h"
#include "export/surface_mesh.h"
#include "graph/codes.h"
#include "render/graph_draw.h"
#include "render/material.h"
#include "render/surface_prep.h"

namespace quillon {

namespace {

std::optional<HeightInterval> ClipFor(const Cls9& graph, const MeshClip& clip) {
  if (graph.GraphType == gtp::kColorMap) return std::nullopt;  // flat: nothing to cut
  const std::optional<int32_t> axis = HeightAxisOf(graph);
  switch (clip.mode) {
    case MeshClip::Mode::kAsDrawn:
      return GraphClipInterval(graph);
    case MeshClip::Mode::kOff:
      return std::nullopt;
    case MeshClip::Mode::kRange:
      if (axis) return HeightInterval{*axis, clip.min, clip.max};
      return std::nullopt;
    case MeshClip::Mode::kAutomatic:
      if (const auto range = AutomaticClipRange(graph); range && axis)
        return HeightInterval{*axis, range->first, range->second};
      return std::nullopt;
  }
  return std::nullopt;
}

MeshMaterial MaterialOf(const Cls9& graph) {
  MeshMaterial m;
  if (graph.Material < 1 || graph.Material > 13) return m;
  const MaterialPreset& preset = MaterialPresets()[static_cast<size_t>(graph.Material - 1)];
  for (size_t i = 0; i < 3; ++i) {
    m.ambient[i] = preset.ambient[i];
    m.diffuse[i] = preset.diffuse[i];
    m.specular[i] = preset.specular[i];
  }
  m.shininess = preset.shininess;
  return m;
}

std::string PartName(const Cls9& graph) {
  std::string name = graph.NameS.empty() ? "graph" + std::to_string(graph.ID) : graph.NameS;
  for (char& c : name)
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = '_';
  return name;
}

// The positions as the surface renderer draws them, undefined vertices as NaN.
struct DrawnPositions {
  std::vector<float> x, y, z;
  SurfaceGrid grid;

  DrawnPositions(const Cls9& graph, int32_t animStep) {
    const SurfaceVertices vertices(graph, animStep);
    const SurfacePositions& p = vertices.Positions();
    const bool flat = graph.GraphType == gtp::kColorMap;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    x.resize(p.Count());
    y.resize(p.Count());
    z.resize(p.Count());
    for (size_t n = 0; n < p.Count(); ++n) {
      const bool undefined = vertices.Undefined(n);
      x[n] = undefined ? nan : p.x[n];
      y[n] = undefined ? nan : (flat ? p.z[n] : p.y[n]);
      z[n] = undefined ? nan : (flat ? 0.0f : p.z[n]);
    }
    grid = {p.stepU, p.stepV, x.data(), y.data(), z.data(), nullptr};
  }
};

}  // namespace

bool IsMeshKind(int32_t graphType) {
  return graphType == gtp::kSurface || graphType == gtp::kSurfaceAnimation || graphType == gtp::kColorMap;
}

int32_t CountMeshSurfaces(const Cls8& drawScene) {
  int32_t count = 0;
  for (const Cls8::Entry& entry : drawScene.FunSurfs())
    if (IsMeshKind(entry.graph->GraphType)) ++count;
  return count;
}

bool BuildSceneMesh(Cls8& drawScene, const MeshClip& clip, int32_t animStep, TriangleMesh& mesh,
                    std::string& error) {
  uint64_t bytes = 0;
  for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
    const Cls9& g = *entry.graph;
    // Working copies of the positions and colours beside the mesh itself.
    if (IsMeshKind(g.GraphType))
      bytes = SaturatingAdd(
          bytes, SaturatingAdd(SurfaceMeshBytes(g.StepU, g.StepV),
                               SaturatingMultiply(uint64_t(g.StepU + 1) * uint64_t(g.StepV + 1), 24)));
  }
  if (const auto refused = RefuseAllocation(bytes, "The mesh of the shown surfaces")) {
    error = *refused;
    return false;
  }
  for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
    Cls9& g = *entry.graph;
    if (!IsMeshKind(g.GraphType)) continue;
    const int32_t step = g.Animation ? animStep : 0;
    try {
      PrepareGraphBox(g, step, Cls1::Empty());  // surfaces only: no plane curve
      DrawnPositions positions(g, step);
      std::vector<float> rgb;
      ComputeVertexColors(g, ChannelRanges(g), rgb);
      if (rgb.size() == 3 * positions.x.size()) positions.grid.rgb = rgb.data();
      AppendSurfaceMesh(positions.grid, ClipFor(g, clip), PartName(g), MaterialOf(g), mesh);
    } catch (const RuntimeError&) {
      // Tables that do not cover the steps, or colour ranges that cannot be formed: the
      // drawing of this graph ends there too.
    }
  }
  return true;
}

}  // namespace quillon
