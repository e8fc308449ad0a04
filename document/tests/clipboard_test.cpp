// Copy's clipboard text and how Paste reads it.

#include <gtest/gtest.h>

#include "document/clipboard_text.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogColorMap;
using testing_support::DialogSurface;
using testing_support::DocumentTest;

class ClipboardTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    State().SceneKind = 3;
    State().LastGraphID = 5;
    doc_.AddGraph(DialogSurface(5, "two words", "z^3-1"));
    doc_.SetCurrentIndex(0);
  }
  SceneDocument doc_;
};

TEST_F(ClipboardTest, CopyGivesTheKindAndTheRecord) {
  const std::string text = CopyText(doc_);
  EXPECT_EQ(text, "3 " + doc_.GraphAt(0)->Save());
  EXPECT_EQ(text.substr(0, 2), "3 ");
}

TEST_F(ClipboardTest, CopyNeedsAShownGraphAndACurrentItem) {
  doc_.SetCurrentIndex(-1);
  EXPECT_EQ(CopyText(doc_), "");
  doc_.SetCurrentIndex(0);
  doc_.SetChecked(0, false);
  EXPECT_EQ(CopyText(doc_), "");
}

TEST_F(ClipboardTest, CopyOfKindsWithoutARecord) {
  auto table = DialogSurface(6, "", "z");
  table->GraphType = 5;
  doc_.AddGraph(table);
  doc_.SetCurrentIndex(1);
  EXPECT_EQ(CopyText(doc_), "3 ");
}

TEST_F(ClipboardTest, CopyThenPasteAddsASameNamedGraphWithTheNextId) {
  const std::string text = CopyText(doc_);
  ASSERT_TRUE(PasteText(doc_, text, 1));
  ASSERT_EQ(doc_.Items().size(), 2u);
  EXPECT_EQ(doc_.Items()[1].caption, doc_.Items()[0].caption);
  EXPECT_TRUE(doc_.Items()[1].checked);
  auto pasted = doc_.GraphAt(1);
  EXPECT_EQ(pasted->ID, 6);
  EXPECT_EQ(pasted->NameS, "two words");
  EXPECT_EQ(pasted->ExpressZ, "z^3-1");
  EXPECT_EQ(State().LastGraphID, 6);
  EXPECT_EQ(doc_.DrawScene.Count(), 2u);
  EXPECT_EQ(State().SceneKind, 3);
  EXPECT_FALSE(pasted->QuantityX.Empty());  // sampled
}

TEST_F(ClipboardTest, PasteBeforeCopyOrWithAForeignKindDoesNothing) {
  const std::string text = CopyText(doc_);
  EXPECT_FALSE(PasteText(doc_, text, 0));
  State().SceneKind = 7;
  EXPECT_FALSE(PasteText(doc_, text, 1));
  EXPECT_EQ(doc_.Items().size(), 1u);
  EXPECT_EQ(State().LastGraphID, 5);
}

TEST_F(ClipboardTest, KindFilter) {
  EXPECT_TRUE(PasteKindAccepted(1, 4));
  EXPECT_TRUE(PasteKindAccepted(2, 5));
  EXPECT_FALSE(PasteKindAccepted(2, 3));
  EXPECT_TRUE(PasteKindAccepted(3, 6));
  EXPECT_FALSE(PasteKindAccepted(3, 7));
  EXPECT_TRUE(PasteKindAccepted(7, 7));
  EXPECT_FALSE(PasteKindAccepted(7, 3));
  EXPECT_TRUE(PasteKindAccepted(0, 42));
}

TEST_F(ClipboardTest, PastingWhileTheCurrentItemIsUncheckedAddsItHidden) {
  const std::string text = CopyText(doc_);
  doc_.SetChecked(0, false);
  ASSERT_TRUE(PasteText(doc_, text, 1));
  ASSERT_EQ(doc_.Items().size(), 2u);
  EXPECT_FALSE(doc_.Items()[1].checked);
  EXPECT_EQ(doc_.DrawScene.Count(), 0u);
}

