#include "document/extension_fields.h"

#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace quillon {
namespace {

template <typename Enum>
struct EnumName {
  Enum value;
  const char* name;
};

// The names an enumeration is written with. A new enumerator needs its line here.
constexpr EnumName<ClipMode> kClipModes[] = {
    {ClipMode::kOff, "off"}, {ClipMode::kAutomatic, "automatic"}, {ClipMode::kRange, "range"}};
constexpr EnumName<Colouring> kColourings[] = {{Colouring::kChannels, "channels"},
                                               {Colouring::kPhase, "phase"},
                                               {Colouring::kEnhancedPhase, "enhancedPhase"},
                                               {Colouring::kModulus, "modulus"}};
constexpr EnumName<ContourLines> kContourLines[] = {{ContourLines::kNone, "none"},
                                                    {ContourLines::kModulus, "modulus"},
                                                    {ContourLines::kPhase, "phase"},
                                                    {ContourLines::kBoth, "both"}};
constexpr EnumName<BoxScale> kBoxScales[] = {{BoxScale::kTrueScale, "trueScale"}, {BoxScale::kCube, "cube"}};
constexpr EnumName<LabelStyle> kLabelStyles[] = {{LabelStyle::kText3D, "text3D"},
                                                 {LabelStyle::kScreen, "screen"}};

template <typename S>
SettingsField<S> Flag(const char* key, bool S::*member) {
  return {key, [member](const S& s) { return QJsonValue(s.*member); },
          [member](const QJsonValue& v, S& s) {
            if (!v.isBool()) return false;
            s.*member = v.toBool();
            return true;
          }};
}

// One element of a fixed array of flags, under its own key.
template <typename S, size_t N>
SettingsField<S> FlagAt(const char* key, std::array<bool, N> S::*member, size_t index) {
  return {key, [member, index](const S& s) { return QJsonValue((s.*member)[index]); },
          [member, index](const QJsonValue& v, S& s) {
            if (!v.isBool()) return false;
            (s.*member)[index] = v.toBool();
            return true;
          }};
}

// A single written as a JSON number (exactly, since every single is a double); a number
// beyond the single range is not taken.
template <typename S>
SettingsField<S> Real(const char* key, float S::*member) {
  return {key, [member](const S& s) { return QJsonValue(static_cast<double>(s.*member)); },
          [member](const QJsonValue& v, S& s) {
            if (!v.isDouble()) return false;
            const double d = v.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max()) return false;
            s.*member = static_cast<float>(d);
            return true;
          }};
}

template <typename S, typename Enum, size_t N>
SettingsField<S> Named(const char* key, Enum S::*member, const EnumName<Enum> (&names)[N]) {
  const std::span<const EnumName<Enum>> table(names);
  return {key,
          [member, table](const S& s) {
            for (const auto& entry : table) {
              if (entry.value == s.*member) return QJsonValue(QString::fromLatin1(entry.name));
            }
            return QJsonValue(static_cast<int>(s.*member));  // a value without a name yet
          },
          [member, table](const QJsonValue& v, S& s) {
            const QString text = v.toString();
            for (const auto& entry : table) {
              if (v.isString() && text == QLatin1String(entry.name)) {
                s.*member = entry.value;
                return true;
              }
            }
            return false;
          }};
}

template <typename S>
QJsonObject SettingsJson(const std::vector<SettingsField<S>>& fields, const S& settings, bool changedOnly) {
  static const S start{};
  QJsonObject object;
  for (const auto& field : fields) {
    const QJsonValue value = field.write(settings);
    if (!changedOnly || value != field.write(start)) object.insert(QLatin1String(field.key), value);
  }
  return object;
}

std::string ValueText(const QJsonValue& value) {
  if (value.isString()) {
    constexpr qsizetype kLongest = 40;  // a damaged file's text is quoted, not copied whole
    const QString text = value.toString();
    return "\"" + text.left(kLongest).toStdString() + (text.size() > kLongest ? "...\"" : "\"");
  }
  if (value.isBool()) return value.toBool() ? "true" : "false";
  if (value.isDouble()) return QString::number(value.toDouble(), 'g', 17).toStdString();
  if (value.isNull()) return "null";
  return value.isArray() ? "a list" : "an object";
}

template <typename S>
void ReadSettings(const std::vector<SettingsField<S>>& fields, const QJsonObject& object, S& settings,
                  const std::string& where, std::vector<std::string>& problems) {
  for (const auto& field : fields) {
    const auto found = object.constFind(QLatin1String(field.key));
    if (found == object.constEnd()) continue;
    if (!field.read(*found, settings)) {
      problems.push_back(where + ": \"" + field.key + "\" cannot be " + ValueText(*found) +
                         "; it is left as it was");
    }
  }
}

}  // namespace

// The block's keys. Adding a field to GraphExtras or SceneExtras: one line in these tables
// (and, for a new enumeration, its names above).
const std::vector<SettingsField<GraphExtras>>& GraphSettingsFields() {
  using G = GraphExtras;
  static const std::vector<SettingsField<G>> fields = {
      Flag("stopAtFirstError", &G::stopAtFirstError),
      Named("clip", &G::clip, kClipModes),
      Real("clipMin", &G::clipMin),
      Real("clipMax", &G::clipMax),
      FlagAt("logMagnitudeX", &G::logMagnitude, 0),
      FlagAt("logMagnitudeY", &G::logMagnitude, 1),
      FlagAt("logMagnitudeZ", &G::logMagnitude, 2),
      Named("colouring", &G::colouring, kColourings),
      Named("contours", &G::contours, kContourLines),
  };
  return fields;
}

const std::vector<SettingsField<SceneExtras>>& SceneSettingsFields() {
  using S = SceneExtras;
  static const std::vector<SettingsField<S>> fields = {
      Named("box", &S::box, kBoxScales),
      Named("labels", &S::labels, kLabelStyles),
      Flag("legend", &S::legend),
  };
  return fields;
}

QJsonObject GraphSettingsJson(const GraphExtras& extras, bool changedOnly) {
  return SettingsJson(GraphSettingsFields(), extras, changedOnly);
}

QJsonObject SceneSettingsJson(const SceneExtras& extras, bool changedOnly) {
  return SettingsJson(SceneSettingsFields(), extras, changedOnly);
}

void ReadGraphSettings(const QJsonObject& object, GraphExtras& extras, const std::string& where,
                       std::vector<std::string>& problems) {
  ReadSettings(GraphSettingsFields(), object, extras, where, problems);
}

void ReadSceneSettings(const QJsonObject& object, SceneExtras& extras, const std::string& where,
                       std::vector<std::string>& problems) {
  ReadSettings(SceneSettingsFields(), object, extras, where, problems);
}

}  // namespace quillon
