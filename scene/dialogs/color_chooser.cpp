#include "scene/dialogs/color_chooser.h"

#include <QColor>
#include <QColorDialog>

#include "common/color.h"

namespace quillon {
namespace {

ColorChooser& InstalledChooser() {
  static ColorChooser chooser;
  return chooser;
}

std::optional<int32_t> AskQColorDialog(int32_t initialColor, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(QColor::fromRgb(ColorToQRgb(initialColor)), parent);
  if (!chosen.isValid()) return std::nullopt;
  return ColorFromQRgb(chosen.rgb());
}

}  // namespace

std::optional<int32_t> ChooseColor(int32_t initialColor, QWidget* parent) {
  const ColorChooser& chooser = InstalledChooser();
  return chooser ? chooser(initialColor, parent) : AskQColorDialog(initialColor, parent);
}

void SetColorChooser(ColorChooser chooser) {
  InstalledChooser() = std::move(chooser);
}

uint32_t ColorToQRgb(int32_t color) {
  const uint32_t c = static_cast<uint32_t>(color);
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int32_t ColorFromQRgb(uint32_t rgb) {
  return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

}  // namespace quillon
