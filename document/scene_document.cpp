#include "document/scene_document.h"

#include <string>
#include <utility>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"

namespace quillon {
namespace {

std::string KeyOf(const Cls9& graph) {
  return std::to_string(graph.ID);
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
  return graph->GetPoints();
}

void SceneDocument::RemoveLast() {
  if (ListScene.Count() == 0) return;
  const std::string key = ListScene.FunSurfs().back().key;
  if (DrawScene.Find(key)) DrawScene.Remove(key);
  ListScene.Remove(key);
  if (items_.size() > ListScene.Count()) items_.pop_back();
  if (current_ >= static_cast<int32_t>(items_.size())) current_ = static_cast<int32_t>(items_.size()) - 1;
}

void SceneDocument::SetChecked(int32_t index, bool checked) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
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
        graph->GetPoints();
      } catch (const RuntimeError& e) {
        samplingErrors_.push_back("graph " + key + ": " + e.Description());
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
  const size_t p = static_cast<size_t>(current_) + 1;
  const Cls8::GraphPtr graph = ListScene.Item(p);
  for (const Cls8::Entry& entry : DrawScene.FunSurfs()) {
    if (entry.graph->ID == graph->ID) {
      const std::string key = entry.key;
      DrawScene.Remove(key);
      break;
    }
  }
  ListScene.Remove(ListScene.FunSurfs()[p - 1].key);
  items_.erase(items_.begin() + current_);
  // The item that took the deleted one's place becomes current, or the new last one.
  if (current_ >= static_cast<int32_t>(items_.size())) current_ = static_cast<int32_t>(items_.size()) - 1;
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
