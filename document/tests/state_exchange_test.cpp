// What the program-wide state hands to sampling and drawing, and what it takes back.

#include "document/state_exchange.h"

#include <gtest/gtest.h>

#include "common/program_state.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DocumentTest;

class StateExchangeTest : public DocumentTest {};

TEST_F(StateExchangeTest, SamplingTakesTheFrameCountWithZeroAsOneAndTheViewIntervals) {
  struct Case {
    int32_t frameCount, sampled;
  };
  for (const Case c : {Case{0, 1}, Case{12, 12}, Case{-3, -3}}) {
    State().FrameCount = c.frameCount;
    EXPECT_EQ(ProgramSamplingSettings().frameCount, c.sampled) << c.frameCount;
    // What documents save and the scene compiles is the step count the markers have.
    EXPECT_EQ(State().FrameCount, c.sampled) << c.frameCount;
  }
  State().ViewMinX = -1.5f;
  State().ViewMaxZ = 7.0f;
  const ViewIntervals view = ProgramSamplingSettings().view;
  EXPECT_EQ(view.minX, -1.5f);
  EXPECT_EQ(view.maxX, 20.0f);
  EXPECT_EQ(view.minY, -20.0f);
  EXPECT_EQ(view.maxY, 20.0f);
  EXPECT_EQ(view.minZ, -50.0f);
  EXPECT_EQ(view.maxZ, 7.0f);
}

TEST_F(StateExchangeTest, TheSceneTakesItsValuesAndGivesBackWhatItLeft) {
  State().FrameCount = 6;
  State().TrackballActive = true;
  State().CurrentRotation = {0.5f, 0.5f, 0.5f, 0.5f};
  State().GlobalBoxMinX = -1.0f;
  State().GlobalBoxMaxY = 4.0f;
  State().ResultText = "Function y=x";
  SceneDrawState drawState = LoadSceneDrawState();
  EXPECT_EQ(drawState.frameCount, 6);
  EXPECT_TRUE(drawState.trackballActive);
  EXPECT_EQ(drawState.currentRotation, State().CurrentRotation);
  EXPECT_EQ(drawState.planeCurveBox.MinX, -1.0f);
  EXPECT_EQ(drawState.planeCurveBox.MaxY, 4.0f);
  EXPECT_EQ(drawState.resultText, "Function y=x");

  drawState.frameCount = 2;  // read only: never stored back
  drawState.trackballActive = false;
  drawState.currentRotation = kIdentityQuat;
  drawState.planeCurveBox.MaxX = 9.0f;
  drawState.planeCurveBox.MinZ = -2.0f;
  drawState.resultText.clear();
  StoreSceneDrawState(drawState);
  EXPECT_EQ(State().FrameCount, 6);
  EXPECT_FALSE(State().TrackballActive);
  EXPECT_EQ(State().CurrentRotation, kIdentityQuat);
  EXPECT_EQ(State().GlobalBoxMinX, -1.0f);
  EXPECT_EQ(State().GlobalBoxMaxX, 9.0f);
  EXPECT_EQ(State().GlobalBoxMinZ, -2.0f);
  EXPECT_EQ(State().ResultText, "");
}

}  // namespace
}  // namespace quillon
