#include "graph/view_sampling.h"

#include <algorithm>
#include <cmath>

#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sampling.h"

namespace quillon {

namespace {

uint8_t Byte(float channel) {
  return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

bool CanSampleView(const Cls9& graph) {
  return graph.GraphType == gtp::kColorMap && graph.FunForm == fun::kExplicit &&
         graph.CoordType == ctp::kCartesian && graph.VarX == quantity::kX && graph.VarZ == quantity::kY &&
         graph.Extras.colouring != Colouring::kChannels;
}

std::optional<PlaneRect> VisiblePart(const Cls9& graph, const PlaneRect& seen) {
  PlaneRect part{std::max<double>(seen.minX, graph.MinU), std::min<double>(seen.maxX, graph.MaxU),
                 std::max<double>(seen.minY, graph.MinV), std::min<double>(seen.maxY, graph.MaxV)};
  if (!(part.maxX > part.minX) || !(part.maxY > part.minY)) return std::nullopt;
  return part;
}

std::optional<MapPlacement> PlacementOf(const Cls9& graph) {
  const int32_t columns = graph.StepU + 1, rows = graph.StepV + 1;
  for (const GridTable* t : {&graph.QuantityX, &graph.QuantityY, &graph.SceneX, &graph.SceneZ})
    if (t->Columns() != columns || t->Rows() != rows) return std::nullopt;
  const double qx0 = graph.QuantityX.at(0, 0), qx1 = graph.QuantityX.at(graph.StepU, 0);
  const double qy0 = graph.QuantityY.at(0, 0), qy1 = graph.QuantityY.at(0, graph.StepV);
  const double sx0 = graph.SceneX.at(0, 0), sx1 = graph.SceneX.at(graph.StepU, 0);
  const double sz0 = graph.SceneZ.at(0, 0), sz1 = graph.SceneZ.at(0, graph.StepV);
  if (!(qx1 != qx0) || !(qy1 != qy0) || !(sx1 != sx0) || !(sz1 != sz0)) return std::nullopt;
  MapPlacement m;
  m.bx = (sx1 - sx0) / (qx1 - qx0);
  m.ax = sx0 - m.bx * qx0;
  m.bz = (sz1 - sz0) / (qy1 - qy0);
  m.az = sz0 - m.bz * qy0;
  return m;
}

std::optional<ViewImage> SampleView(const Cls9& graph, const PlaneRect& rect, int32_t width, int32_t height,
                                    const ModulusRange& range, std::atomic<bool>* cancel) {
  if (!CanSampleView(graph) || width < 2 || height < 2) return std::nullopt;
  if (static_cast<int64_t>(width) * height > kMaxGridPoints) return std::nullopt;
  Cls9 view;
  view.EqualTo(graph);
  // Pixel centres: half a pixel inside each edge.
  const double px = (rect.maxX - rect.minX) / width;
  const double py = (rect.maxY - rect.minY) / height;
  view.MinU = static_cast<float>(rect.minX + px / 2);
  view.MaxU = static_cast<float>(rect.maxX - px / 2);
  view.MinV = static_cast<float>(rect.minY + py / 2);
  view.MaxV = static_cast<float>(rect.maxY - py / 2);
  view.StepU = width - 1;
  view.StepV = height - 1;
  view.Extras.stopAtFirstError = false;  // a hole where the function has no value
  SamplingOptions options;
  options.cancel = cancel;
  try {
    if (!SampleGraph(view, options)) return std::nullopt;
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  const ComplexColouring colour(graph.Extras.colouring, range);
  ViewImage image;
  image.rect = rect;
  image.width = width;
  image.height = height;
  image.rgba.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  for (int32_t k = 0; k < width; ++k) {
    for (int32_t j = 0; j < height; ++j) {
      const Rgb c = colour(view.QuantityU.at(k, j), view.QuantityV.at(k, j));
      uint8_t* out = &image.rgba[(static_cast<size_t>(j) * static_cast<size_t>(width) + k) * 4];
      out[0] = Byte(c.r);
      out[1] = Byte(c.g);
      out[2] = Byte(c.b);
      out[3] = 255;
    }
  }
  return image;
}

}  // namespace quillon
