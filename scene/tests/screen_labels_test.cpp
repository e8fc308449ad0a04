// Screen labels and the fitted view: tick texts that tell neighbours apart, labels that never
// overlap and stay inside the picture in every preset view, a cube's scaling, and Zoom to
// Fit filling at least 85% of the shorter side.

#include "scene/screen_labels.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/program_state.h"
#include "scene/headless_render.h"
#include "scene/model/camera.h"
#include "scene/model/container.h"
#include "scene/model/scene_scaling.h"
#include "scene/scene_frame.h"

namespace quillon {
namespace {

TEST(ScreenLabels, TickTextsTellNeighboursApart) {
  struct Case {
    double from, to;
    int32_t n;
    std::vector<QString> texts;
  } cases[] = {
      {-2.0, 2.0, 4, {"-2.0", "-1.0", "0.0", "1.0", "2.0"}},
      {1.0, 1.01, 2, {"1.000", "1.005", "1.010"}},
      {-0.05, 0.05, 2, {"-0.05", "0.00", "0.05"}},
      {0.0, 1e6, 2, {"0", "5e+05", "1e+06"}},
  };
  for (const Case& c : cases) EXPECT_EQ(TickTexts(c.from, c.to, c.n), c.texts) << c.from << " " << c.to;
}

TEST(ScreenLabels, CubeScalesEveryAxisToOneSideWithoutThePadding) {
  // The padding (0.5) comes off every axis; a flat one (Z: one value padded to 0..1) keeps it.
  const Cls1 padded = Cls1::Of(-2.5f, 2.5f, -0.5f, 100.5f, 0.0f, 1.0f);
  const SceneScaling s = ScalingFor(padded, BoxScale::kCube, 0.5);
  EXPECT_EQ(s.framed.MinX, -2.0f);
  EXPECT_EQ(s.framed.MaxY, 100.0f);
  EXPECT_EQ(s.framed.MinZ, 0.0f);
  const Cls1 shown = s.ShownBox(s.framed);
  for (const auto& [lo, hi] : {std::pair{shown.MinX, shown.MaxX}, std::pair{shown.MinY, shown.MaxY},
                               std::pair{shown.MinZ, shown.MaxZ}}) {
    EXPECT_FLOAT_EQ(lo, -kCubeSide / 2);
    EXPECT_FLOAT_EQ(hi, kCubeSide / 2);
  }
  EXPECT_TRUE(ScalingFor(Cls1::Of(-2, 2, 0, 100, -1, 1), BoxScale::kTrueScale).IsIdentity());
  EXPECT_TRUE(ScalingFor(Cls1::Empty(), BoxScale::kCube).IsIdentity());
}

class FittedViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    State().SceneKind = 3;
  }
};

TEST_F(FittedViewTest, FitFillsTheShorterSideAndLabelsNeverOverlap) {
  const Cls1 box = Cls1::Of(-2, 2, -1, 30, -2, 2);
  const SceneScaling scaling = ScalingFor(box, BoxScale::kCube);
  FrameLabelSet set;
  set.active = true;
  set.shown = scaling.ShownBox(scaling.framed);
  set.values = scaling.framed;
  set.intervals = {10, 10, 10};
  set.titles = {"Y", "U", "X"};
  struct Case {
    PresetView view;
    int w, h;
    size_t leastLabels;
  } cases[] = {{PresetView::Iso, 800, 600, 20},
               {PresetView::Front, 800, 600, 12},
               {PresetView::Right, 600, 800, 12},
               {PresetView::Top, 800, 600, 12},
               {PresetView::Iso, 300, 300, 6}};
  for (const Case& c : cases) {
    Cls8 scene;
    ApplyPresetView(scene, c.view);
    const std::array<float, 16> orientation = OrientationMatrix(scene, SceneDrawState{});
    Cls4 camera;
    camera.ScreenWidth = static_cast<float>(c.w);
    camera.ScreenHeight = static_cast<float>(c.h);
    camera.SetViewRect(camera.VolWidth, camera.VolHeight);
    FitBoxToView(camera, set.shown, orientation, kFitShare);

    ScreenProjection p;
    p.width = c.w;
    p.height = c.h;
    std::array<double, 16> r{};
    for (size_t i = 0; i < 16; ++i) r[i] = orientation[i];
    p.matrix = ScreenProjection::Multiply(camera.ProjectionMatrix(box),
                                          ScreenProjection::Multiply(camera.ModelViewMatrix(), r));
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (int corner = 0; corner < 8; ++corner) {
      const QPointF q = p.Project((corner & 1) ? set.shown.MaxX : set.shown.MinX,
                                  (corner & 2) ? set.shown.MaxY : set.shown.MinY,
                                  (corner & 4) ? set.shown.MaxZ : set.shown.MinZ);
      left = std::min(left, q.x());
      right = std::max(right, q.x());
      top = std::min(top, q.y());
      bottom = std::max(bottom, q.y());
    }
    const double shorter = std::min(c.w, c.h);
    EXPECT_GE(std::max(right - left, bottom - top), 0.85 * shorter) << c.w << "x" << c.h;
    EXPECT_GE(left, -0.5);
    EXPECT_LE(right, c.w + 0.5);
    EXPECT_NEAR((left + right) / 2.0, c.w / 2.0, 1.0);
    EXPECT_NEAR((top + bottom) / 2.0, c.h / 2.0, 1.0);

    const std::vector<PlacedLabel> labels = LayoutFrameLabels(set, p);
    EXPECT_GE(labels.size(), c.leastLabels) << static_cast<int>(c.view);
    const QRectF screen(0, 0, c.w, c.h);
    for (size_t i = 0; i < labels.size(); ++i) {
      EXPECT_TRUE(screen.contains(labels[i].rect)) << labels[i].text.toStdString();
      for (size_t j = i + 1; j < labels.size(); ++j)
        EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect))
            << labels[i].text.toStdString() << " / " << labels[j].text.toStdString();
    }
  }
}

}  // namespace
}  // namespace quillon
