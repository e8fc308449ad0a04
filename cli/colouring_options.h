#pragma once
// The colouring options that render and plot share: --colouring, --contours, --legend.

#include <optional>
#include <string>

#include "document/scene_document.h"
#include "graph/graph_extras.h"

namespace quillon {

struct ColouringOverrides {
  std::optional<Colouring> colouring;  // for every graph
  std::optional<ContourLines> contours;
  std::optional<bool> legend;  // for the scene
};

std::optional<Colouring> ParseColouring(const std::string& text);
std::optional<ContourLines> ParseContourLines(const std::string& text);
std::optional<bool> ParseOnOff(const std::string& text);

// Takes one of the three options with its value into `overrides`; false with the message on
// stderr (prefixed by the command's name) when the value is not one of the option's words.
bool ParseColouringOption(const std::string& command, const std::string& option, const std::string& value,
                          ColouringOverrides& overrides);

// Sets what the overrides hold on every graph of the document and on its scene settings.
void ApplyColouringOverrides(const ColouringOverrides& overrides, SceneDocument& document);

}  // namespace quillon
