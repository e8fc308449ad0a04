#pragma once
// The mesh of a scene's shown surfaces as they are drawn: positions from the sampled tables
// (true values on the scene axes), the vertex colours the surface renderer gives them, the
// graph's material, holes left open and each surface cut at its clip interval.

#include <cstdint>
#include <string>

#include "export/triangle_mesh.h"
#include "scene/model/container.h"

namespace quillon {

// Which heights each surface keeps.
struct MeshClip {
  enum class Mode {
    kAsDrawn,    // the graph's own clip setting
    kAutomatic,  // the automatic range for every graph
    kOff,        // everything
    kRange,      // [min, max] on each graph's height axis
  };
  Mode mode = Mode::kAsDrawn;
  float min = 0.0f;
  float max = 0.0f;
};

// The kinds a mesh carries: surfaces (2), animated surfaces (12, at the step) and colour maps
// (13, flat in the plane z = 0 as they are drawn).
bool IsMeshKind(int32_t graphType);
// How many graphs of the scene a mesh would carry.
int32_t CountMeshSurfaces(const Cls8& drawScene);

// Appends the surfaces of drawScene for an animation step, one part each. The box limits are
// prepared as drawing prepares them (the colour ranges come from them). False with `error`
// when the mesh would not fit in memory; a graph whose tables do not cover its steps is left
// out, as the drawing leaves it out.
bool BuildSceneMesh(Cls8& drawScene, const MeshClip& clip, int32_t animStep, TriangleMesh& mesh,
                    std::string& error);

}  // namespace quillon
