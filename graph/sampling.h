#pragma once
// Sampling of a graph's function over its domain: the grid sampler of the surface and colour
// map kinds (row blocks on several threads, with the results of the sequential loop), the
// marker sampler of the animated and point kinds, and the settings they share.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/runtime_error.h"
#include "graph/graph.h"

namespace quillon {

// The most grid points (and the most point markers) one graph may hold: 4096 x 4096, about
// 200 MB of tables. Larger grids are refused with err::kGridTooLarge before any allocation.
inline constexpr int64_t kMaxGridPoints = int64_t{1} << 24;

// Bytes a grid point costs: the sampled tables a graph keeps (u, v and |w|; x and y are two
// axes), and the working tables its drawing keeps (cell and vertex normals).
inline constexpr uint64_t kSampledBytesPerPoint = 3 * sizeof(float);
// Drawing a surface measured about 190 bytes a point in the OpenGL list on llvmpipe, on top
// of the normals, colours and coordinates it works out while it compiles the list.
inline constexpr uint64_t kDrawnBytesPerPoint = 256;

// The bytes sampling (and, with `drawn`, drawing) the graph will hold, and the bytes its
// tables hold now.
// Sampling checks the difference against the memory budget (common/memory_budget.h) before
// allocating, and raises the out-of-memory error naming the graph and its size.
uint64_t GraphMemoryNeed(const Cls9& graph, int32_t stepT, bool drawn = true);
uint64_t GraphMemoryHeld(const Cls9& graph);

// Threads the grid sampler uses; 0 means one per hardware thread. Program-wide.
void SetSamplingThreads(unsigned threads);
unsigned SamplingThreads();  // the resolved count, at least 1

// What one block evaluation did: values for the first `completed` points; then either no
// value (empty stack) or a run-time error at point `completed`, or all n done.
struct BlockResult {
  size_t completed = 0;
  bool noValue = false;
  std::optional<RuntimeError> error;
};

// Evaluates f at x[i] + y[i]i for i < n into u[i], v[i]; must be callable from several
// threads at once.
using BlockEvaluator =
    std::function<BlockResult(const float* x, const float* y, size_t n, float* u, float* v)>;

// Where and why sampling stopped before the end.
struct SamplingStop {
  bool stopped = false;      // false: every point was sampled
  bool noValue = false;      // the evaluator gave no value (else a run-time error was raised)
  int32_t k = 0, j = 0;      // grid indexes of the failing point
  int32_t l = 0;             // animation step (marker kinds)
  float x = 0.0f, y = 0.0f;  // the evaluator's inputs there
  bool cancelled = false;    // the caller's cancel hook stopped it (no error, no value missing)
};

// The view intervals: sampled point markers outside them are stored as the undefined marker.
struct ViewIntervals {
  float minX = -20.0f, maxX = 20.0f;
  float minY = -20.0f, maxY = 20.0f;
  float minZ = -50.0f, maxZ = 50.0f;
};

// What sampling reads from the program's settings (the values here are those a program starts
// with): the animation's step count StepT, the program-wide FrameCount, where 0 is taken as
// 1, and the view intervals. The caller reads them; sampling never touches program-wide state.
struct SamplingSettings {
  int32_t frameCount = 10;
  ViewIntervals view;
};

// Options of one sampling call.
struct SamplingOptions {
  SamplingSettings settings;
  unsigned threads = 0;          // 0: SamplingThreads()
  SamplingStop* stop = nullptr;  // filled with the stopping point, when given
  // Progress and cancel hook of the grid kinds, for callers that sample while a window keeps
  // turning: every finished row adds 1 to *rowsDone; once *cancel is true, sampling stops
  // after the rows in hand and returns false with stop->cancelled set.
  std::atomic<bool>* cancel = nullptr;
  std::atomic<int64_t>* rowsDone = nullptr;
  // The memory budget counts drawing the graph too (a graph of a scene); false for callers
  // that only sample.
  bool drawn = true;
};

// GetPoints with options: the same result, tables and errors.
bool SampleGraph(Cls9& graph, const SamplingOptions& options);

// Coordinate i of a grid line from `first` to `last` in `steps` steps: first + i (last - first)
// / steps worked in double and rounded once to single, so both ends are exact and a range
// symmetric about 0 has 0 at its middle. Raises Overflow when the range is not finite.
float GridCoordinate(float first, float last, int32_t steps, int32_t i);

// The grid pass of kinds 2, 13, 14 and 15 with a given evaluator: fills x, y, u, v and the
// magnitude at every (k, j) with x = GridCoordinate(MinU, MaxU, StepU, k) and y likewise from
// MinV, MaxV and j, widens the extremes and distributes the quantities to the scene and colour
// tables. It sizes the tables itself: x and y as axes, u, v and |w| dense, reusing their memory
// when they have enough; the scene and colour tables name the quantities (or are constant 0).
// A point without a value (the evaluator gives none or raises a run-time error there, or |w|
// does not fit a single) becomes a hole: u, v and |w| hold kNoValue, x and y their coordinates,
// the extremes leave it out, and sampling goes on; PointsWithoutValue counts the holes.
// With Extras.stopAtFirstError the pass stops at such a point instead: the tables hold exactly
// what the sequential loop would have left (earlier points filled, the rest and the distributed
// tables zero), the extremes likewise; then it returns false (no value) or raises the error.
// `stop` receives the point.
bool SampleGridTables(Cls9& graph, const BlockEvaluator& evaluate, unsigned threads,
                      SamplingStop* stop = nullptr, std::atomic<bool>* cancel = nullptr,
                      std::atomic<int64_t>* rowsDone = nullptr);

// Runs row(b) for the blocks b = 0..count-1 on up to `threads` threads, handing blocks out
// in increasing order. row returns false to stop. Returns the first block that returned
// false (count when none did): every block before it ran to completion; blocks after it may
// or may not have run.
size_t RunBlocksInOrder(size_t count, unsigned threads, const std::function<bool(size_t)>& row);

}  // namespace quillon
