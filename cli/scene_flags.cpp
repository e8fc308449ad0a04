#include "cli/scene_flags.h"

#include <cstdlib>

#include "document/scene_document.h"

namespace quillon::cli {

namespace {

bool ParseFloat(const std::string& text, float& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtof(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

}  // namespace

std::unique_ptr<QGuiApplication> StartOffscreenGui() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "quillon-cli";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return nullptr;
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<ClipFlag> ParseClipFlag(const std::string& text) {
  ClipFlag clip;
  if (text == "auto") return clip;
  if (text == "off") {
    clip.mode = ClipMode::kOff;
    return clip;
  }
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  clip.mode = ClipMode::kRange;
  if (!ParseFloat(text.substr(0, comma), clip.min) || !ParseFloat(text.substr(comma + 1), clip.max))
    return std::nullopt;
  if (!(clip.min < clip.max)) return std::nullopt;
  return clip;
}

std::optional<BoxScale> ParseBoxFlag(const std::string& text) {
  if (text == "true") return BoxScale::kTrueScale;
  if (text == "cube") return BoxScale::kCube;
  return std::nullopt;
}

std::optional<LabelStyle> ParseLabelsFlag(const std::string& text) {
  if (text == "screen") return LabelStyle::kScreen;
  if (text == "3d") return LabelStyle::kText3D;
  return std::nullopt;
}

void ApplyClipFlag(SceneDocument& document, const ClipFlag& clip) {
  for (const Cls8::Entry& entry : document.ListScene.FunSurfs()) {
    entry.graph->Extras.clip = clip.mode;
    if (clip.mode == ClipMode::kRange) {
      entry.graph->Extras.clipMin = clip.min;
      entry.graph->Extras.clipMax = clip.max;
    }
  }
}

}  // namespace quillon::cli
