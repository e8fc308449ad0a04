// Sampling speed: (a) evaluating the grid alone (u and v at every point) with the compiled
// program, against numpy complex64 computing the same expression on the same grid in this
// run (bench/numpy_grid.py); (b) GetPoints as a whole (grid, magnitude, extremes,
// distribution). Both on 1 thread and on all threads.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sampling.h"

namespace {

using namespace quillon;

struct Expression {
  const char* name;
  const char* text;
};
constexpr Expression kExpressions[] = {
    {"E1", "z^2+1"},
    {"E2", "sin(z)/z+z^3"},
    {"E3", "exp(1/(z+3))"},
    {"E4", "(z-1)*(z+1)/((z-i)*(z+i))"},
};
constexpr float kMin = -2.0f + 1e-4f;
constexpr float kMax = 2.0f + 1e-4f;

std::filesystem::path NumpyScript() {
  if (const char* dir = std::getenv("QUILLON_SOURCE_DIR"))
    return std::filesystem::path(dir) / "bench/numpy_grid.py";
  return std::filesystem::path(__FILE__).parent_path() / "numpy_grid.py";
}

// numpy's time in milliseconds per (expression, size), measured once per size in this run;
// 0 when python3-numpy is not there.
double NumpyMilliseconds(const std::string& name, int n) {
  static std::mutex mutex;
  static std::map<std::pair<std::string, int>, double> times;
  static std::map<int, bool> measured;
  std::lock_guard<std::mutex> lock(mutex);
  if (!measured[n]) {
    measured[n] = true;
    const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    // OpenBLAS tuning variables of this machine only slow numpy down; the baseline runs without them.
    const std::string command = "env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE " + python + " '" +
                                NumpyScript().string() + "' " + std::to_string(n) + " 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char expr[16];
      int size = 0;
      double ms = 0.0;
      while (std::fscanf(pipe, "%15s %d %lf", expr, &size, &ms) == 3) times[{expr, size}] = ms;
      pclose(pipe);
    }
  }
  auto it = times.find({name, n});
  return it == times.end() ? 0.0 : it->second;
}

CompiledProgram Compile(const char* text) {
  Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(AddMultiplySigns(text), postfix) != 0) std::abort();
  return CompiledProgram::FromPostfix(postfix);
}

unsigned ThreadsFor(int64_t arg) {
  return arg == 0 ? std::max(1u, std::thread::hardware_concurrency()) : static_cast<unsigned>(arg);
}

