// GetPoints: prepares the texts and steps, sizes the tables, compiles the function once and
// hands the kind to the grid or the marker sampler.

#include "graph/sampling.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/memory_budget.h"
#include "common/single.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/sampling_markers.h"

namespace quillon {

namespace {

// The eleven tables sampling fills. The six working tables belong to the surface renderer,
// which sizes them itself; sampling leaves them alone.
std::array<GridTable*, 11> SampledTables(Cls9& g) {
  return {&g.QuantityX, &g.QuantityY, &g.QuantityU,   &g.QuantityV,   &g.QuantityMagnitude, &g.SceneX,
          &g.SceneY,    &g.SceneZ,    &g.ColorTableR, &g.ColorTableG, &g.ColorTableB};
}

// Every sampled table reads as zeros of the graph's size (a constant: no memory per point).
void ZeroTables(Cls9& g) {
  for (GridTable* t : SampledTables(g)) t->Resize(g.StepU, g.StepV);
}

// A step count must name at least one cell, and the tables and markers must fit in memory;
// both are checked before anything is allocated.
void CheckSizes(const Cls9& g, int32_t stepT, bool drawn) {
  if (g.StepU < 0 || g.StepV < 0 || stepT < 0) throw RuntimeError::SubscriptOutOfRange();
  const int64_t points = (int64_t{g.StepU} + 1) * (int64_t{g.StepV} + 1);
  int64_t markers = 0;
  if (IsMarkerKind(g.GraphType)) {
    const int64_t frames = int64_t{stepT} + 1;
    markers = g.GraphType == gtp::kSurfaceAnimation   ? points * frames
              : g.GraphType == gtp::kCurve3DAnimation ? (int64_t{g.StepU} + 1) * frames
                                                      : frames;
  }
  if (points > kMaxGridPoints || markers > kMaxGridPoints) {
    const bool grid = points > kMaxGridPoints;
    throw RuntimeError(
        err::kGridTooLarge,
        std::string(grid ? "The grid of " : "The animation of ") + std::to_string(int64_t{g.StepU} + 1) +
            " x " + std::to_string(int64_t{g.StepV} + 1) +
            (grid ? " points" : std::string(" points in ") + std::to_string(stepT + 1) + " frames") +
            " is too large to sample: at most " + std::to_string(kMaxGridPoints) +
            (grid ? " points fit." : " markers fit."));
  }
  // What the graph will keep beyond what it holds now (re-sampling the same grid reuses it).
  const uint64_t need = GraphMemoryNeed(g, stepT, drawn);
  const uint64_t held = GraphMemoryHeld(g);
  if (need > held) {
    CheckMemory(need - held, "Graph " + std::to_string(g.ID) + " (" + g.ExpressZ + "): " +
                                 (markers > 0 ? std::to_string(markers) + " point markers"
                                              : "a grid of " + std::to_string(int64_t{g.StepU} + 1) + " x " +
                                                    std::to_string(int64_t{g.StepV} + 1) + " points"));
  }
}

// Grid coordinates are worked out from the ends of each range (GridCoordinate), which fit
// whenever the ends are finite; ends that are not raise Overflow before anything is sampled.
void CheckRange(float minimum, float maximum) {
  CheckedFinite(minimum);
  CheckedFinite(maximum);
}

bool IsGridKind(int32_t kind) {
  return kind == gtp::kSurface || kind == gtp::kColorMap || kind == gtp::kContourPlot ||
         kind == gtp::kVectorPlot;
}

// Compiles a prepared text; false after the compiler has shown its "Syntax Error" box.
bool Compile(const std::string& text, CompiledProgram& program) {
  Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(text, postfix) != 0) return false;
  program = CompiledProgram::FromPostfix(postfix);
  return true;
}

PointEvaluator PointFunction(const CompiledProgram& program) {
  return [&program](float x, float y, float& u, float& v) { return program.Evaluate(x, y, u, v); };
}

}  // namespace

