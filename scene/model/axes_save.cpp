// The axes record of the document text. A hidden frame is the single character "0".

#include "graph/record_text.h"
#include "scene/model/axes_frame.h"

namespace quillon {

std::string Cls3::Save() const {
  if (!Show) return "0";
  std::string r = "1 ";
  for (bool flag : {ShowXYPanel, ShowXZPanel, ShowYZPanel, ShowXYXGrid, ShowXYYGrid, ShowXZXGrid, ShowXZZGrid,
                    ShowYZYGrid, ShowYZZGrid, BetterFonts}) {
    r += BooleanField(flag);
  }
  for (int32_t value :
       {LabelNumX, LabelNumY, LabelNumZ, XYPanelColor, XZPanelColor, YZPanelColor, XYGridColor, XZGridColor,
        YZGridColor, XYPanelMaterial, XZPanelMaterial, YZPanelMaterial, AxisColor, AxisWidth}) {
    r += IntegerField(value);
  }
  r += DelimitedField(TitleX);
  r += DelimitedField(TitleY);
  r += DelimitedField(TitleZ);
  r += BooleanField(ShowprimaryGrid);
  r += BooleanField(ShowSecondaryGrid);
  r += BooleanField(ShowBackground);
  r += IntegerField(BackStyle);
  r += IntegerField(BackColor);
  r += IntegerField(BackColor2);
  r += IntegerField(PriGridColor);
  r += IntegerField(SecGridColor);
  r += BooleanField(ShowSecondaryLabel);
  r += BooleanField(ShowPI);
  r += BooleanField(ShowShadow);
  return r;
}

}  // namespace quillon
