#pragma once
// The colour chooser behind the dialogs' colour swatches. The window uses QColorDialog;
// tests install a chooser with scripted answers so that no modal dialog blocks them.

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace quillon {

// Returns the chosen colour (0x00BBGGRR), or nothing when the user cancelled.
using ColorChooser = std::function<std::optional<int32_t>(int32_t initialColor, QWidget* parent)>;

std::optional<int32_t> ChooseColor(int32_t initialColor, QWidget* parent);

// Installs a chooser; an empty function restores QColorDialog.
void SetColorChooser(ColorChooser chooser);

// 0x00BBGGRR to and from the packed RGB value Qt's colours use.
uint32_t ColorToQRgb(int32_t color);
int32_t ColorFromQRgb(uint32_t rgb);

}  // namespace quillon
