#pragma once
// The keys of the extension block's "settings" (one graph's GraphExtras) and "scene"
// (SceneExtras) objects: one table line per key, so a field added to either struct needs one
// line here. Values are JSON booleans, numbers, or names for enumerations; a key whose value
// equals the struct's start value is not written, and a missing key means that start value.

#include <QJsonObject>
#include <QJsonValue>
#include <functional>
#include <string>
#include <vector>

#include "graph/graph_extras.h"
#include "scene/model/scene_extras.h"

namespace quillon {

template <typename Settings>
struct SettingsField {
  const char* key;
  std::function<QJsonValue(const Settings&)> write;
  // Stores the value; false when it is not one the field takes (the setting is left alone).
  std::function<bool(const QJsonValue&, Settings&)> read;
};

const std::vector<SettingsField<GraphExtras>>& GraphSettingsFields();
const std::vector<SettingsField<SceneExtras>>& SceneSettingsFields();

// The settings as a JSON object: every key, or with changedOnly only those whose value
// differs from the start value (an object of start values is then empty).
QJsonObject GraphSettingsJson(const GraphExtras& extras, bool changedOnly);
QJsonObject SceneSettingsJson(const SceneExtras& extras, bool changedOnly);

// Reads the keys it knows into the settings; keys it does not know are skipped (a later
// version may have written them). A value it cannot take leaves that setting as it was and
// adds a line naming the key and `where` to problems.
void ReadGraphSettings(const QJsonObject& object, GraphExtras& extras, const std::string& where,
                       std::vector<std::string>& problems);
void ReadSceneSettings(const QJsonObject& object, SceneExtras& extras, const std::string& where,
                       std::vector<std::string>& problems);

}  // namespace quillon
