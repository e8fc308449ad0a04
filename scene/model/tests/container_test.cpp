#include "scene/model/container.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/program_state.h"
#include "common/runtime_error.h"
#include "graph/codes.h"

namespace quillon {
namespace {

class ContainerTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
};

// A colour map graph whose scene tables span the given box (two corners).
std::shared_ptr<Cls9> BoxGraph(float minX, float maxX, float minY, float maxY, float minZ, float maxZ) {
  auto g = std::make_shared<Cls9>();
  g->GraphType = gtp::kColorMap;
  g->StepU = 1;
  g->StepV = 1;
  g->SceneX.Resize(1, 1);
  g->SceneY.Resize(1, 1);
  g->SceneZ.Resize(1, 1);
  g->SceneX.at(0, 0) = minX;
  g->SceneX.at(1, 1) = maxX;
  g->SceneY.at(0, 0) = minY;
  g->SceneY.at(1, 1) = maxY;
  g->SceneZ.at(0, 0) = minZ;
  g->SceneZ.at(1, 1) = maxZ;
  // the two other corners repeat the first
  g->SceneX.at(0, 1) = g->SceneX.at(1, 0) = minX;
  g->SceneY.at(0, 1) = g->SceneY.at(1, 0) = minY;
  g->SceneZ.at(0, 1) = g->SceneZ.at(1, 0) = minZ;
  return g;
}

TEST_F(ContainerTest, KeepsGraphsInOrderUnderUniqueKeys) {
  Cls8 scene;
  auto a = std::make_shared<Cls9>();
  auto b = std::make_shared<Cls9>();
  scene.Add(a, "1");
  scene.Add(b, "2");
  EXPECT_EQ(scene.Count(), 2u);
  EXPECT_EQ(scene.Item(1), a);
  EXPECT_EQ(scene.Item(2), b);
  EXPECT_EQ(scene.Find("2"), b);
  EXPECT_EQ(scene.Find("3"), nullptr);
  try {
    scene.Add(std::make_shared<Cls9>(), "1");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 457);
    EXPECT_EQ(e.Description(), "This key is already associated with an element of this collection");
  }
  EXPECT_EQ(scene.Count(), 2u);
  EXPECT_THROW(scene.Item(0), RuntimeError);
  EXPECT_THROW(scene.Item(3), RuntimeError);
  EXPECT_THROW(scene.Remove("9"), RuntimeError);
  scene.Remove("1");
  EXPECT_EQ(scene.Item(1), b);
  EXPECT_THROW(scene.Add(nullptr, "5"), RuntimeError);
}

TEST_F(ContainerTest, AnimationIsTrueWhenAnyGraphIsAnimated) {
  Cls8 scene;
  EXPECT_FALSE(scene.Animation());
  scene.Add(std::make_shared<Cls9>(), "1");
  EXPECT_FALSE(scene.Animation());
  auto animated = std::make_shared<Cls9>();
  animated->Animation = true;
  scene.Add(animated, "2");
  EXPECT_TRUE(scene.Animation());
}

TEST_F(ContainerTest, AnEmptySceneGivesTheInvertedBox) {
  Cls8 scene;
  const Cls1 b = scene.GetBox(0, false, {});
  EXPECT_EQ(b.MinX, 9999999.0f);
  EXPECT_EQ(b.MaxX, -9999999.0f);
  EXPECT_EQ(b.MinZ, 9999999.0f);
  EXPECT_EQ(b.MaxZ, -9999999.0f);
}

TEST_F(ContainerTest, UnitesPadsAndSetsTheSceneUnit) {
  Cls8 scene;
  scene.Add(BoxGraph(-2.0f, 3.0f, 0.0f, 1.0f, -0.5f, 0.5f), "1");
  auto curve = std::make_shared<Cls9>();  // an empty box the union ignores
  curve->GraphType = gtp::kCurve3D;
  scene.Add(curve, "2");
  Cls1 b = scene.GetBox(0, false, {});
  EXPECT_FLOAT_EQ(b.MinX, -2.04f);
  EXPECT_FLOAT_EQ(b.MaxX, 3.04f);
  EXPECT_FLOAT_EQ(b.MinY, -0.04f);
  EXPECT_FLOAT_EQ(b.MaxY, 1.04f);
  EXPECT_FLOAT_EQ(b.MinZ, -0.54f);
  EXPECT_FLOAT_EQ(scene.SceneUnit, 0.304f);
  EXPECT_FLOAT_EQ(scene.SceneBox.MaxX, 3.04f);

  scene.Add(BoxGraph(1.0f, 2.0f, -7.0f, -6.0f, 4.0f, 5.0f), "3");
  b = scene.GetBox(0, false, {});
  EXPECT_FLOAT_EQ(b.MinY, -7.04f);
  EXPECT_FLOAT_EQ(b.MaxZ, 5.04f);
  EXPECT_FLOAT_EQ(scene.SceneUnit, 0.704f);
}

