// The graph record: its exact text, and how the document reader and Paste take it back.

#include <gtest/gtest.h>

#include "document/record_reader.h"
#include "graph/record_text.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogSurface;
using testing_support::DocumentTest;

class RecordTest : public DocumentTest {
 protected:
  RecordRead Read(const std::string& text, RecordRules rules, size_t p = 0) {
    storage_ = text;
    tokens_ = *TokenList::Split(storage_, 5000);
    return ReadGraphRecord(tokens_, p, rules);
  }
  std::string storage_;
  TokenList tokens_;
};

TEST_F(RecordTest, DialogSurfaceRecordText) {
  auto g = DialogSurface(1, "My surface", "z^2+1");
  EXPECT_EQ(g->Save(), "2 1 @My surface@ 3   z^2+1 4 4 -2 2 -2 2 0 0 0 0 1 4 3 3 255 1 0 0 2 1 3 2 3 4 5 ");
}

TEST_F(RecordTest, AnimatedRecordCarriesRangeAndTheGlobalSettings) {
  auto g = DialogSurface(7, "", "z");
  g->Animation = true;
  g->MinT = -1.5f;
  g->MaxT = 3.0f;
  State().FrameCount = 12;
  State().AnimationSpeed = 25;
  const std::string text = g->Save();
  EXPECT_NE(text.find(" 1 0 1 -1.5 3 12 25 2 1 3 2 3 4 5 "), std::string::npos) << text;
  auto plain = TokenList::Split(DialogSurface(7, "", "z")->Save(), 100);
  auto animated = TokenList::Split(text, 100);
  EXPECT_EQ(plain->size(), 32u);
  EXPECT_EQ(animated->size(), 36u);
}

TEST_F(RecordTest, DocumentRulesReadEveryField) {
  auto g = DialogSurface(9, "two words", "sin(z)");
  g->PointColor = 65535;
  g->PointSize = 3;
  g->PointHollow = true;
  g->FillStyle = 2;
  g->FirstColor = 123456;
  g->SecondColor = 654321;
  g->LineColor = 42;
  g->Show = 2;
  g->Smoothness = 1;
  g->MinU = -1.25f;
  g->MaxV = 1.5e-05f;
  g->ExpressX = "x";
  g->ExpressY = "y";
  const std::string text = g->Save() + "tail";
  RecordRead r = Read(text, RecordRules::kDocument);
  ASSERT_TRUE(r.graph);
  const Cls9& b = *r.graph;
  EXPECT_EQ(b.GraphType, 2);
  EXPECT_EQ(b.ID, 9);
  EXPECT_EQ(b.NameS, "two words");
  EXPECT_EQ(b.CoordType, 3);
  EXPECT_EQ(b.ExpressX, "x");
  EXPECT_EQ(b.ExpressY, "y");
  EXPECT_EQ(b.ExpressZ, "sin(z)");
  EXPECT_EQ(b.StepU, 4);
  EXPECT_EQ(b.StepV, 4);
  EXPECT_FLOAT_EQ(b.MinU, -1.25f);
  EXPECT_FLOAT_EQ(b.MaxU, 2.0f);
  EXPECT_FLOAT_EQ(b.MaxV, 1.5e-05f);
  EXPECT_EQ(b.FillStyle, 2);
  EXPECT_EQ(b.FirstColor, 123456);
  EXPECT_EQ(b.SecondColor, 654321);
  EXPECT_EQ(b.LineColor, 42);
  EXPECT_EQ(b.LineWidth, 1);
  EXPECT_EQ(b.Material, 4);
  EXPECT_EQ(b.Show, 2);
  EXPECT_EQ(b.Smoothness, 1);
  EXPECT_EQ(b.PointColor, 65535);
  EXPECT_FLOAT_EQ(b.PointSize, 3.0f);
  EXPECT_TRUE(b.PointHollow);
  EXPECT_FALSE(b.Animation);
  EXPECT_EQ(b.FunForm, 2);
  EXPECT_EQ(b.VarX, 1);
  EXPECT_EQ(b.VarY, 3);
  EXPECT_EQ(b.VarZ, 2);
  EXPECT_EQ(b.ColorR, 3);
  EXPECT_EQ(b.ColorG, 4);
  EXPECT_EQ(b.ColorB, 5);
  EXPECT_EQ(tokens_[r.next], "tail");
  // Accepted codes name the axes: VarX the user's Y axis, VarY the Z axis, VarZ the X axis.
  EXPECT_EQ(State().TitleLetterY, "X");
  EXPECT_EQ(State().TitleLetterZ, "U");
  EXPECT_EQ(State().TitleLetterX, "Y");
}

