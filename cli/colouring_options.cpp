#include "cli/colouring_options.h"

#include <cstdio>

namespace quillon {

std::optional<Colouring> ParseColouring(const std::string& text) {
  if (text == "channels") return Colouring::kChannels;
  if (text == "phase") return Colouring::kPhase;
  if (text == "enhanced") return Colouring::kEnhancedPhase;
  if (text == "modulus") return Colouring::kModulus;
  return std::nullopt;
}

std::optional<ContourLines> ParseContourLines(const std::string& text) {
  if (text == "none") return ContourLines::kNone;
  if (text == "modulus") return ContourLines::kModulus;
  if (text == "phase") return ContourLines::kPhase;
  if (text == "both") return ContourLines::kBoth;
  return std::nullopt;
}

std::optional<bool> ParseOnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

bool ParseColouringOption(const std::string& command, const std::string& option, const std::string& value,
                          ColouringOverrides& overrides) {
  if (option == "--colouring") {
    overrides.colouring = ParseColouring(value);
    if (overrides.colouring) return true;
    std::fprintf(stderr, "%s: --colouring wants channels, phase, enhanced or modulus\n", command.c_str());
  } else if (option == "--contours") {
    overrides.contours = ParseContourLines(value);
    if (overrides.contours) return true;
    std::fprintf(stderr, "%s: --contours wants none, modulus, phase or both\n", command.c_str());
  } else if (option == "--legend") {
    overrides.legend = ParseOnOff(value);
    if (overrides.legend) return true;
    std::fprintf(stderr, "%s: --legend wants on or off\n", command.c_str());
  }
  return false;
}

void ApplyColouringOverrides(const ColouringOverrides& overrides, SceneDocument& document) {
  for (const Cls8::Entry& entry : document.DrawScene.FunSurfs()) {
    if (overrides.colouring) entry.graph->Extras.colouring = *overrides.colouring;
    if (overrides.contours) entry.graph->Extras.contours = *overrides.contours;
  }
  if (overrides.legend) document.Extras.legend = *overrides.legend;
}

}  // namespace quillon