void ReportAgainstNumpy(benchmark::State& state, const Expression& e, int n) {
  const double points = static_cast<double>(n) * n;
  state.counters["Mpts/s"] =
      benchmark::Counter(points * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
  const double numpy = NumpyMilliseconds(e.name, n);
  state.counters["numpy_ms"] = numpy;
  state.SetLabel(std::string(e.name) + " " + e.text);
}

// (a) u and v at every point of the grid, rows of the table layout in blocks on the threads.
void BM_EvaluateGrid(benchmark::State& state) {
  const Expression& e = kExpressions[state.range(0)];
  const int n = static_cast<int>(state.range(1));
  const unsigned threads = ThreadsFor(state.range(2));
  const CompiledProgram program = Compile(e.text);

  const double d = static_cast<double>(static_cast<float>((kMax - kMin) / static_cast<float>(n - 1)));
  std::vector<float> axis(n);
  for (int i = 0; i < n; ++i) axis[i] = static_cast<float>(d * i + kMin);
  const size_t total = static_cast<size_t>(n) * n;
  std::vector<float> x(total), y(total), u(total), v(total);
  for (int k = 0; k < n; ++k) {
    std::fill(x.begin() + static_cast<ptrdiff_t>(k) * n, x.begin() + static_cast<ptrdiff_t>(k + 1) * n,
              axis[k]);
    std::copy(axis.begin(), axis.end(), y.begin() + static_cast<ptrdiff_t>(k) * n);
  }
  const size_t rowsPerBlock = std::max<size_t>(1, 4096 / static_cast<size_t>(n));
  const size_t blocks = (static_cast<size_t>(n) + rowsPerBlock - 1) / rowsPerBlock;

  for (auto _ : state) {
    RunBlocksInOrder(blocks, threads, [&](size_t b) {
      const size_t first = b * rowsPerBlock * n;
      const size_t count = std::min(total, (b + 1) * rowsPerBlock * n) - first;
      const auto r = program.EvaluateBlock(x.data() + first, y.data() + first, count, u.data() + first,
                                           v.data() + first);
      return r.completed == count;
    });
    benchmark::DoNotOptimize(u.data());
    benchmark::ClobberMemory();
  }
  ReportAgainstNumpy(state, e, n);
}

// The kind-2 graph the GetPoints benchmarks sample: a surface of u coloured by u, v and |w|.
Cls9 SurfaceOf(const char* text, int n, float lo = kMin, float hi = kMax) {
  Cls9 g = Cls9().Init(1, "", gtp::kSurface, ctp::kCartesian, "", "", text, n - 1, n - 1, lo, hi, lo, hi, 0,
                       0, 0, 0, 1, 0, shw::kSurface, smt::kSmoothest, false, false, false, 0);
  g.FunForm = fun::kExplicit;
  g.VarX = quantity::kX;
  g.VarY = quantity::kY;
  g.VarZ = quantity::kU;
  g.ColorR = quantity::kU;
  g.ColorG = quantity::kV;
  g.ColorB = quantity::kMagnitude;
  return g;
}

// (b) GetPoints as a whole on a kind-2 graph; the tables keep their memory between calls. With
// moveGrid the grid moves between calls (same size), so the x and y tables are written again,
// where an unchanged grid keeps them.
void TimeGetPoints(benchmark::State& state, bool moveGrid) {
  const Expression& e = kExpressions[state.range(0)];
  const int n = static_cast<int>(state.range(1));
  SamplingOptions options;
  options.threads = ThreadsFor(state.range(2));
  Cls9 g = SurfaceOf(e.text, n);
  if (!SampleGraph(g, options)) std::abort();  // sizes the tables once
  bool moved = false;
  for (auto _ : state) {
    if (moveGrid) {
      moved = !moved;
      g.MinU = moved ? kMin + 1e-3f : kMin;
    }
    benchmark::DoNotOptimize(SampleGraph(g, options));
    benchmark::ClobberMemory();
  }
  ReportAgainstNumpy(state, e, n);
}
void BM_GetPoints(benchmark::State& state) {
  TimeGetPoints(state, false);
}
void BM_GetPointsMovedGrid(benchmark::State& state) {
  TimeGetPoints(state, true);
}

// (c) GetPoints of 1/z on -2..2, whose grid holds 0 exactly: one point without a value, left
// as a hole while the rest of its row is evaluated on. Compare with E4 (a rational function of
// like cost) on the same size.
void BM_GetPointsWithHole(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SamplingOptions options;
  options.threads = ThreadsFor(state.range(1));
  Cls9 g = SurfaceOf("1/z", n, -2.0f, 2.0f);
  if (!SampleGraph(g, options) || g.PointsWithoutValue != 1) std::abort();
  for (auto _ : state) {
    benchmark::DoNotOptimize(SampleGraph(g, options));
    benchmark::ClobberMemory();
  }
  state.counters["Mpts/s"] =
      benchmark::Counter(static_cast<double>(n) * n * static_cast<double>(state.iterations()) / 1e6,
                         benchmark::Counter::kIsRate);
  state.SetLabel("H1 1/z, one hole");
}

void Arguments(benchmark::internal::Benchmark* b, int64_t expressions) {
  for (int64_t size : {1001, 2001}) {
    for (int64_t e = 0; e < expressions; ++e) {
      for (int64_t threads : {1, 0}) b->Args({e, size, threads});
    }
  }
  b->ArgNames({"expr", "n", "threads"});
  b->Unit(benchmark::kMillisecond);
  b->UseRealTime();
  b->MeasureProcessCPUTime();
  // numpy's figure is its best of several runs; the "_min" rows are the same statistic here.
  b->Repetitions(3);
  b->ComputeStatistics("min",
                       [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

void AllExpressions(benchmark::internal::Benchmark* b) {
  Arguments(b, 4);
}
// Writing the x and y tables weighs most next to the cheapest expression.
void FirstExpression(benchmark::internal::Benchmark* b) {
  Arguments(b, 1);
}

BENCHMARK(BM_EvaluateGrid)->Apply(AllExpressions);
BENCHMARK(BM_GetPoints)->Apply(AllExpressions);
BENCHMARK(BM_GetPointsMovedGrid)->Apply(FirstExpression);
BENCHMARK(BM_GetPointsWithHole)
    ->Args({1001, 1})
    ->Args({1001, 0})
    ->ArgNames({"n", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Repetitions(3)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });

}  // namespace

BENCHMARK_MAIN();
