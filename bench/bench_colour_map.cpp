// A colour map of E2 = sin(z)/z + z^3 at 1000 x 1000 in Enhanced phase, from the dialog's OK
// (sampling, the graph joining the scene) to the first frame at 800 x 600; and a map zoomed
// into a small part of its domain, sampled again at 800 x 600 and drawn. The baseline is
// bench/phase_mpl.py: numpy and matplotlib imshow of the same phase picture, run beside it by
// scripts/bench.sh.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "bench/offscreen_bench.h"
#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/colouring.h"
#include "graph/graph.h"
#include "graph/sampling.h"
#include "graph/view_sampling.h"
#include "render/material.h"
#include "render/offscreen_context.h"
#include "scene/camera_gl.h"
#include "scene/headless_render.h"
#include "scene/model/axes_frame.h"
#include "scene/model/container.h"
#include "scene/model/light.h"
#include "scene/scene_frame.h"

namespace {

using namespace quillon;

using bench::kHeight;
using bench::kWidth;
using bench::Shared;
using Bench = bench::OffscreenBench;

// What the colour map dialog's OK makes of E2 over [-2, 2]^2 with n steps.
std::shared_ptr<Cls9> E2Map(int n) {
  auto g = std::make_shared<Cls9>(
      Cls9{}.Init(1, "E2", gtp::kColorMap, ctp::kCartesian, "", "", "sin(z)/z+z^3", n, n, -2, 2, -2, 2, 3,
                  255, 0, 0, 1, material::kMetal, shw::kSurface, smt::kSmoothest, false, false, false, 0));
  g->FunForm = fun::kExplicit;
  g->VarX = quantity::kX;
  g->VarY = quantity::kMagnitude;
  g->VarZ = quantity::kY;
  g->ColorR = quantity::kU;
  g->ColorG = quantity::kV;
  g->ColorB = quantity::kMagnitude;
  g->Extras = GraphExtras::NewColorMap();
  return g;
}

void StartScene(Cls8& scene, Cls3& axes) {
  ResetProgramState();
  State().SceneKind = 7;
  axes.SetDefault();
  axes.Show = true;
  scene.RotRoll = scene.RotPitch = scene.RotYaw = 0.0f;
}

// What the dialog's OK does for an E2 map of 1000 x 1000 steps: start the scene, sample the map,
// fit the view; Draw then compiles and shows a frame.
struct MapScene {
  MapScene() {
    StartScene(scene, axes);
    SetScreen(camera, kWidth, kHeight);
    camera.SetViewRect(camera.VolWidth, camera.VolHeight);
    map = E2Map(1000);
    map->GetPoints({});
    scene.Add(map, "1");
    ZoomToFit(camera, scene, false, SceneExtras{}, SceneDrawState{});
  }
  void Draw(SceneFrame& frame) {
    SceneDrawState drawState;
    frame.CompileScene(scene, axes, drawState);
    int32_t step = 0;
    frame.Display(step, scene, camera, light, drawState);
  }
  Cls8 scene;
  Cls3 axes;
  Cls4 camera;
  Cls10 light;
  std::shared_ptr<Cls9> map;
};

void BM_ColourMapOkToFirstFrame(benchmark::State& st) {
  Bench& b = Shared();
  for (auto _ : st) {
    MapScene m;
    m.Draw(b.frame);
  }
}
BENCHMARK(BM_ColourMapOkToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ZoomedMapResampleAndFrame(benchmark::State& st) {
  Bench& b = Shared();
  MapScene m;
  const ModulusRange range = ModulusRangeOf(*m.map);
  // A zoomed view: a 0.4 x 0.3 window of the 4 x 4 domain, at the drawing area's pixels.
  const PlaneRect seen{0.3, 0.7, 0.4, 0.7};
  for (auto _ : st) {
    auto image = SampleView(*m.map, seen, kWidth, kHeight, range);
    if (!image) st.SkipWithError("view not sampled");
    m.map->ScreenView = std::make_shared<const ViewImage>(std::move(*image));
    m.Draw(b.frame);
  }
}
BENCHMARK(BM_ZoomedMapResampleAndFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
