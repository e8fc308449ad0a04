// Evaluating a function over a 1001 x 1001 grid of [-2, 2] x [-2, 2] (shifted by 1e-4 so that
// no point is a pole), single thread, three ways in one run:
//   Compiled/E:n - CompiledProgram::EvaluateBlock, one grid row per call (the sampler's path);
//   Hand/E:n     - a hand-written loop with the same arithmetic (double steps, single storage);
//   Text/E:n     - Cls6::DoEvaluate reading the token text at every point (every 10th row).
// The *GeneralPowers rows compute z^2 and z^3 as exp(w log z), as DoEvaluate does, instead of
// multiplying them out. Compare the ns_per_point counters (CPU time).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "common/single.h"
#include "expr/complex_math.h"
#include "expr/expression.h"
#include "expr/function_table.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

constexpr int kSide = 1001;

struct Grid {
  std::vector<float> x, y;  // one row's x values; the y of every row
  Grid() : x(kSide), y(kSide) {
    for (int i = 0; i < kSide; ++i) {
      x[i] = static_cast<float>(-2.0 + 4.0 * i / (kSide - 1) + 1e-4);
      y[i] = x[i];
    }
  }
};

const Grid& TheGrid() {
  static const Grid grid;
  return grid;
}

std::string Postfix(const std::string& text) {
  RecordingSink sink;
  ScopedMessageSink guard(&sink);
  std::string postfix;
  Cls6 expression;
  if (expression.InfixToPostfix(AddMultiplySigns(text), postfix) != 0) std::abort();
  return postfix;
}

const char* const kTexts[] = {"z^2+1", "sin(z)/z+z^3", "exp(1/(z+3))", "(z-1)*(z+1)/((z-i)*(z+i))"};

// The four functions written out by hand with the arithmetic's building blocks. Template
// argument General: powers as exp(w log z) (what DoEvaluate computes) instead of multiplied out
// (what CompiledProgram does by default).
template <bool General>
Complex Square(ThrowingChecks& p, float x, float y, int n) {
  return General ? cmath::Power(p, x, y, n, 0.0) : cmath::IntegerPower(p, x, y, n);
}
template <bool General>
Complex HandE1(float x, float y) {
  ThrowingChecks p;
  const Complex s = Square<General>(p, x, y, 2);
  return cmath::Add(p, s.re, s.im, 1.0f, 0.0);
}
template <bool General>
Complex HandE2(float x, float y) {
  ThrowingChecks p;
  const Complex s = cmath::Sin(p, x, y);
  const Complex q = cmath::Divide(p, s.re, s.im, x, y);
  const Complex c = Square<General>(p, x, y, 3);
  return cmath::Add(p, q.re, q.im, c.re, c.im);
}
template <bool General>
Complex HandE3(float x, float y) {
  ThrowingChecks p;
  const Complex a = cmath::Add(p, x, y, 3.0f, 0.0);
  const Complex q = cmath::Divide(p, 1.0f, 0.0, a.re, a.im);
  return cmath::Exp(p, q.re, q.im);
}
template <bool General>
Complex HandE4(float x, float y) {
  ThrowingChecks p;
  const Complex a = cmath::Subtract(p, x, y, 1.0f, 0.0);
  const Complex b = cmath::Add(p, x, y, 1.0f, 0.0);
  const Complex n = cmath::Multiply(p, a.re, a.im, b.re, b.im);
  const Complex c = cmath::Subtract(p, x, y, 0.0, 1.0f);
  const Complex d = cmath::Add(p, x, y, 0.0, 1.0f);
  const Complex m = cmath::Multiply(p, c.re, c.im, d.re, d.im);
  return cmath::Divide(p, n.re, n.im, m.re, m.im);
}
using HandFunction = Complex (*)(float, float);
const HandFunction kHand[2][4] = {{HandE1<false>, HandE2<false>, HandE3<false>, HandE4<false>},
                                  {HandE1<true>, HandE2<true>, HandE3<true>, HandE4<true>}};

