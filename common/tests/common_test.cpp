#include <gtest/gtest.h>

#include "common/color.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "common/single.h"

namespace quillon {
namespace {

TEST(SplitColor, SplitsLowByteAsRed) {
  const ColorParts c = SplitColor(RGB(153, 102, 51));
  EXPECT_DOUBLE_EQ(c.r, 0.6);
  EXPECT_DOUBLE_EQ(c.g, 0.4);
  EXPECT_DOUBLE_EQ(c.b, 0.2);
  const ColorParts red = SplitColor(255);
  EXPECT_DOUBLE_EQ(red.r, 1.0);
  EXPECT_DOUBLE_EQ(red.b, 0.0);
}

TEST(SingleStorage, RaisesOverflowOutsideSingleRange) {
  EXPECT_FLOAT_EQ(ToSingle(1.5), 1.5f);
  try {
    ToSingle(1e39);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
  EXPECT_THROW(ToSingle(std::nan("")), RuntimeError);
  try {
    CheckedDivide(1.0, 0.0);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kDivisionByZero);
    EXPECT_EQ(e.Description(), "Division by zero");
  }
}

TEST(MessageSink, RecordsRequestsAndPlaysScriptedAnswers) {
  RecordingSink sink;
  ScopedMessageSink guard(&sink);
  sink.Script(MsgAnswer::No);
  EXPECT_EQ(MsgBox("Save?", "Note", MsgIcon::Exclamation, MsgButtons::YesNoCancel), MsgAnswer::No);
  EXPECT_EQ(MsgBox("Again?", "Note", MsgIcon::Exclamation, MsgButtons::YesNo), MsgAnswer::Yes);
  ASSERT_EQ(sink.Requests().size(), 2u);
  EXPECT_EQ(sink.Requests()[0].title, "Note");
  EXPECT_EQ(sink.Requests()[0].icon, MsgIcon::Exclamation);
}

TEST(ProgramState, ResetRestoresStartValues) {
  State().SceneKind = 7;
  State().CurrentRotation = {1, 0, 0, 0};
  ResetProgramState();
  EXPECT_EQ(State().SceneKind, 0);
  EXPECT_EQ(State().FrameCount, 10);
  EXPECT_FLOAT_EQ(State().CurrentRotation[3], 1.0f);
  EXPECT_FLOAT_EQ(State().ViewMinZ, -50.0f);
}

TEST(CheckIndex, RaisesSubscriptError) {
  EXPECT_NO_THROW(CheckIndex(3, 4));
  try {
    CheckIndex(4, 4);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
  }
}

}  // namespace
}  // namespace quillon