TEST_F(ContainerTest, AnimatedGraphsAreBoxedForTheRequestedFrame) {
  Cls8 scene;
  auto point = std::make_shared<Cls9>();
  point->GraphType = gtp::kPointAnimation;
  point->Animation = true;
  point->ResizeAnim1D(1);
  point->Anim1D(0) = Cls2().Init(1.0f, 1.0f, 1.0f);
  point->Anim1D(1) = Cls2().Init(5.0f, 5.0f, 5.0f);
  scene.Add(point, "1");
  EXPECT_FLOAT_EQ(scene.GetBox(1, false, {}).MaxX, 5.04f);
  EXPECT_FLOAT_EQ(scene.GetBox(0, false, {}).MaxX, 1.04f);
  point->Animation = false;  // a graph that is not animated is boxed without a frame
  EXPECT_FLOAT_EQ(scene.GetBox(1, false, {}).MaxX, 1.04f);
}

TEST(PlaneTickStep, FollowsTheThreeRanges) {
  EXPECT_EQ(PlaneTickStep(0.3f), 1.0f);   // F = 0.6
  EXPECT_EQ(PlaneTickStep(0.5f), 2.0f);   // F = 1
  EXPECT_EQ(PlaneTickStep(1.9f), 4.0f);   // F = 3.8
  EXPECT_EQ(PlaneTickStep(2.5f), 10.0f);  // F = 5
  EXPECT_EQ(PlaneTickStep(6.0f), 15.0f);  // F = 12
}

TEST_F(ContainerTest, PlaneScenesRoundXAndYOutwardThroughTheOrigin) {
  Cls8 scene;
  scene.Add(BoxGraph(0.5f, 2.5f, -1.2f, 0.7f, -3.0f, 3.0f), "1");
  State().SceneKind = 3;
  Cls1 b = scene.GetBox(0, false, {});
  EXPECT_FLOAT_EQ(b.MinX, 0.46f);  // 3D scenes keep the padded box

  State().SceneKind = 1;
  b = scene.GetBox(0, false, {});  // unit 0.304: step 1
  EXPECT_EQ(b.MinX, -1.0f);
  EXPECT_EQ(b.MaxX, 3.0f);
  EXPECT_EQ(b.MinY, -2.0f);
  EXPECT_EQ(b.MaxY, 1.0f);
  EXPECT_FLOAT_EQ(b.MinZ, -3.04f);  // Z keeps its padding
  EXPECT_FLOAT_EQ(scene.SceneBox.MinX, 0.46f);

  State().SceneKind = 4;
  b = scene.GetBox(0, true, {});  // X in steps of pi
  EXPECT_FLOAT_EQ(b.MinX, -3.1416f);
  EXPECT_FLOAT_EQ(b.MaxX, 3.1416f);
  EXPECT_EQ(b.MaxY, 1.0f);
}

TEST_F(ContainerTest, LargePlaneScenesUseStepsOfFive) {
  Cls8 scene;
  scene.Add(BoxGraph(-59.96f, 20.0f, 0.0f, 1.0f, 0.0f, 0.0f), "1");
  State().SceneKind = 1;
  const Cls1 b = scene.GetBox(0, false, {});  // unit 6.0: F = 12, step 15
  EXPECT_FLOAT_EQ(scene.SceneUnit, 6.0f);
  EXPECT_EQ(b.MinX, -60.0f);
  EXPECT_EQ(b.MaxX, 30.0f);
  EXPECT_EQ(b.MinY, -15.0f);
  EXPECT_EQ(b.MaxY, 15.0f);
}

}  // namespace
}  // namespace quillon
