#include "document/scene_document.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "common/memory_budget.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/state_exchange.h"
#include "graph/codes.h"
#include "graph/sampling.h"

namespace quillon {
namespace {

std::string KeyOf(const Cls9& graph) {
  return std::to_string(graph.ID);
}

// Inserts a graph at a position of a container (clamped to its ends). The collection only
// appends, so the entries are laid out again; a key already present is left alone.
void InsertEntry(Cls8& scene, const Cls8::GraphPtr& graph, int32_t position) {
  const std::string key = KeyOf(*graph);
  if (scene.Find(key)) return;
  std::vector<Cls8::Entry> entries = scene.FunSurfs();
  const auto at = static_cast<size_t>(std::clamp<int32_t>(position, 0, static_cast<int32_t>(entries.size())));
  entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), Cls8::Entry{key, graph});
  scene.Clear();
  for (const Cls8::Entry& entry : entries) scene.Add(entry.graph, entry.key);
}

}  // namespace

bool SceneDocument::IsSampledKind(int32_t graphType) {
  return !(graphType == gtp::kTable4 || graphType == gtp::kTable5 || graphType == gtp::kTable6 ||
           graphType == gtp::kVector || graphType == gtp::kVectorOperation);
}

void SceneDocument::SetCurrentIndex(int32_t index) {
  current_ = (index >= 0 && static_cast<size_t>(index) < items_.size()) ? index : -1;
}

Cls8::GraphPtr SceneDocument::GraphAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= ListScene.Count()) return nullptr;
  return ListScene.Item(static_cast<size_t>(index) + 1);
}

bool SceneDocument::AddGraph(const Cls8::GraphPtr& graph, bool sample) {
  const std::string key = KeyOf(*graph);
  ListScene.Add(graph, key);
  try {
    DrawScene.Add(graph, key);
  } catch (...) {
    ListScene.Remove(key);
    throw;
  }
  // The item comes before sampling, so that a sampling error leaves the list and ListScene
  // in step (RemoveLast undoes all three).
  items_.push_back({Caption(*graph, State().SceneKind), true});
  if (!sample || !IsSampledKind(graph->GraphType)) return true;
  // A graph that does not fit in memory is not added: the scene stays as it was. The graphs
  // of the scene are drawn after they are all added, so their drawing is promised memory.
  uint64_t drawing = 0;
  for (const Cls8::Entry& entry : DrawScene.FunSurfs()) {
    const Cls9& other = *entry.graph;
    if (entry.graph == graph || !IsSampledKind(other.GraphType)) continue;
    drawing += GraphMemoryNeed(other, other.StepT(), true) - GraphMemoryNeed(other, other.StepT(), false);
  }
  const MemoryPromise promised(drawing);
  try {
    return graph->GetPoints(ProgramSamplingSettings());
  } catch (const RuntimeError& e) {
    if (e.Number() == err::kOutOfMemory) RemoveLast();
    throw;
  } catch (const std::bad_alloc&) {
    RemoveLast();
    throw RuntimeError(err::kOutOfMemory, "Graph " + key + " (" + graph->ExpressZ +
                                              "): out of memory while sampling; the graph is left out.");
  }
}

void SceneDocument::RemoveLast() {
  if (ListScene.Count() == 0) return;
  const std::string key = ListScene.FunSurfs().back().key;
  if (DrawScene.Find(key)) DrawScene.Remove(key);
  ListScene.Remove(key);
  if (items_.size() > ListScene.Count()) items_.pop_back();
  if (current_ >= static_cast<int32_t>(items_.size())) current_ = static_cast<int32_t>(items_.size()) - 1;
}

void SceneDocument::AddHiddenGraph(const Cls8::GraphPtr& graph) {
  ListScene.Add(graph, KeyOf(*graph));
  items_.push_back({Caption(*graph, State().SceneKind), false});
}

void SceneDocument::ReorderList(const std::vector<size_t>& order) {
  const std::vector<Cls8::Entry> entries = ListScene.FunSurfs();
  if (order.size() != entries.size() || order.size() != items_.size()) return;
  std::vector<bool> taken(order.size(), false);
  for (size_t from : order) {
    if (from >= order.size() || taken[from]) return;
    taken[from] = true;
  }
  std::vector<ListItem> items;
  items.reserve(order.size());
  ListScene.Clear();
  int32_t current = -1;
  for (size_t k = 0; k < order.size(); ++k) {
    ListScene.Add(entries[order[k]].graph, entries[order[k]].key);
    items.push_back(items_[order[k]]);
    if (static_cast<int32_t>(order[k]) == current_) current = static_cast<int32_t>(k);
  }
  items_ = std::move(items);
  current_ = current;
}

void SceneDocument::SetChecked(int32_t index, bool checked, int32_t drawPosition) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
  const Cls8::GraphPtr graph = GraphAt(index);
  if (checked && drawPosition >= 0 && graph && !IsGraphShown(graph->ID))
    InsertEntry(DrawScene, graph, drawPosition);
  items_[static_cast<size_t>(index)].checked = checked;
  CheckBoxChanged();
}

bool SceneDocument::IsGraphShown(int32_t id) const {
  for (const Cls8::Entry& entry : DrawScene.FunSurfs()) {
    if (entry.graph->ID == id) return true;
  }
  return false;
}

