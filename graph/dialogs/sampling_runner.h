#pragma once
// Samples a graph for a dialog without freezing the window: the sampling runs on a worker
// thread while the event loop keeps turning; after half a second a progress dialog appears
// whose Cancel stops the sampling. A run-time error is shown in a message naming the error
// and the point where it happened.

#include <QObject>
#include <QWidget>

#include "graph/graph.h"

namespace quillon {

class SamplingRunner {
 public:
  explicit SamplingRunner(QWidget* parent) : parent_(parent) {}

  // True when the graph was sampled completely.
  bool Run(Cls9& graph);

  // Delay before the progress dialog shows, in milliseconds.
  static constexpr int kProgressDelayMs = 500;

 private:
  QWidget* parent_;
};

}  // namespace quillon
