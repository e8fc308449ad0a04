#include "app/undo_commands.h"

#include <utility>

namespace quillon {

SceneCommand::SceneCommand(const UndoTarget& target, const QString& text)
    : target_(target), before_(SceneSettings::Capture(target)) {
  setText(text);
}

SceneCommand::SceneCommand(const UndoTarget& target, const QString& text, const SceneSettings& before)
    : target_(target),
      before_(before),
      after_(SceneSettings::Capture(target)),
      afterKnown_(true),
      skipRedo_(true) {
  setText(text);
}

bool SceneCommand::ChangesDocument() const {
  return ChangesGraphs() || before_.DocumentDiffers(after_);
}

void SceneCommand::redo() {
  if (std::exchange(skipRedo_, false)) return;
  Forward();
  if (afterKnown_) {
    after_.ApplyOver(before_, target_);
  } else {
    after_ = SceneSettings::Capture(target_);
    afterKnown_ = true;
  }
  target_.Refresh();
}

void SceneCommand::undo() {
  Backward();
  before_.ApplyOver(after_, target_);
  target_.Refresh();
}

AddGraphsCommand::AddGraphsCommand(const UndoTarget& target, const QString& text, const SceneSettings& before,
                                   int32_t first)
    : SceneCommand(target, text, before) {
  for (int32_t k = first; k < static_cast<int32_t>(Doc().Items().size()); ++k)
    places_.push_back(Doc().PlaceAt(k));
}

void AddGraphsCommand::Forward() {
  for (const SceneDocument::GraphPlace& place : places_) Doc().InsertAt(place);
}

void AddGraphsCommand::Backward() {
  for (auto place = places_.rbegin(); place != places_.rend(); ++place) Doc().RemoveAt(place->listIndex);
}

RemoveGraphCommand::RemoveGraphCommand(const UndoTarget& target, const QString& text, int32_t index)
    : SceneCommand(target, text), index_(index) {}

void RemoveGraphCommand::Forward() {
  place_ = Doc().RemoveAt(index_);
}

void RemoveGraphCommand::Backward() {
  Doc().InsertAt(place_);
}

DeleteAllCommand::DeleteAllCommand(const UndoTarget& target)
    : SceneCommand(target, QStringLiteral("Delete All")) {}

void DeleteAllCommand::Forward() {
  contents_ = Doc().TakeContents();
  Doc().DeleteAll();
}

void DeleteAllCommand::Backward() {
  Doc().RestoreContents(contents_);
}

ReplaceGraphCommand::ReplaceGraphCommand(const UndoTarget& target, const QString& text,
                                         const SceneSettings& settingsBefore, int32_t index, Version before)
    : SceneCommand(target, text, settingsBefore), index_(index), before_(std::move(before)) {
  if (const Cls8::GraphPtr graph = Doc().GraphAt(index))
    after_ = {*graph, Doc().Items()[static_cast<size_t>(index)].caption};
}

ReplaceGraphCommand::ReplaceGraphCommand(const UndoTarget& target, const QString& text, int32_t index,
                                         Version after)
    : SceneCommand(target, text), index_(index), after_(std::move(after)) {
  if (const Cls8::GraphPtr graph = Doc().GraphAt(index))
    before_ = {*graph, Doc().Items()[static_cast<size_t>(index)].caption};
}

void ReplaceGraphCommand::Forward() {
  Doc().ReplaceGraph(index_, after_.graph, after_.caption);
}

void ReplaceGraphCommand::Backward() {
  Doc().ReplaceGraph(index_, before_.graph, before_.caption);
}

CheckGraphCommand::CheckGraphCommand(const UndoTarget& target, int32_t index, bool checked)
    : SceneCommand(target, checked ? QStringLiteral("Check") : QStringLiteral("Uncheck")),
      index_(index),
      checked_(checked) {}

void CheckGraphCommand::Forward() {
  drawIndexBefore_ = Doc().PlaceAt(index_).drawIndex;
  Doc().SetChecked(index_, checked_);
}

void CheckGraphCommand::Backward() {
  Doc().SetChecked(index_, !checked_, drawIndexBefore_);
}

}  // namespace quillon
