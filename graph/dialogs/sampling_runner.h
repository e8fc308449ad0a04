#pragma once
// Samples a graph for a dialog without freezing the window: the sampling runs on a worker
// thread while the event loop keeps turning; after half a second a progress dialog appears
// whose Cancel stops the sampling. A run-time error is shown in a message naming the error
// and the point where it happened.

#include <QString>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "common/runtime_error.h"
#include "graph/graph.h"
#include "graph/sampling.h"

namespace quillon {

// Progress and cancel request shared between the window thread and a worker.
struct SamplingControl {
  std::atomic<bool> cancel{false};
  std::atomic<int64_t> done{0};  // units of work finished (grid rows)
  int64_t total = 0;             // units of work in all, 0 when unknown
};

// Runs one sampling job at a time on a worker thread.
class SamplingRunner {
 public:
  enum class Outcome { kSampled, kNoValue, kCancelled, kError, kSyntaxError };

  // The work itself: true when it finished with a value everywhere. It reads control.cancel
  // now and then and counts control.done; a RuntimeError it raises ends it.
  using Job = std::function<bool(SamplingControl& control)>;

  explicit SamplingRunner(QWidget* parent) : parent_(parent) {}

  // Runs a job on a worker thread and waits for it with the event loop turning. Input to the
  // parent's window is held back meanwhile; after kProgressDelayMs a modal progress dialog
  // with a Cancel button is shown. A raised error is returned in *error.
  Outcome RunJob(const Job& job, int64_t total, std::optional<RuntimeError>* error = nullptr);

  // Samples the graph (GetPoints). The expression is compiled once on this thread first, so
  // that a syntax error is reported here by the compiler's own box. A run-time error is shown
  // as "<error> at x = .., y = .. (z = ..)." titled "Error". True when every point was sampled.
  // `sample` does the sampling on the worker with the runner's cancel and progress hooks.
  using GraphSampler = std::function<bool(Cls9& graph, const SamplingOptions& options)>;
  bool Run(Cls9& graph, const GraphSampler& sample = SampleGraph);

  // What the progress dialog says while a job runs ("Sampling the function..." unless set).
  void SetProgressLabel(QString label) { progressLabel_ = std::move(label); }

  Outcome LastOutcome() const { return outcome_; }
  // Whether the progress dialog had to be shown during the last run.
  bool ProgressWasShown() const { return progressShown_; }
  // True while a job runs (dialogs ignore their Cancel and close requests meanwhile).
  static bool Busy();

  // Delay before the progress dialog shows, in milliseconds.
  static constexpr int kProgressDelayMs = 500;

  // The message for a run-time error at a grid point.
  static std::string ErrorMessage(const RuntimeError& error, float x, float y);

 private:
  QWidget* parent_;
  QString progressLabel_ = QStringLiteral("Sampling the function...");
  Outcome outcome_ = Outcome::kSampled;
  bool progressShown_ = false;
};

}  // namespace quillon