void SetRate(benchmark::State& state, double pointsPerIteration) {
  const double points = pointsPerIteration * static_cast<double>(state.iterations());
  state.counters["ns_per_point"] =
      benchmark::Counter(points, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetItemsProcessed(static_cast<int64_t>(points));
}

void RunCompiled(benchmark::State& state, bool general) {
  const int e = static_cast<int>(state.range(0) - 1);
  const CompiledProgram program = CompiledProgram::FromPostfix(
      Postfix(kTexts[e]), general ? IntegerPowers::kAsGeneralPowers : IntegerPowers::kByMultiplication);
  const Grid& g = TheGrid();
  std::vector<float> y(kSide), u(kSide), v(kSide);
  // The compiled values must be the hand loop's, bit for bit.
  for (int row = 0; row < kSide; row += 50) {
    std::fill(y.begin(), y.end(), g.y[row]);
    program.EvaluateBlock(g.x.data(), y.data(), kSide, u.data(), v.data());
    for (int i = 0; i < kSide; ++i) {
      const Complex h = kHand[general][e](g.x[i], g.y[row]);
      if (ToSingle(h.re) != u[i] || ToSingle(h.im) != v[i]) {
        state.SkipWithError("compiled values differ from the hand loop");
        return;
      }
    }
  }
  for (auto _ : state) {
    for (int row = 0; row < kSide; ++row) {
      std::fill(y.begin(), y.end(), g.y[row]);
      const CompiledProgram::BlockOutcome outcome =
          program.EvaluateBlock(g.x.data(), y.data(), kSide, u.data(), v.data());
      if (outcome.completed != kSide) state.SkipWithError("evaluation stopped");
      benchmark::DoNotOptimize(u.data());
      benchmark::DoNotOptimize(v.data());
    }
    benchmark::ClobberMemory();
  }
  SetRate(state, double{kSide} * kSide);
}

void Compiled(benchmark::State& state) {
  RunCompiled(state, false);
}
void CompiledGeneralPowers(benchmark::State& state) {
  RunCompiled(state, true);
}

void RunHand(benchmark::State& state, bool general) {
  const HandFunction f = kHand[general][state.range(0) - 1];
  const Grid& g = TheGrid();
  std::vector<float> u(kSide), v(kSide);
  for (auto _ : state) {
    for (int row = 0; row < kSide; ++row) {
      const float yr = g.y[row];
      for (int i = 0; i < kSide; ++i) {
        const Complex w = f(g.x[i], yr);
        u[i] = ToSingle(w.re);
        v[i] = ToSingle(w.im);
      }
      benchmark::DoNotOptimize(u.data());
      benchmark::DoNotOptimize(v.data());
    }
    benchmark::ClobberMemory();
  }
  SetRate(state, double{kSide} * kSide);
}

void Hand(benchmark::State& state) {
  RunHand(state, false);
}
void HandGeneralPowers(benchmark::State& state) {
  RunHand(state, true);
}

void Text(benchmark::State& state) {
  const std::string postfix = Postfix(kTexts[state.range(0) - 1]);
  const Grid& g = TheGrid();
  Cls6 expression;
  std::vector<float> u(kSide), v(kSide);
  constexpr int kRowStep = 10;
  int rows = 0;
  for (auto _ : state) {
    rows = 0;
    for (int row = 0; row < kSide; row += kRowStep, ++rows) {
      for (int i = 0; i < kSide; ++i) expression.DoEvaluate(postfix, u[i], v[i], g.x[i], g.y[row]);
      benchmark::DoNotOptimize(u.data());
    }
  }
  SetRate(state, double{kSide} * rows);
}

void Expressions(benchmark::internal::Benchmark* b) {
  for (int e = 1; e <= 4; ++e) b->Arg(e);
  b->ArgName("E")->Unit(benchmark::kMillisecond);
}

void PowerExpressions(benchmark::internal::Benchmark* b) {
  b->Arg(1)->Arg(2)->ArgName("E")->Unit(benchmark::kMillisecond);
}

BENCHMARK(Compiled)->Apply(Expressions)->MinTime(1.0);
BENCHMARK(Hand)->Apply(Expressions)->MinTime(1.0);
BENCHMARK(CompiledGeneralPowers)->Apply(PowerExpressions)->MinTime(1.0);
BENCHMARK(HandGeneralPowers)->Apply(PowerExpressions)->MinTime(1.0);
BENCHMARK(Text)->Apply(Expressions)->Iterations(2);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