TEST_F(ClipboardTest, PasteOfTextThatIsNoRecord) {
  EXPECT_FALSE(PasteText(doc_, "3 hello world", 1));
  EXPECT_FALSE(PasteText(doc_, "", 1));
  EXPECT_FALSE(PasteText(doc_, "3 4 1 @@ 3", 1));  // a table kind writes no record
  EXPECT_EQ(doc_.Items().size(), 1u);
  EXPECT_EQ(State().LastGraphID, 5);
}

TEST_F(ClipboardTest, PasteRefusesTextWithMoreTokensThanSlots) {
  std::string text = CopyText(doc_);
  for (int i = 0; i < 4000; ++i) text += "0 ";
  EXPECT_FALSE(PasteText(doc_, text, 1));
  EXPECT_EQ(doc_.Items().size(), 1u);
}

TEST_F(ClipboardTest, PasteKeepsAGraphWithoutAnyValueAsHoles) {
  std::string warning;
  ASSERT_TRUE(PasteText(doc_, "3 " + DialogSurface(1, "", "1/0")->Save(), 1, &warning));
  EXPECT_EQ(doc_.Items().size(), 2u);
  EXPECT_EQ(warning, "");
  const Cls9& pasted = *doc_.GraphAt(1);
  EXPECT_EQ(pasted.PointsWithoutValue, int64_t{pasted.StepU + 1} * (pasted.StepV + 1));
}

TEST_F(ClipboardTest, PasteIntoAnEmptyProgramAcceptsAnyKind) {
  SceneDocument empty;
  ResetProgramState();
  ASSERT_TRUE(PasteText(empty, "7 " + DialogColorMap(9, "exp(z)")->Save(), 1));
  EXPECT_EQ(empty.GraphAt(0)->ID, 1);
  EXPECT_EQ(empty.Items()[0].caption, "Color Map  w=exp(z)");
  EXPECT_EQ(State().SceneKind, 0);
}

// The program's own clipboard format carries the text and the settings the text cannot say;
// plain text from elsewhere pastes with the settings of a document without a block.
TEST_F(ClipboardTest, PayloadKeepsTheSettingsPlainTextDoesNot) {
  doc_.GraphAt(0)->Extras = GraphExtras::NewSurface();
  doc_.GraphAt(0)->Extras.contours = ContourLines::kPhase;
  doc_.GraphAt(0)->NameS = "caf\xe9 two";  // a byte that is no UTF-8 on its own
  std::string warning = "unset";
  const std::optional<PasteSource> source = ReadCopyPayload(CopyPayload(doc_), &warning);
  ASSERT_TRUE(source);
  EXPECT_EQ(warning, "");
  EXPECT_EQ(source->text, CopyText(doc_));
  ASSERT_TRUE(PasteText(doc_, source->text, 1, nullptr, source->extras));
  ASSERT_TRUE(PasteText(doc_, CopyText(doc_), 1));
  EXPECT_EQ(doc_.GraphAt(1)->Extras, doc_.GraphAt(0)->Extras);
  EXPECT_EQ(doc_.GraphAt(1)->NameS, "caf\xe9 two");
  EXPECT_EQ(doc_.GraphAt(2)->Extras, GraphExtras{});
}

TEST_F(ClipboardTest, DamagedPayloadFallsBackWithAWarning) {
  const std::string payload = CopyPayload(doc_);
  for (const std::string& bad : {payload.substr(0, payload.size() - 1), std::string("QXT1\2\0\0\0{}", 10),
                                 std::string("plain text")}) {
    std::string warning;
    EXPECT_FALSE(ReadCopyPayload(bad, &warning));
    EXPECT_NE(warning.find("damaged"), std::string::npos);
  }
}

}  // namespace
}  // namespace quillon
