// Whole pictures drawn as the command line draws them, checked by pixel probes: the white
// background, the surface in the middle, the blue labels and the grey grid around it.
// Set QUILLON_SAVE_PICTURES to a folder to keep the pictures for a look.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/sampling.h"
#include "scene/headless_render.h"
#include "scene/tests/scene_test_graphs.h"

namespace quillon {
namespace {

struct Counts {
  int white = 0, blue = 0, grey = 0, other = 0;
};

Counts Classify(const QImage& image) {
  Counts c;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int r = qRed(p), g = qGreen(p), b = qBlue(p);
      if (r > 250 && g > 250 && b > 250)
        ++c.white;
      else if (b > 150 && r < 100 && g < 100)
        ++c.blue;
      else if (std::abs(r - g) < 8 && std::abs(g - b) < 8 && r > 120)
        ++c.grey;
      else
        ++c.other;
    }
  }
  return c;
}

void Keep(const QImage& image, const char* name) {
  if (const char* dir = std::getenv("QUILLON_SAVE_PICTURES")) image.save(QDir(dir).filePath(name));
}

class ScenePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    State().SceneKind = 3;
    State().TitleLetterX = "Y";
    State().TitleLetterY = "X";
    State().TitleLetterZ = "U";
    axes_.SetDefault();
    scene_.Add(testing::GridSurface(30, [](float x, float z) { return std::sin(x) * std::cosh(z) / 2; }),
               "1");
  }
  void TearDown() override { ResetProgramState(); }
  QImage Render(HeadlessRenderOptions options) {
    QImage image;
    std::string error;
    EXPECT_TRUE(RenderScene(scene_, axes_, options, drawState_, image, error)) << error;
    return image;
  }
  Cls8 scene_;
  Cls3 axes_;
  SceneDrawState drawState_;
};

TEST_F(ScenePictureTest, IsoViewFittedShowsSurfaceFrameAndLabels) {
  HeadlessRenderOptions o;
  o.width = 300;
  o.height = 240;
  o.view = PresetView::Iso;
  o.fit = true;
  drawState_.trackballActive = true;  // a preset view replaces a mouse rotation
  const QImage image = Render(o);
  Keep(image, "iso.png");
  EXPECT_FALSE(drawState_.trackballActive);
  EXPECT_NE(drawState_.currentRotation, kIdentityQuat);
  ASSERT_EQ(image.size(), QSize(300, 240));
  EXPECT_EQ(image.pixel(0, 0), qRgba(255, 255, 255, 255));
  EXPECT_EQ(image.pixel(299, 239), qRgba(255, 255, 255, 255));
  const Counts c = Classify(image);
  EXPECT_GT(c.other, 300 * 240 / 20);  // the coloured surface
  EXPECT_GT(c.blue, 150);              // tick labels and titles
  EXPECT_GT(c.white, 300 * 240 / 3);   // and room around the fitted scene
  EXPECT_NE(image.pixel(150, 120), qRgba(255, 255, 255, 255));
}

TEST_F(ScenePictureTest, NewSceneCubeWithScreenLabelsFillsThePicture) {
  HeadlessRenderOptions o;
  o.width = 300;
  o.height = 240;
  o.view = PresetView::Iso;
  o.fit = true;
  o.extras = SceneExtras::NewScene();
  const QImage image = Render(o);
  Keep(image, "iso_cube_screen.png");
  const Counts c = Classify(image);
  EXPECT_GT(c.other, 300 * 240 / 10);  // the surface fills the cube, which fills the picture
  EXPECT_GT(c.blue, 150);              // the overlay's labels, as there is no 3D text
  EXPECT_EQ(image.pixel(0, 0), qRgba(255, 255, 255, 255));
}

TEST_F(ScenePictureTest, FrontViewPerspectiveAndHiddenFrame) {
  HeadlessRenderOptions o;
  o.width = 200;
  o.height = 200;
  o.view = PresetView::Front;
  o.projectType = 2;
  o.fit = true;
  const QImage framed = Render(o);
  Keep(framed, "front_perspective.png");
  EXPECT_GT(Classify(framed).blue, 100);
  axes_.Show = false;
  const QImage bare = Render(o);
  Keep(bare, "front_bare.png");
  EXPECT_EQ(Classify(bare).blue, 0);
  EXPECT_GT(Classify(bare).other, 200 * 200 / 20);
}

int ChangedPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  }
  return n;
}

TEST_F(ScenePictureTest, RootMarksAreDrawnOnlyWhenAsked) {
  // A sampled surface of z^2 - 1 (zeros at -1 and 1) in place of the evaluator-free one.
  auto graph = std::make_shared<Cls9>(Cls9().Init(2, "", gtp::kSurface, ctp::kCartesian, "", "", "z^2-1", 20,
                                                  20, -2, 2, -2, 2, 0, 0, 0, 0, 1, 0, shw::kSurface,
                                                  smt::kSmoothest, false, false, false, 0));
  graph->FunForm = fun::kExplicit;
  graph->VarX = quantity::kX;
  graph->VarY = quantity::kU;
  graph->VarZ = quantity::kY;
  graph->ColorR = quantity::kU;
  graph->ColorG = quantity::kV;
  graph->ColorB = quantity::kMagnitude;
  ASSERT_TRUE(graph->GetPoints({}));
  scene_ = Cls8();
  scene_.Add(graph, "2");
  HeadlessRenderOptions o;
  o.width = o.height = 240;
  o.view = PresetView::Iso;
  o.fit = true;
  const QImage bare = Render(o);
  o.markRoots = true;
  QImage marked;
  std::string error;
  std::vector<std::string> problems;
  ASSERT_TRUE(RenderScene(scene_, axes_, o, drawState_, marked, error, &problems));
  Keep(marked, "root_marks.png");
  EXPECT_TRUE(problems.empty());
  // Two rings of radius 5, stroke 2 and a rim: a few hundred pixels, nothing else.
  const int changed = ChangedPixels(bare, marked);
  EXPECT_GT(changed, 200);
  EXPECT_LT(changed, 800);
}

}  // namespace
}  // namespace quillon