void SceneDocument::CheckBoxChanged() {
  const auto& entries = ListScene.FunSurfs();
  for (size_t k = 0; k < items_.size() && k < entries.size(); ++k) {
    const Cls8::GraphPtr graph = entries[k].graph;
    const std::string& key = entries[k].key;
    const bool shown = IsGraphShown(graph->ID);
    if (!items_[k].checked && shown) {
      if (DrawScene.Find(key)) DrawScene.Remove(key);
    } else if (items_[k].checked && !shown) {
      DrawScene.Add(graph, key);
      if (!IsSampledKind(graph->GraphType)) continue;
      try {
        graph->GetPoints(ProgramSamplingSettings());
      } catch (const RuntimeError& e) {
        samplingErrors_.push_back("graph " + key + ": " + e.Description());
      } catch (const std::bad_alloc&) {
        samplingErrors_.push_back("graph " + key + ": out of memory while sampling");
      }
    }
  }
  Changed();
}

std::vector<std::string> SceneDocument::TakeSamplingErrors() {
  return std::exchange(samplingErrors_, {});
}

void SceneDocument::SetCaption(int32_t index, const std::string& caption) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
  items_[static_cast<size_t>(index)].caption = caption;
}

void SceneDocument::Delete() {
  if (current_ < 0 || ListScene.Count() == 0 || static_cast<size_t>(current_) >= ListScene.Count()) return;
  RemoveAt(current_);
}

SceneDocument::GraphPlace SceneDocument::PlaceAt(int32_t index) const {
  GraphPlace place;
  place.graph = GraphAt(index);
  if (!place.graph || static_cast<size_t>(index) >= items_.size()) return {};
  place.caption = items_[static_cast<size_t>(index)].caption;
  place.checked = items_[static_cast<size_t>(index)].checked;
  place.listIndex = index;
  const auto& drawn = DrawScene.FunSurfs();
  for (size_t k = 0; k < drawn.size(); ++k) {
    if (drawn[k].graph->ID == place.graph->ID) {
      place.drawIndex = static_cast<int32_t>(k);
      break;
    }
  }
  return place;
}

SceneDocument::GraphPlace SceneDocument::RemoveAt(int32_t index) {
  GraphPlace place = PlaceAt(index);
  if (!place.graph) return place;
  // The first drawn graph with that ID, as Delete has always searched for it.
  if (place.drawIndex >= 0) DrawScene.Remove(DrawScene.FunSurfs()[static_cast<size_t>(place.drawIndex)].key);
  ListScene.Remove(ListScene.FunSurfs()[static_cast<size_t>(index)].key);
  items_.erase(items_.begin() + index);
  // The item that took the removed one's place stays current, or the new last one.
  if (current_ > index) --current_;
  if (current_ >= static_cast<int32_t>(items_.size())) current_ = static_cast<int32_t>(items_.size()) - 1;
  Changed();
  return place;
}

void SceneDocument::InsertAt(const GraphPlace& place) {
  if (!place.graph || ListScene.Find(KeyOf(*place.graph))) return;
  const int32_t at = std::clamp<int32_t>(place.listIndex, 0, static_cast<int32_t>(items_.size()));
  InsertEntry(ListScene, place.graph, at);
  if (place.checked && place.drawIndex >= 0) InsertEntry(DrawScene, place.graph, place.drawIndex);
  items_.insert(items_.begin() + at, ListItem{place.caption, place.checked});
  current_ = at;
  Changed();
}

SceneDocument::Contents SceneDocument::TakeContents() const {
  Contents contents;
  for (size_t k = 0; k < items_.size() && k < ListScene.Count(); ++k)
    contents.places.push_back(PlaceAt(static_cast<int32_t>(k)));
  contents.current = current_;
  return contents;
}

void SceneDocument::RestoreContents(const Contents& contents) {
  DrawScene.Clear();
  ListScene.Clear();
  items_.clear();
  std::vector<const GraphPlace*> drawn;
  for (const GraphPlace& place : contents.places) {
    ListScene.Add(place.graph, KeyOf(*place.graph));
    items_.push_back({place.caption, place.checked});
    if (place.checked && place.drawIndex >= 0) drawn.push_back(&place);
  }
  std::stable_sort(drawn.begin(), drawn.end(),
                   [](const GraphPlace* a, const GraphPlace* b) { return a->drawIndex < b->drawIndex; });
  for (const GraphPlace* place : drawn) DrawScene.Add(place->graph, KeyOf(*place->graph));
  SetCurrentIndex(contents.current);
  Changed();
}

void SceneDocument::ReplaceGraph(int32_t index, const Cls9& graph, const std::string& caption) {
  const Cls8::GraphPtr target = GraphAt(index);
  if (!target) return;
  // Both containers hold the same object, so the drawn graph changes with the listed one.
  *target = graph;
  SetCaption(index, caption);
  Changed();
}

void SceneDocument::DeleteAll() {
  DrawScene.Clear();
  ListScene.Clear();
  items_.clear();
  current_ = -1;
  State().LastGraphID = 0;
  Changed();
}

void SceneDocument::Changed() {
  if (onSceneChanged) onSceneChanged();
}

}  // namespace quillon
