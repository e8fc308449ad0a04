#include "scene/model/axes_frame.h"

namespace quillon {

void Cls3::SetDefault() {
  Show = true;
  ShowXYPanel = ShowXZPanel = ShowYZPanel = false;
  ShowXYXGrid = ShowXYYGrid = ShowXZXGrid = ShowXZZGrid = ShowYZYGrid = ShowYZZGrid = true;
  LabelNumX = LabelNumY = LabelNumZ = 2;
  TitleX = "X";
  TitleY = "Y";
  TitleZ = "Z";
  XYPanelColor = XZPanelColor = YZPanelColor = RGB(204, 204, 204);
  XYGridColor = XZGridColor = YZGridColor = RGB(153, 153, 153);
  XYPanelMaterial = XZPanelMaterial = YZPanelMaterial = 4;
  AxisColor = 0;
  AxisWidth = 1;
  BetterFonts = true;
}

}  // namespace quillon
