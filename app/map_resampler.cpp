#include "app/map_resampler.h"

#include <QMetaObject>
#include <algorithm>
#include <cmath>

#include "document/scene_document.h"
#include "graph/codes.h"
#include "graph/colouring.h"
#include "graph/view_sampling.h"

namespace quillon {

namespace {

bool SameView(const ViewTransform& a, const ViewTransform& b) {
  return a.projection == b.projection && a.modelView == b.modelView && a.viewport == b.viewport;
}

}  // namespace

MapResampler::MapResampler(SceneDocument& document, QObject* parent) : QObject(parent), document_(document) {
  timer_.setSingleShot(true);
  timer_.setInterval(250);
  connect(&timer_, &QTimer::timeout, this, &MapResampler::Settled);
}

MapResampler::~MapResampler() {
  if (cancel_) cancel_->store(true);
  pool_.waitForDone();
}

void MapResampler::ViewShown(const ViewTransform& view) {
  if (shown_ && SameView(*shown_, view)) return;
  shown_ = view;
  timer_.start();
}

void MapResampler::SceneChanged() {
  // What running jobs still deliver belongs to the graphs as they were.
  if (cancel_) cancel_->store(true);
  ++generation_;
  if (shown_) timer_.start();
}

void MapResampler::Settled() {
  if (!shown_) return;
  if (cancel_) cancel_->store(true);
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  const uint64_t generation = ++generation_;
  const std::optional<PlaneRect> seen = VisibleMapPlane(*shown_);
  bool dropped = false;
  for (const Cls8::Entry& entry : document_.DrawScene.FunSurfs()) {
    const Cls8::GraphPtr& graph = entry.graph;
    if (graph->GraphType != gtp::kColorMap) continue;
    const std::optional<MapPlacement> place = PlacementOf(*graph);
    std::optional<PlaneRect> part;
    if (seen && place && CanSampleView(*graph)) {
      double x0 = place->PlaneX(seen->minX), x1 = place->PlaneX(seen->maxX);
      double y0 = place->PlaneY(seen->minY), y1 = place->PlaneY(seen->maxY);
      part = VisiblePart(*graph, {std::min(x0, x1), std::max(x0, x1), std::min(y0, y1), std::max(y0, y1)});
    }
    int32_t width = 0, height = 0;
    if (part) {
      // Pixels the part covers, against grid points the map has across it.
      const double seenWidth = std::fabs((seen->maxX - seen->minX) / place->bx);
      const double seenHeight = std::fabs((seen->maxY - seen->minY) / place->bz);
      width = static_cast<int32_t>(std::lround((part->maxX - part->minX) / seenWidth * shown_->viewport[2]));
      height =
          static_cast<int32_t>(std::lround((part->maxY - part->minY) / seenHeight * shown_->viewport[3]));
      const double pointsAcross = (part->maxX - part->minX) / (graph->MaxU - graph->MinU) * graph->StepU;
      const double pointsUp = (part->maxY - part->minY) / (graph->MaxV - graph->MinV) * graph->StepV;
      if (width <= pointsAcross && height <= pointsUp) part.reset();  // the grid is as fine as the screen
    }
    if (!part || width < 2 || height < 2) {
      if (graph->ScreenView) {
        graph->ScreenView.reset();
        dropped = true;
      }
      continue;
    }
    if (graph->ScreenView && graph->ScreenView->rect == *part && graph->ScreenView->width == width &&
        graph->ScreenView->height == height)
      continue;
    // The worker gets its own copy of the definition; the graph itself stays on this thread.
    auto definition = std::make_shared<Cls9>();
    definition->EqualTo(*graph);
    const ModulusRange range = ModulusRangeOf(*graph);
    std::weak_ptr<Cls9> target = graph;
    std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    const PlaneRect rect = *part;
    ++running_;
    pool_.start([this, definition, range, target, cancel, rect, width, height, generation] {
      auto image = SampleView(*definition, rect, width, height, range, cancel.get());
      auto shared = image ? std::make_shared<const ViewImage>(std::move(*image)) : nullptr;
      QMetaObject::invokeMethod(
          this,
          [this, shared, target, generation] {
            --running_;
            if (generation != generation_ || !shared) return;  // a newer view, or cancelled
            if (const Cls8::GraphPtr graph = target.lock()) {
              graph->ScreenView = shared;
              emit viewSampled();
            }
          },
          Qt::QueuedConnection);
    });
  }
  if (dropped) emit viewSampled();
}

}  // namespace quillon
