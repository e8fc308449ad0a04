// The graph side of the sampling runner: GetPoints with the runner's progress and cancel
// hook, and the message for a run-time error at a grid point.

#include <algorithm>

#include "common/message_sink.h"
#include "document/state_exchange.h"
#include "expr/expression.h"
#include "expr/text_helpers.h"
#include "graph/dialogs/sampling_runner.h"
#include "graph/sampling.h"

namespace quillon {

bool SamplingRunner::Run(Cls9& graph, const GraphSampler& sample) {
  // The worker compiles the text again; compiling it here first means a syntax error is
  // reported by the compiler's box on the window's thread and never reaches the worker.
  {
    Cls6 expression;
    std::string postfix;
    if (expression.InfixToPostfix(AddMultiplySigns(graph.ExpressZ), postfix) != 0) {
      outcome_ = Outcome::kSyntaxError;
      return false;
    }
  }

  SamplingStop stop;
  std::optional<RuntimeError> error;
  const int64_t rows = int64_t{std::max(graph.StepU, 1)} + 1;
  // The program's settings are read here, on the window's thread; the worker only samples.
  const SamplingSettings settings = ProgramSamplingSettings();
  const Outcome outcome = RunJob(
      [&graph, &stop, &sample, &settings](SamplingControl& control) {
        SamplingOptions options;
        options.settings = settings;
        options.stop = &stop;
        options.cancel = &control.cancel;
        options.rowsDone = &control.done;
        return sample(graph, options);
      },
      rows, &error);

  if (outcome == Outcome::kError && error) {
    const std::string text = stop.stopped ? ErrorMessage(*error, stop.x, stop.y) : error->Description() + ".";
    MsgBox(text, "Error", MsgIcon::Exclamation);
  }
  if (outcome == Outcome::kNoValue && stop.cancelled) outcome_ = Outcome::kCancelled;
  return outcome == Outcome::kSampled;
}

}  // namespace quillon
