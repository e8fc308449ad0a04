#pragma once
// What quillon-cli render and plot share: the drawing flags --clip, --box and --labels, and
// starting QtGui without a display.

#include <QGuiApplication>
#include <memory>
#include <optional>
#include <string>

#include "graph/graph_extras.h"
#include "scene/model/scene_extras.h"

namespace quillon {
class SceneDocument;
}

namespace quillon::cli {

// A clip setting given on the command line: "auto", "off" or "MIN,MAX" (MIN below MAX).
struct ClipFlag {
  ClipMode mode = ClipMode::kAutomatic;
  float min = 0.0f, max = 0.0f;
};
std::optional<ClipFlag> ParseClipFlag(const std::string& text);
// "true" or "cube"; "screen" or "3d".
std::optional<BoxScale> ParseBoxFlag(const std::string& text);
std::optional<LabelStyle> ParseLabelsFlag(const std::string& text);

// A QGuiApplication on the offscreen platform (fonts and images need QtGui), unless one runs.
std::unique_ptr<QGuiApplication> StartOffscreenGui();

// Gives every graph of the document the clip setting.
void ApplyClipFlag(SceneDocument& document, const ClipFlag& clip);

}  // namespace quillon::cli