TEST_F(RecordTest, DocumentPointSizeTakesOnlyOneToNine) {
  auto g = DialogSurface(1, "", "z");
  g->PointSize = 2.5f;
  EXPECT_FLOAT_EQ(Read(g->Save(), RecordRules::kDocument).graph->PointSize, 1.0f);
  g->PointSize = 9;
  EXPECT_FLOAT_EQ(Read(g->Save(), RecordRules::kDocument).graph->PointSize, 9.0f);
  g->PointSize = 10;
  EXPECT_FLOAT_EQ(Read(g->Save(), RecordRules::kDocument).graph->PointSize, 1.0f);
}

TEST_F(RecordTest, AnimatedRecordsSetTheGlobalsAndKeepTheirRange) {
  auto g = DialogSurface(1, "", "z");
  g->Animation = true;
  g->MinT = -3;
  g->MaxT = 4;
  State().FrameCount = 30;
  State().AnimationSpeed = 5;
  const std::string text = g->Save();
  ResetProgramState();
  RecordRead r = Read(text + "end", RecordRules::kDocument);
  EXPECT_TRUE(r.graph->Animation);
  EXPECT_FLOAT_EQ(r.graph->MinT, -3.0f);
  EXPECT_FLOAT_EQ(r.graph->MaxT, 4.0f);
  EXPECT_EQ(State().FrameCount, 30);
  EXPECT_EQ(State().AnimationSpeed, 5);
  EXPECT_EQ(tokens_[r.next], "end");
}

TEST_F(RecordTest, RejectedAxisCodesKeepTheInitialValueAndLaterFieldsStayInPlace) {
  auto g = DialogSurface(1, "", "z");
  g->VarX = 0;  // no combo selection
  g->ColorG = 9;
  RecordRead r = Read(g->Save() + "next", RecordRules::kDocument);
  EXPECT_EQ(r.graph->VarX, 0);
  EXPECT_EQ(r.graph->VarY, 3);
  EXPECT_EQ(r.graph->ColorG, 0);
  EXPECT_EQ(r.graph->ColorB, 5);
  EXPECT_EQ(tokens_[r.next], "next");
  EXPECT_EQ(State().TitleLetterY, "");  // a rejected VarX sets no letter
}

TEST_F(RecordTest, NoRecordUnlessTheKindTokenMatches) {
  for (const char* text : {"4 1 @@ 3", "02 1 @@", "S12 1", ""}) {
    RecordRead r = Read(text, RecordRules::kDocument);
    EXPECT_FALSE(r.graph) << text;
    EXPECT_EQ(r.next, 0u);
  }
}

TEST_F(RecordTest, DocumentNameWithoutAtIsAbsentAndTheNextFieldStartsThere) {
  // "3" is then the coordinate system, read from the name's slot.
  RecordRead r = Read("2 5 3   z 4 4", RecordRules::kDocument);
  EXPECT_EQ(r.graph->NameS, "");
  EXPECT_EQ(r.graph->CoordType, 3);
  EXPECT_EQ(r.graph->ExpressZ, "z");
  EXPECT_EQ(r.graph->StepU, 4);
}

TEST_F(RecordTest, PasteRulesDiffer) {
  // One-word name without "@", numeric point size and hollow flag, no global changes.
  RecordRead r =
      Read("2 5 plain 3   z 4 4 -2 2 -2 2 0 0 0 0 1 4 3 3 255 2.5 True 1 -1 1 99 99 2 1 3 2 3 4 5 ",
           RecordRules::kPaste);
  ASSERT_TRUE(r.graph);
  EXPECT_EQ(r.graph->NameS, "plain");
  EXPECT_EQ(r.graph->CoordType, 3);
  EXPECT_FLOAT_EQ(r.graph->PointSize, 2.5f);
  EXPECT_FALSE(r.graph->PointHollow);  // "True" has the numeric value 0
  EXPECT_TRUE(r.graph->Animation);
  EXPECT_FLOAT_EQ(r.graph->MinT, -1.0f);
  EXPECT_FLOAT_EQ(r.graph->MaxT, 1.0f);
  EXPECT_EQ(r.graph->FunForm, 2);
  EXPECT_EQ(r.graph->ColorB, 5);
  EXPECT_EQ(State().FrameCount, 10);
  EXPECT_EQ(State().AnimationSpeed, 10);
  EXPECT_EQ(State().TitleLetterX, "");

  r = Read("2 5 @@ 3   z 4 4 -2 2 -2 2 0 0 0 0 1 4 3 3 255 1 2 0 2 1 3 2 3 4 5 ", RecordRules::kPaste);
  EXPECT_TRUE(r.graph->PointHollow);  // any non-zero value
}

}  // namespace
}  // namespace quillon
