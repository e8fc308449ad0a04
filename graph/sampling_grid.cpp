// The grid pass of the surface and colour map kinds, run in blocks of rows on several threads
// with exactly the results of the sequential k-outer, j-inner loop.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "common/single.h"
#include "common/worker_pool.h"
#include "graph/codes.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"
#include "graph/sampling_rows.h"

namespace quillon {

namespace {

std::atomic<unsigned> g_samplingThreads{0};

// Points per block: large enough that handing out a block costs nothing next to evaluating
// it, small enough that two threads stay busy on a 60 x 60 grid's worth of work.
constexpr size_t kBlockPoints = 4096;

// Rounds to single precision; false when the value does not fit one.
bool FitSingle(double value, float& out) {
  const float f = static_cast<float>(value);
  if (!std::isfinite(f)) return false;
  out = f;
  return true;
}

// Grid coordinate i in double, before its one rounding. For ends of like size the difference
// and its product with i are exact, so the ends come out as `first` and `last` exactly.
double GridCoordinateInDouble(double first, double last, int32_t steps, size_t i) {
  return first + static_cast<double>(i) * (last - first) / static_cast<double>(steps);
}

// After a point without a value the row goes on in short stretches that double while they
// succeed: a lone pole costs a few short evaluations, and a region without values costs one
// short evaluation per point instead of one evaluation of the rest of the row per point.
constexpr size_t kFirstStretchAfterHole = 16;

void MarkHole(float* us, float* vs, float* ms, size_t j) {
  us[j] = vs[j] = ms[j] = kNoValue;
}

// |w| and the limits of a stretch of points that all have u and v: the one-pass row arithmetic,
// or, when some |w| does not fit a single, a hole at each such point and the limits of the
// rest. Returns the number of holes made.
size_t TakeStretch(float* us, float* vs, float* ms, size_t n, Range& u, Range& v, Range& m) {
  Range su, sv, sm;
  size_t holes = 0;
  if (!MagnitudesAndRanges(us, vs, n, ms, su, sv, sm)) {
    su = sv = sm = Range{};
    for (size_t j = 0; j < n; ++j) {
      if (!HasValue(ms[j])) {
        MarkHole(us, vs, ms, j);
        ++holes;
        continue;
      }
      su.Take(us[j]);
      sv.Take(vs[j]);
      sm.Take(ms[j]);
    }
  }
  // Stretches are merged in order, so the first zero met stays, as in one pass.
  su.MergeInto(u.max, u.min);
  sv.MergeInto(v.max, v.min);
  sm.MergeInto(m.max, m.min);
  return holes;
}

// Finishes a row of n points that `first` (the evaluation of the whole row) did not complete,
// or in which some |w| does not fit a single: every point without a value becomes a hole and
// the points after it are evaluated on. Fills u, v, |w| and the limits of the points with a
// value; returns the number of holes.
size_t CompleteRowWithHoles(const BlockEvaluator& evaluate, const float* xs, const float* ys, size_t n,
                            float* us, float* vs, float* ms, const BlockResult& first, Range& u, Range& v,
                            Range& m) {
  u = v = m = Range{};
  size_t holes = 0;
  size_t at = 0;  // first point of the stretch evaluated last
  size_t asked = n;
  size_t stretch = kFirstStretchAfterHole / 2;
  BlockResult r = first;
  for (;;) {
    const size_t got = std::min(r.completed, asked);
    holes += TakeStretch(us + at, vs + at, ms + at, got, u, v, m);
    at += got;
    if (got < asked) {
      // No value or a run-time error at this point.
      MarkHole(us, vs, ms, at);
      ++holes;
      ++at;
      stretch = kFirstStretchAfterHole;
    } else {
      stretch *= 2;
    }
    if (at >= n) return holes;
    asked = std::min(stretch, n - at);
    r = evaluate(xs + at, ys + at, asked, us + at, vs + at);
  }
}

struct BlockState {
  Range x, y, u, v, mag;
  int64_t holes = 0;
  bool failed = false;
  size_t row = 0, col = 0;    // failing point
  bool valuesStored = false;  // x, y, u and v were stored at the failing point, not |w|
  bool noValue = false;
  bool cancelled = false;  // stopped by the caller before row `row`
  std::optional<RuntimeError> error;
};

void ZeroFrom(GridTable& table, size_t from) {
  if (from < table.size()) std::memset(table.data() + from, 0, (table.size() - from) * sizeof(float));
}

// Code built for plain x86-64 (SSE) runs several times slower after AVX code has left the
// upper halves of the vector registers dirty: every SSE instruction then waits on them. The
// evaluator's kernels call the AVX (FMA) variants of the C library's exp and sincos, and
// something in a process (seen with the command line's Qt start-up) leaves the state dirty,
// so each row starts from a clean state. vzeroupper costs about a cycle.
inline void ClearUpperVectorState() {
#if defined(__x86_64__)
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) asm volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace

void SetSamplingThreads(unsigned threads) {
  g_samplingThreads.store(threads);
}

unsigned SamplingThreads() {
  const unsigned set = g_samplingThreads.load();
  if (set != 0) return set;
  return std::max(1u, std::thread::hardware_concurrency());
}

size_t RunBlocksInOrder(size_t count, unsigned threads, const std::function<bool(size_t)>& row) {
  if (threads <= 1 || count <= 1) {
    for (size_t b = 0; b < count; ++b) {
      if (!row(b)) return b;
    }
    return count;
  }

  std::atomic<size_t> next{0};
  std::atomic<size_t> firstFailed{count};
  std::mutex exceptionMutex;
  size_t exceptionBlock = count;
  std::exception_ptr exception;

  auto markFailed = [&](size_t b) {
    size_t current = firstFailed.load();
    while (b < current && !firstFailed.compare_exchange_weak(current, b)) {
    }
  };
  // Blocks are handed out in runs of consecutive ones, eight runs a thread: each thread then
  // streams through long stretches of the tables, which the hardware prefetcher follows,
  // instead of alternating with the other thread every few kilobytes (about 5 to 10% faster
  // on two threads), while eight runs each still even out a thread that falls behind.
  const size_t run = std::max<size_t>(1, count / (static_cast<size_t>(threads) * 8));
  auto work = [&] {
    for (;;) {
      const size_t first = next.fetch_add(run);
      for (size_t b = first; b < first + run; ++b) {
        // Runs are handed out in order, so every block below a failing one has been taken
        // and runs to its end; blocks above it need not run.
        if (b >= count || b > firstFailed.load()) return;
        bool ok = false;
        try {
          ok = row(b);
        } catch (...) {
          std::lock_guard<std::mutex> lock(exceptionMutex);
          if (b < exceptionBlock) {
            exceptionBlock = b;
            exception = std::current_exception();
          }
        }
        if (!ok) {
          markFailed(b);
          break;
        }
      }
    }
  };

  const unsigned helpers = static_cast<unsigned>(std::min<size_t>(threads, count)) - 1;
  WorkerPool::Shared().Run(helpers, work);

  const size_t failed = firstFailed.load();
  if (exception && exceptionBlock == failed) std::rethrow_exception(exception);
  return failed;
}

float GridCoordinate(float first, float last, int32_t steps, int32_t i) {
  if (steps == 0) throw RuntimeError::DivisionByZero();
  return ToSingle(GridCoordinateInDouble(first, last, steps, static_cast<size_t>(i)));
}

bool SampleGridTables(Cls9& g, const BlockEvaluator& evaluate, unsigned threads, SamplingStop* stop,
                      std::atomic<bool>* cancel, std::atomic<int64_t>* rowsDone) {
  const size_t rows = static_cast<size_t>(g.StepU) + 1;
  const size_t cols = static_cast<size_t>(g.StepV) + 1;
  const double minU = g.MinU;
  const double maxU = g.MaxU;
  const double minV = g.MinV;
  const double maxV = g.MaxV;
  const int32_t stepU = std::max(g.StepU, 1);
  const int32_t stepV = std::max(g.StepV, 1);
  auto xAt = [&](size_t k) { return GridCoordinateInDouble(minU, maxU, stepU, k); };
  auto yAt = [&](size_t j) { return GridCoordinateInDouble(minV, maxV, stepV, j); };
  g.PointsWithoutValue = 0;

  // y depends on j only. A y that does not fit a single (only a domain that is not finite
  // gives one) overflows at its column of the first row, so no row gets past the column
  // before it.
  std::vector<float> ys(cols);
  size_t yColumns = cols;
  for (size_t j = 0; j < cols; ++j) {
    if (!FitSingle(yAt(j), ys[j])) {
      yColumns = j;
      break;
    }
  }
  // Points without a value become holes, unless the graph asks to stop at the first one.
  const bool makeHoles = !g.Extras.stopAtFirstError && yColumns == cols;

  GridTable* quantities[5] = {&g.QuantityX, &g.QuantityY, &g.QuantityU, &g.QuantityV, &g.QuantityMagnitude};
  GridTable* distributed[6] = {&g.SceneX,      &g.SceneY,      &g.SceneZ,
                               &g.ColorTableR, &g.ColorTableG, &g.ColorTableB};
  const int32_t codes[6] = {g.VarX, g.VarY, g.VarZ, g.ColorR, g.ColorG, g.ColorB};

  const size_t rowsPerBlock = std::max<size_t>(1, kBlockPoints / cols);
  const size_t blocks = (rows + rowsPerBlock - 1) / rowsPerBlock;
  std::vector<BlockState> states(blocks);

  // The scene and colour tables of the last pass share the quantities' memory; letting go of
  // them first lets the quantities keep theirs. x is a function of k and y of j: the tables
  // keep the two axes, and each row hands the evaluator a row of x and the y axis. u, v and
  // |w| are written at every point, so they are sized without being cleared.
  for (GridTable* t : distributed) t->Clear();
  std::vector<float> xs(rows);
  for (size_t k = 0; k < rows; ++k) xs[k] = static_cast<float>(xAt(k));  // checked per row below
  g.QuantityX.SetAxisK(g.StepU, g.StepV, xs.data());
  g.QuantityY.SetAxisJ(g.StepU, g.StepV, ys.data());
  for (GridTable* t : {&g.QuantityU, &g.QuantityV, &g.QuantityMagnitude})
    t->ResizeForWriting(g.StepU, g.StepV);
  float* const tableU = g.QuantityU.data();
  float* const tableV = g.QuantityV.data();
  float* const tableM = g.QuantityMagnitude.data();

  const Range fullRowY = RowRange(ys.data(), yColumns);

  auto sampleRow = [&](size_t k, BlockState& st, std::vector<float>& xRow) -> bool {
    const size_t base = k * cols;
    float* us = tableU + base;
    float* vs = tableV + base;
    float* ms = tableM + base;

    float x = 0.0f;
    if (!FitSingle(xAt(k), x)) {
      st.failed = true;
      st.row = k;
      st.col = 0;
      st.error = RuntimeError::Overflow();
      return false;
    }
    if (xRow.empty()) xRow.resize(cols);
    std::fill(xRow.begin(), xRow.end(), x);
    ClearUpperVectorState();
    const BlockResult r = evaluate(xRow.data(), ys.data(), yColumns, us, vs);

    if (makeHoles) {
      Range u, v, m;
      // The usual row: every point has a value and |w| fits; one pass, as without holes.
      if (r.completed < cols || !MagnitudesAndRanges(us, vs, cols, ms, u, v, m)) {
        st.holes += static_cast<int64_t>(
            CompleteRowWithHoles(evaluate, xRow.data(), ys.data(), cols, us, vs, ms, r, u, v, m));
      }
      st.x.Take(x);
      fullRowY.MergeInto(st.y.max, st.y.min);
      u.MergeInto(st.u.max, st.u.min);
      v.MergeInto(st.v.max, st.v.min);
      m.MergeInto(st.mag.max, st.mag.min);
      return true;
    }

    size_t done = std::min(r.completed, yColumns);
    // |w| and the limits of u, v and |w| for the whole row in one branch-free pass; only when
    // some |w| does not fit a single is the first such point looked for.
    Range u, v, m;
    const bool allFit = MagnitudesAndRanges(us, vs, done, ms, u, v, m);
    bool magnitudeOverflow = false;
    if (!allFit) {
      for (size_t j = 0; j < done; ++j) {
        if (!std::isfinite(ms[j])) {
          magnitudeOverflow = true;
          done = j;
          break;
        }
      }
      u = RowRange(us, done);
      v = RowRange(vs, done);
      m = RowRange(ms, done);
    }
    // x is the same along the row, and a whole row has the y limits of every other row.
    if (done > 0) st.x.Take(x);
    (done == cols ? fullRowY : RowRange(ys.data(), done)).MergeInto(st.y.max, st.y.min);
    u.MergeInto(st.u.max, st.u.min);
    v.MergeInto(st.v.max, st.v.min);
    m.MergeInto(st.mag.max, st.mag.min);
    if (done == cols) return true;

    st.failed = true;
    st.row = k;
    st.col = done;
    if (magnitudeOverflow) {
      st.valuesStored = true;
      st.error = RuntimeError::Overflow();
    } else if (r.completed < yColumns) {
      st.noValue = r.noValue && !r.error;
      if (r.error)
        st.error = r.error;
      else if (!r.noValue)
        st.error = RuntimeError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
    } else {
      st.error = RuntimeError::Overflow();  // y of this column does not fit a single
    }
    return false;
  };

  size_t failedBlock = blocks;
  try {
    failedBlock = RunBlocksInOrder(blocks, threads, [&](size_t b) {
      BlockState& st = states[b];
      std::vector<float> xRow;  // x along one row, as the evaluator takes it
      const size_t end = std::min(rows, (b + 1) * rowsPerBlock);
      for (size_t k = b * rowsPerBlock; k < end; ++k) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
          st.failed = true;
          st.cancelled = true;
          st.row = k;
          st.col = 0;
          return false;
        }
        if (!sampleRow(k, st, xRow)) return false;
        if (rowsDone) rowsDone->fetch_add(1, std::memory_order_relaxed);
      }
      return true;
    });
  } catch (...) {
    for (GridTable* t : distributed) t->Resize(g.StepU, g.StepV);
    throw;
  }

