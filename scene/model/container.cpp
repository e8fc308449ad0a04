#include "scene/model/container.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/program_state.h"
#include "common/runtime_error.h"

namespace quillon {

namespace {

constexpr int32_t kDuplicateKey = 457;
constexpr const char* kDuplicateKeyText = "This key is already associated with an element of this collection";

// The margin that keeps graphs off the edges of the scene's box.
// The X tick step of plane scenes labelled in multiples of pi.
constexpr double kPiStep = 3.1416;

// Whole tick steps from the origin needed to reach a padded limit (the padding undone).
double StepsToReach(double limit, double step) {
  return std::trunc(std::fabs(limit) / step) + 1.0;
}

}  // namespace

void Cls8::Add(GraphPtr graph, const std::string& key) {
  if (!graph) throw RuntimeError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  if (Find(key)) throw RuntimeError(kDuplicateKey, kDuplicateKeyText);
  entries_.push_back(Entry{key, std::move(graph)});
}

void Cls8::Remove(const std::string& key) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (it == entries_.end()) throw RuntimeError::SubscriptOutOfRange();
  entries_.erase(it);
}

const Cls8::GraphPtr& Cls8::Item(size_t index) const {
  if (index < 1 || index > entries_.size()) throw RuntimeError::SubscriptOutOfRange();
  return entries_[index - 1].graph;
}

Cls8::GraphPtr Cls8::Find(const std::string& key) const {
  for (const Entry& e : entries_) {
    if (e.key == key) return e.graph;
  }
  return nullptr;
}

bool Cls8::Animation() const {
  return std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.graph->Animation; });
}

Cls1 Cls8::GetBox(int32_t lngAnimStep, bool showPI, const Cls1& planeCurveBox) {
  Cls1 box = Cls1::Empty();
  for (const Entry& e : entries_) {
    Cls9& graph = *e.graph;
    const Cls1 g = graph.GetBox(graph.Animation ? lngAnimStep : 0, planeCurveBox);
    // Empty graph boxes (maximum -9999999, minimum 9999999) never pass these tests.
    if (g.MinX < box.MinX) box.MinX = g.MinX;
    if (g.MaxX > box.MaxX) box.MaxX = g.MaxX;
    if (g.MinY < box.MinY) box.MinY = g.MinY;
    if (g.MaxY > box.MaxY) box.MaxY = g.MaxY;
    if (g.MinZ < box.MinZ) box.MinZ = g.MinZ;
    if (g.MaxZ > box.MaxZ) box.MaxZ = g.MaxZ;
  }

  // The margin is applied in double and stored as single; it vanishes in the +-9999999 of
  // an empty box, which therefore stays inverted.
  auto pad = [](float v, double by) { return static_cast<float>(static_cast<double>(v) + by); };
  box.MinX = pad(box.MinX, -kSceneBoxPadding);
  box.MaxX = pad(box.MaxX, kSceneBoxPadding);
  box.MinY = pad(box.MinY, -kSceneBoxPadding);
  box.MaxY = pad(box.MaxY, kSceneBoxPadding);
  box.MinZ = pad(box.MinZ, -kSceneBoxPadding);
  box.MaxZ = pad(box.MaxZ, kSceneBoxPadding);

  const float largest = std::max({std::fabs(box.MinX), std::fabs(box.MaxX), std::fabs(box.MinY),
                                  std::fabs(box.MaxY), std::fabs(box.MinZ), std::fabs(box.MaxZ)});
  SceneUnit = static_cast<float>(static_cast<double>(largest) / 10.0);

  SceneBox = box;

  const int32_t kind = State().SceneKind;
  if (kind == 1 || kind == 4) {
    // Plane scenes: X and Y grow outward to whole tick steps through the origin.
    const double stepY = PlaneTickStep(SceneUnit);
    const double stepX = showPI ? kPiStep : stepY;
    const double kMinX = StepsToReach(static_cast<double>(box.MinX) + kSceneBoxPadding, stepX);
    const double kMaxX = StepsToReach(static_cast<double>(box.MaxX) - kSceneBoxPadding, stepX);
    const double kMinY = StepsToReach(static_cast<double>(box.MinY) + kSceneBoxPadding, stepY);
    const double kMaxY = StepsToReach(static_cast<double>(box.MaxY) - kSceneBoxPadding, stepY);
    box.MinX = static_cast<float>(-kMinX * stepX);
    box.MaxX = static_cast<float>(kMaxX * stepX);
    box.MinY = static_cast<float>(-kMinY * stepY);
    box.MaxY = static_cast<float>(kMaxY * stepY);
  }
  return box;
}

float PlaneTickStep(float sceneUnit) {
  const double f = 2.0 * static_cast<double>(sceneUnit);
  if (f >= 5.0) return static_cast<float>((std::trunc(f / 5.0) + 1.0) * 5.0);
  if (f >= 1.0) return static_cast<float>(std::trunc(f) + 1.0);
  return 1.0f;
}

}  // namespace quillon
