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

}  // namespace
}  // namespace quillon