  const size_t merged = std::min(failedBlock + 1, blocks);
  for (size_t b = 0; b < merged; ++b) {
    const BlockState& st = states[b];
    st.x.MergeInto(g.MaxXq, g.MinXq);
    st.y.MergeInto(g.MaxYq, g.MinYq);
    st.u.MergeInto(g.MaxUq, g.MinUq);
    st.v.MergeInto(g.MaxVq, g.MinVq);
    st.mag.MergeInto(g.MaxMag, g.MinMag);
  }
  for (size_t b = 0; b < merged; ++b) g.PointsWithoutValue += states[b].holes;
  g.BoxMaxX = g.MaxXq;
  g.BoxMinX = g.MinXq;
  g.BoxMaxY = g.MaxYq;
  g.BoxMinY = g.MinYq;

  if (failedBlock == blocks) {
    // The distribution: each scene and colour table names the quantity its code gives, or is
    // a constant 0.
    for (int c = 0; c < 6; ++c) {
      if (codes[c] >= 1 && codes[c] <= 5)
        distributed[c]->ShareFrom(*quantities[codes[c] - 1]);
      else
        distributed[c]->Resize(g.StepU, g.StepV);
    }
    // An axis that shows log |w| gets its own table of log10 |w|; |w| = 0 gives -infinity,
    // which is drawn as a hole like any other point without a value.
    for (int c = 0; c < 3; ++c) {
      if (codes[c] != quantity::kMagnitude || !g.Extras.logMagnitude[static_cast<size_t>(c)]) continue;
      float* values = distributed[c]->data();
      for (size_t i = 0, n = distributed[c]->size(); i < n; ++i) values[i] = std::log10(values[i]);
    }
    if (stop) *stop = SamplingStop{};
    return true;
  }

  // Leave the tables as the sequential loop would: nothing past the failing point, and no
  // distribution at all (it follows a complete pass).
  const BlockState& st = states[failedBlock];
  const size_t at = st.row * cols + st.col;
  // x and y become dense tables here, so that they too stop where the loop stopped.
  for (int q = 0; q < 4; ++q) ZeroFrom(*quantities[q], st.valuesStored ? at + 1 : at);
  ZeroFrom(g.QuantityMagnitude, at);
  for (GridTable* t : distributed) t->Resize(g.StepU, g.StepV);

  if (stop) {
    SamplingStop s;
    s.stopped = true;
    s.noValue = st.noValue;
    s.k = static_cast<int32_t>(st.row);
    s.j = static_cast<int32_t>(st.col);
    s.x = static_cast<float>(xAt(st.row));
    s.y = static_cast<float>(yAt(st.col));
    s.cancelled = st.cancelled;
    *stop = s;
  }
  if (st.noValue || st.cancelled) return false;
  throw *st.error;
}

}  // namespace quillon
