// From pixels back to the map plane, and the colouring legend in pictures: the picks against
// the camera's volume, the legend chosen for a scene, and pixel probes of a phase map with and
// without its legend.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "common/program_state.h"
#include "graph/colouring.h"
#include "scene/headless_render.h"
#include "scene/legend.h"
#include "scene/tests/scene_test_graphs.h"
#include "scene/view_pick.h"

namespace quillon {
namespace {

TEST(ViewPick, PicksOnTheMapPlaneSpanTheCameraVolume) {
  ResetProgramState();
  Cls8 scene;
  scene.Add(testing::BoxSurface(-1, 3, 0, 0, -2, 2), "1");
  Cls4 camera;
  camera.SetScreenSize(200, 100);
  camera.SetViewRect(20.0f, 10.0f);
  camera.SetRef(1.0f, 0.5f, 0.0f);
  camera.SetEye(1.0f, 0.5f, 1000.0f);
  const ViewTransform view = CurrentViewTransform(camera, scene);
  const auto centre = PickOnMapPlane(view, 100, 50);
  ASSERT_TRUE(centre);
  EXPECT_NEAR((*centre)[0], 1.0, 1e-4);
  EXPECT_NEAR((*centre)[1], 0.5, 1e-4);
  const auto seen = VisibleMapPlane(view);
  ASSERT_TRUE(seen);
  EXPECT_NEAR(seen->minX, 1.0 - 10.0, 1e-3);
  EXPECT_NEAR(seen->maxX, 1.0 + 10.0, 1e-3);
  EXPECT_NEAR(seen->minY, 0.5 - 5.0, 1e-3);
  EXPECT_NEAR(seen->maxY, 0.5 + 5.0, 1e-3);
  // Window y runs down: the top row is the largest scene y.
  EXPECT_NEAR((*PickOnMapPlane(view, 0, 0))[1], seen->maxY, 1e-3);
}

TEST(ColourLegend, FirstGraphColouredFromWChoosesIt) {
  Cls8 scene;
  auto channels = testing::BoxSurface(0, 1, 0, 1, 0, 1, 1);
  auto modulus = testing::BoxSurface(0, 1, 0, 1, 0, 1, 2);
  modulus->Extras.colouring = Colouring::kModulus;
  modulus->QuantityMagnitude.Resize(1, 1);
  for (int k = 0; k <= 1; ++k)
    for (int j = 0; j <= 1; ++j) modulus->QuantityMagnitude.at(k, j) = k + j == 0 ? 0.01f : 100.0f;
  auto phase = testing::BoxSurface(0, 1, 0, 1, 0, 1, 3);
  phase->Extras.colouring = Colouring::kPhase;
  EXPECT_FALSE(SceneLegend(scene));
  scene.Add(channels, "1");
  EXPECT_FALSE(SceneLegend(scene));
  scene.Add(modulus, "2");
  scene.Add(phase, "3");
  const auto legend = SceneLegend(scene);
  ASSERT_TRUE(legend);
  EXPECT_EQ(legend->mode, Colouring::kModulus);
  EXPECT_EQ(legend->range, (ModulusRange{-2.0, 2.0}));
}

TEST(ColourLegend, PhaseMapPictureWithAndWithoutItsLegend) {
  ResetProgramState();
  State().SceneKind = 7;
  Cls8 scene;
  Cls3 axes;
  axes.SetDefault();
  axes.Show = false;
  // A flat map of w = z over [-2, 2]^2: scene X = x, scene Z = y; u and v in the quantity tables.
  auto map = testing::GridSurface(40, [](float, float) { return 0.0f; });
  map->GraphType = gtp::kColorMap;
  map->Extras.colouring = Colouring::kPhase;
  map->QuantityU.ShareFrom(map->SceneX);
  map->QuantityV.ShareFrom(map->SceneZ);
  scene.Add(map, "1");
  HeadlessRenderOptions options;
  options.width = options.height = 300;
  options.fit = true;
  QImage plain, legend;
  std::string error;
  SceneDrawState drawState;
  ASSERT_TRUE(RenderScene(scene, axes, options, drawState, plain, error)) << error;
  options.legend = true;
  ASSERT_TRUE(RenderScene(scene, axes, options, drawState, legend, error)) << error;
  // The map fills the middle: the positive real axis right of centre is red, the positive
  // imaginary axis above it the hue of a quarter turn.
  const QRgb right = plain.pixel(200, 150), up = plain.pixel(150, 100);
  EXPECT_GT(qRed(right), 240);
  EXPECT_LT(qGreen(right), 40);
  EXPECT_LT(qBlue(right), 40);
  const Rgb quarter = HueColour(0.25);
  EXPECT_NEAR(qRed(up), quarter.r * 255, 30);
  EXPECT_NEAR(qGreen(up), quarter.g * 255, 30);
  // The legend takes the lower right corner only.
  int changedCorner = 0, changedElsewhere = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x)
      if (plain.pixel(x, y) != legend.pixel(x, y)) ++(x > 130 && y > 160 ? changedCorner : changedElsewhere);
  EXPECT_GT(changedCorner, 3000);
  EXPECT_EQ(changedElsewhere, 0);
}

}  // namespace
}  // namespace quillon
