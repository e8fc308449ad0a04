#include <gtest/gtest.h>

#include "scene/model/axes_frame.h"

namespace quillon {
namespace {

TEST(AxesSave, HiddenFrameIsASingleZero) {
  Cls3 axes;
  axes.SetDefault();
  axes.Show = false;
  EXPECT_EQ(axes.Save(), "0");
}

TEST(AxesSave, ShownFrameWritesEveryFieldInOrder) {
  Cls3 axes;
  axes.Show = true;
  axes.ShowYZPanel = true;
  axes.ShowXZZGrid = false;
  axes.BetterFonts = true;
  axes.LabelNumX = 3;
  axes.LabelNumZ = 500;
  axes.XYPanelColor = 1;
  axes.YZGridColor = 2;
  axes.YZPanelMaterial = 13;
  axes.AxisColor = 255;
  axes.AxisWidth = 3;
  axes.TitleX = "real axis";
  axes.TitleY = "";
  axes.TitleZ = "|w|";
  axes.ShowprimaryGrid = true;
  axes.BackStyle = 5;
  axes.ShowSecondaryLabel = false;
  axes.ShowShadow = true;
  EXPECT_EQ(axes.Save(),
            "1 0 0 1 1 1 1 0 1 1 1 3 2 500 1 13421772 13421772 10066329 10066329 2 4 4 13 255 3 "
            "@real axis@ @@ @|w|@ 1 0 0 5 65280 16777215 65280 65280 0 0 1 ");
}

}  // namespace
}  // namespace quillon