uint64_t GraphMemoryNeed(const Cls9& g, int32_t stepT, bool drawn) {
  const uint64_t points = (uint64_t(std::max(g.StepU, 0)) + 1) * (uint64_t(std::max(g.StepV, 0)) + 1);
  if (IsMarkerKind(g.GraphType)) {
    const uint64_t frames = uint64_t(std::max(stepT, 0)) + 1;
    const uint64_t markers = g.GraphType == gtp::kSurfaceAnimation ? points * frames
                             : g.GraphType == gtp::kCurve3DAnimation
                                 ? (uint64_t(std::max(g.StepU, 0)) + 1) * frames
                                 : frames;
    return markers * sizeof(Cls2) + points * kSampledBytesPerPoint;
  }
  return points * (kSampledBytesPerPoint + (drawn ? kDrawnBytesPerPoint : 0));
}

uint64_t GraphMemoryHeld(const Cls9& g) {
  uint64_t bytes = 0;
  for (const GridTable* t : {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude})
    bytes += t->HeldBytes();
  for (const auto* normals : {&g.CellNormal, &g.VertexNormal}) {
    for (const GridTable& t : *normals) bytes += t.HeldBytes();
  }
  return bytes;
}

bool Cls9::GetPoints(const SamplingSettings& settings) {
  SamplingOptions options;
  options.settings = settings;
  return SampleGraph(*this, options);
}

// Kinds that sample nothing (the table kinds 4 to 6, the curve 1 whose drawing evaluates it,
// the plane kinds and every unknown code) get zero tables of their size and the result true,
// as their drawing expects. A grid or marker kind with a form or coordinate system it cannot
// sample gets zero tables and the result false.
bool SampleGraph(Cls9& g, const SamplingOptions& options) {
  SamplingStop ignored;
  SamplingStop& stop = options.stop ? *options.stop : ignored;
  stop = SamplingStop{};
  g.ScreenView.reset();

  const std::string textX = AddMultiplySigns(g.ExpressX);
  const std::string textY = AddMultiplySigns(g.ExpressY);
  const std::string textZ = AddMultiplySigns(g.ExpressZ);

  if (g.StepU == 0) g.StepU = 1;
  if (g.StepV == 0) g.StepV = 1;
  const int32_t frameCount = options.settings.frameCount;
  const int32_t stepT = frameCount == 0 ? 1 : frameCount;
  CheckSizes(g, stepT, options.drawn);

  const bool markerKind = IsMarkerKind(g.GraphType);
  bool zeroed = false;
  // The tables as a fresh allocation leaves them, for every way out before the grid pass.
  auto allocateEmpty = [&] {
    if (zeroed) return;
    ZeroTables(g);
    if (markerKind) SizeMarkers(g, stepT);
    zeroed = true;
  };

  g.PointsWithoutValue = 0;
  try {
    CheckRange(g.MinU, g.MaxU);
    CheckRange(g.MinV, g.MaxV);
    if (g.Animation) CheckRange(g.MinT, g.MaxT);
  } catch (const RuntimeError&) {
    allocateEmpty();
    throw;
  }

  CompiledProgram programZ;
  if (!Compile(textZ, programZ)) {
    allocateEmpty();
    return false;
  }

  const unsigned threads = options.threads != 0 ? options.threads : SamplingThreads();

  if (IsGridKind(g.GraphType)) {
    if (g.FunForm != fun::kExplicit || g.CoordType != ctp::kCartesian) {
      allocateEmpty();
      return false;
    }
    const BlockEvaluator evaluate = [&programZ](const float* x, const float* y, size_t n, float* u,
                                                float* v) {
      const CompiledProgram::BlockOutcome r = programZ.EvaluateBlock(x, y, n, u, v);
      return BlockResult{r.completed, r.noValue, r.error};
    };
    return SampleGridTables(g, evaluate, threads, &stop, options.cancel, options.rowsDone);
  }

  allocateEmpty();
  if (!markerKind) return true;

  MarkerFunctions functions;
  functions.z = PointFunction(programZ);
  CompiledProgram programX, programY;
  if (g.FunForm == fun::kParametric) {
    if (!Compile(textX, programX) || !Compile(textY, programY)) return false;
    functions.x = PointFunction(programX);
    functions.y = PointFunction(programY);
  } else if (g.FunForm != fun::kExplicit) {
    return false;
  }
  return SampleMarkers(g, functions, stepT, options.settings.view, &stop);
}

}  // namespace quillon
