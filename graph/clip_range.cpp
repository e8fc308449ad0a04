#include "graph/clip_range.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "graph/codes.h"
#include "graph/sample_value.h"

namespace quillon {

namespace {

constexpr size_t kMaxRangeSamples = size_t{1} << 18;
constexpr double kLowPercentile = 0.02;
constexpr double kHighPercentile = 0.98;
constexpr double kMargin = 0.5;  // of the distance between the two percentiles, on each side

bool CarriesW(int32_t code) {
  return code == quantity::kU || code == quantity::kV || code == quantity::kMagnitude;
}

const GridTable& SceneTable(const Cls9& g, int32_t axis) {
  return axis == 0 ? g.SceneX : axis == 1 ? g.SceneY : g.SceneZ;
}

// The value at fraction p of the sorted values (nearest rank), reordering `values`.
float Percentile(std::vector<float>& values, double p) {
  const double rank = std::round(p * static_cast<double>(values.size() - 1));
  const size_t at = std::min(values.size() - 1, static_cast<size_t>(rank));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
  return values[at];
}

}  // namespace

int32_t ClipAxis(const Cls9& graph) {
  if (CarriesW(graph.VarY)) return 1;
  if (CarriesW(graph.VarX)) return 0;
  if (CarriesW(graph.VarZ)) return 2;
  return -1;
}

std::optional<std::pair<float, float>> AutomaticClipRange(const GridTable& table) {
  const float* data = table.data();
  const size_t n = table.size();
  const size_t stride = std::max<size_t>(1, (n + kMaxRangeSamples - 1) / kMaxRangeSamples);
  std::vector<float> finite;
  finite.reserve(n / stride + 1);
  float lowest = 0.0f, highest = 0.0f;
  for (size_t i = 0; i < n; i += stride) {
    if (!HasValue(data[i])) continue;
    if (finite.empty() || data[i] < lowest) lowest = data[i];
    if (finite.empty() || data[i] > highest) highest = data[i];
    finite.push_back(data[i]);
  }
  if (finite.empty()) return std::nullopt;
  const double low = Percentile(finite, kLowPercentile);
  const double high = Percentile(finite, kHighPercentile);
  const double margin = kMargin * (high - low);
  const float from = static_cast<float>(std::max<double>(lowest, low - margin));
  const float to = static_cast<float>(std::min<double>(highest, high + margin));
  return std::make_pair(from, to);
}

std::optional<std::pair<float, float>> ResolveClipRange(const Cls9& graph) {
  if (graph.Extras.clip == ClipMode::kOff) return std::nullopt;
  const int32_t axis = ClipAxis(graph);
  if (axis < 0) return std::nullopt;
  if (graph.Extras.clip == ClipMode::kRange) {
    const float from = graph.Extras.clipMin, to = graph.Extras.clipMax;
    if (!HasValue(from) || !HasValue(to) || !(from < to)) return std::nullopt;
    return std::make_pair(from, to);
  }
  return AutomaticClipRange(SceneTable(graph, axis));
}

}  // namespace quillon
