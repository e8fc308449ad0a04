#pragma once
// The settings of the scene's coordinate frame: box panels, grids, ticks, labels and titles
// for 3D scenes, the flat frame of colour maps and the background and grids of plane scenes.
// The drawing lives in scene/axes_draw; the record text in axes_save.cpp.

#include <cstdint>
#include <string>

#include "common/color.h"

namespace quillon {

// The axes frame settings: box panels, grids, ticks, labels and titles.
class Cls3 {
 public:
  bool Show = false;
  bool ShowXYPanel = false;
  bool ShowXZPanel = false;
  bool ShowYZPanel = false;
  bool ShowXYXGrid = true;
  bool ShowXYYGrid = true;
  bool ShowXZXGrid = true;
  bool ShowXZZGrid = true;
  bool ShowYZYGrid = true;
  bool ShowYZZGrid = true;
  int32_t LabelNumX = 2;
  int32_t LabelNumY = 2;
  int32_t LabelNumZ = 2;
  std::string TitleX;
  std::string TitleY;
  std::string TitleZ;
  int32_t XYPanelColor = RGB(204, 204, 204);
  int32_t XZPanelColor = RGB(204, 204, 204);
  int32_t YZPanelColor = RGB(204, 204, 204);
  int32_t XYGridColor = RGB(153, 153, 153);
  int32_t XZGridColor = RGB(153, 153, 153);
  int32_t YZGridColor = RGB(153, 153, 153);
  int32_t XYPanelMaterial = 4;
  int32_t XZPanelMaterial = 4;
  int32_t YZPanelMaterial = 4;
  int32_t AxisColor = 0;
  int32_t AxisWidth = 1;
  bool BetterFonts = false;
  int32_t AxisStyle = 1;  // 1 box frame, anything else axes through the origin
  bool ShowprimaryGrid = false;
  bool ShowSecondaryGrid = false;
  bool ShowBackground = false;
  int32_t BackStyle = 2;
  int32_t BackColor = RGB(0, 255, 0);
  int32_t BackColor2 = RGB(255, 255, 255);
  int32_t PriGridColor = RGB(0, 255, 0);
  int32_t SecGridColor = RGB(0, 255, 0);
  bool ShowShadow = false;
  bool ShowSecondaryLabel = true;
  bool ShowPI = false;

  // The settings of a new 3D scene: shown, no panels, all grids, two intervals per axis,
  // titles "X", "Y", "Z", grey panels and grids, "Metal" panels, black width-1 axes,
  // better fonts. The style and plane-scene settings are kept.
  void SetDefault();

  bool operator==(const Cls3&) const = default;

  // The axes record of the document text.
  std::string Save() const;
};

}  // namespace quillon
