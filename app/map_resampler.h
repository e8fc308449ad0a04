#pragma once
// Keeps colour maps sharp while the user zooms and pans: once the view has stayed still for a
// moment, every colour map that the screen shows in more detail than its own grid is sampled
// again over the visible part at the drawing area's pixel resolution, on a worker thread.
// A newer view cancels older jobs (a generation counter drops what they still deliver); the
// picture is swapped into the graph (Cls9::ScreenView) on the GUI thread. The document's
// domains never change.

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "scene/view_pick.h"

namespace quillon {

class SceneDocument;

class MapResampler : public QObject {
  Q_OBJECT
 public:
  explicit MapResampler(SceneDocument& document, QObject* parent = nullptr);
  ~MapResampler() override;

  // After every frame: the transform it was drawn with. A change starts the settle delay.
  void ViewShown(const ViewTransform& view);
  // The scene was compiled again (graphs added, edited, sampled): look again once settled.
  void SceneChanged();

  // Milliseconds the view must stay still before sampling starts.
  void SetSettleDelay(int milliseconds) { timer_.setInterval(milliseconds); }
  // Jobs started so far, and whether one is still running (for tests and the benchmark).
  uint64_t Generation() const { return generation_; }
  bool Busy() const { return running_ > 0; }

 signals:
  // A graph's screen picture was set or dropped: the scene must be compiled again.
  void viewSampled();

 private:
  void Settled();

  SceneDocument& document_;
  QTimer timer_;
  QThreadPool pool_;
  std::optional<ViewTransform> shown_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  uint64_t generation_ = 0;
  int running_ = 0;
};

}  // namespace quillon
