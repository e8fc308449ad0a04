// The cost of the frame: CompileScene and one Display at 800 x 600 of one lit surface with the
// axes frame, against a baseline that draws the same cells with the least GL work possible
// (per row one begin/end pair of the same quads, colours only, no normals), compiled and called
// the same way.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "bench/offscreen_bench.h"
#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sampling.h"
#include "render/material.h"
#include "render/offscreen_context.h"
#include "scene/camera_gl.h"
#include "scene/headless_render.h"
#include "scene/light_gl.h"
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
constexpr int kWarmUpFrames = 5;

// A w = sin(z) surface of n x n cells over [-2, 2]^2, x across, u up, y in depth.
struct Scene {
  explicit Scene(int n) {
    ResetProgramState();
    State().SceneKind = 3;
    State().TitleLetterX = "X";
    State().TitleLetterY = "Y";
    State().TitleLetterZ = "U";
    auto g = std::make_shared<Cls9>(
        Cls9{}.Init(1, "surface", gtp::kSurface, ctp::kCartesian, "", "", "sin(z)", n, n, -2, 2, -2, 2, 0,
                    255, 0, 0, 1, material::kMetal, shw::kSurface, smt::kSmoothest, false, false, false, 0));
    g->FunForm = fun::kExplicit;
    g->VarX = quantity::kX;
    g->VarY = quantity::kU;
    g->VarZ = quantity::kY;
    g->ColorR = quantity::kU;
    g->ColorG = quantity::kV;
    g->ColorB = quantity::kMagnitude;
    g->GetPoints(SamplingSettings{});
    graph = g;
    drawScene.Add(g, "1");
    axes.SetDefault();
    ApplyPresetView(drawScene, PresetView::Iso);
    SetScreen(camera, kWidth, kHeight);
    ZoomToFit(camera, drawScene, false, SceneExtras{}, drawState);
  }
  std::shared_ptr<Cls9> graph;
  Cls8 drawScene;
  Cls3 axes;
  Cls4 camera;
  Cls10 light;
  SceneDrawState drawState;
};

// The least the same picture needs: per row one GL_QUADS pair of coloured corners P0, P1, P2,
// P3. Not a quad strip: GL splits a strip's quads along the other diagonal, so a strip draws
// other triangles than the surface's quads and sends half the corners.
uint32_t CompileBaseline(const Cls9& g) {
  const uint32_t list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  for (int32_t k = 0; k < g.StepU; ++k) {
    glBegin(GL_QUADS);
    for (int32_t j = 0; j < g.StepV; ++j) {
      const int32_t ck[4] = {k, k + 1, k + 1, k};
      const int32_t cj[4] = {j, j, j + 1, j + 1};
      for (int c = 0; c < 4; ++c) {
        glColor3f(g.ColorTableR.at(ck[c], cj[c]), g.ColorTableG.at(ck[c], cj[c]),
                  g.ColorTableB.at(ck[c], cj[c]));
        glVertex3f(g.SceneX.at(ck[c], cj[c]), g.SceneY.at(ck[c], cj[c]), g.SceneZ.at(ck[c], cj[c]));
      }
    }
    glEnd();
  }
  glEndList();
  return list;
}

void DisplayBaseline(uint32_t list, Scene& s) {
  glDisable(GL_LIGHTING);
  Projection(s.camera, s.drawScene, s.drawState.planeCurveBox);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glCallList(list);
  glFinish();
}

// The same list drawn lit as the surface is (its light, material and colour tracking), with
// one normal for all corners: how much of the scene's frame is the lighting itself.
void DisplayBaselineLit(uint32_t list, Scene& s) {
  SetLight(s.light);
  Cls11 metal;
  metal.SetMaterial(material::kMetal);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  glNormal3f(0.0f, 1.0f, 0.0f);
  Projection(s.camera, s.drawScene, s.drawState.planeCurveBox);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glCallList(list);
  glFinish();
  glDisable(GL_COLOR_MATERIAL);
}

void BM_CompileScene(benchmark::State& st) {
  Bench& b = Shared();
  Scene s(static_cast<int>(st.range(0)));
  for (auto _ : st) {
    b.frame.CompileScene(s.drawScene, s.axes, s.drawState);
    glFinish();
  }
}

void BM_CompileBaseline(benchmark::State& st) {
  Shared();
  Scene s(static_cast<int>(st.range(0)));
  for (auto _ : st) {
    const uint32_t list = CompileBaseline(*s.graph);
    glFinish();
    st.PauseTiming();
    glDeleteLists(list, 1);
    st.ResumeTiming();
  }
}

void BM_DisplayScene(benchmark::State& st) {
  Bench& b = Shared();
  Scene s(static_cast<int>(st.range(0)));
  b.frame.CompileScene(s.drawScene, s.axes, s.drawState);
  int32_t step = 1;
  // llvmpipe compiles a shader variant the first time a state combination is drawn, which
  // takes longer than many frames: warm up before timing.
  for (int i = 0; i < kWarmUpFrames; ++i) b.frame.Display(step, s.drawScene, s.camera, s.light, s.drawState);
  for (auto _ : st) b.frame.Display(step, s.drawScene, s.camera, s.light, s.drawState);
}

void BM_DisplayBaseline(benchmark::State& st) {
  Shared();
  Scene s(static_cast<int>(st.range(0)));
  const uint32_t list = CompileBaseline(*s.graph);
  for (int i = 0; i < kWarmUpFrames; ++i) DisplayBaseline(list, s);
  for (auto _ : st) DisplayBaseline(list, s);
  glDeleteLists(list, 1);
}

void BM_DisplayBaselineLit(benchmark::State& st) {
  Shared();
  Scene s(static_cast<int>(st.range(0)));
  const uint32_t list = CompileBaseline(*s.graph);
  for (int i = 0; i < kWarmUpFrames; ++i) DisplayBaselineLit(list, s);
  for (auto _ : st) DisplayBaselineLit(list, s);
  glDeleteLists(list, 1);
}

BENCHMARK(BM_CompileScene)->Arg(60)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileBaseline)->Arg(60)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayScene)->Arg(60)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayBaseline)->Arg(60)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayBaselineLit)->Arg(60)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
