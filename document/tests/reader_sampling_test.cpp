// Reading a document samples every graph again; sampling problems keep the graph and are
// reported instead of cutting the load short.

#include <gtest/gtest.h>

#include "common/memory_budget.h"
#include "document/document_reader.h"
#include "document/document_writer.h"
#include "graph/sampling.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogSurface;
using testing_support::DocumentTest;

class ReaderSamplingTest : public DocumentTest {
 protected:
  // The bytes of a 3D scene whose shown graphs are the given ones, unsampled.
  static std::string DocumentOf(std::initializer_list<std::shared_ptr<Cls9>> graphs) {
    SceneDocument source;
    source.Axes.SetDefault();
    for (const auto& g : graphs) source.DrawScene.Add(g, std::to_string(g->ID));
    State().SceneKind = 3;
    return EncodeDocument(BuildDocumentText(source)).bytes;
  }
};

TEST_F(ReaderSamplingTest, EveryGraphIsSampledOnItsGrid) {
  auto g = DialogSurface(1, "", "z^2+1");
  g->StepU = 6;
  g->StepV = 3;
  SceneDocument doc;
  const LoadResult r = LoadDocumentBytes(doc, DocumentOf({g}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.warning, "");
  const Cls9& read = *doc.GraphAt(0);
  EXPECT_EQ(read.SceneX.Columns(), 7);
  EXPECT_EQ(read.SceneX.Rows(), 4);
}

TEST_F(ReaderSamplingTest, AGraphWithoutValuesIsKeptAsHolesWithTheRestOfTheDocument) {
  auto first = DialogSurface(1, "", "1/0");
  auto second = DialogSurface(2, "second", "z");
  SceneDocument doc;
  doc.Axes.Show = false;
  const LoadResult r = LoadDocumentBytes(doc, DocumentOf({first, second}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.warning, "");
  EXPECT_EQ(doc.GraphAt(0)->PointsWithoutValue, int64_t{first->StepU + 1} * (first->StepV + 1));
  ASSERT_EQ(doc.Items().size(), 2u);
  EXPECT_TRUE(doc.Items()[0].checked);
  EXPECT_EQ(doc.GraphAt(1)->NameS, "second");
  EXPECT_FALSE(doc.GraphAt(1)->SceneX.Empty());
  EXPECT_TRUE(doc.Axes.Show);  // the axes record after the graphs was still read
}

// A graph larger than the memory allows is left out with a warning naming it and its size;
// the graphs around it load. Budgets just below and just above the big graph's need.
TEST_F(ReaderSamplingTest, AGraphBeyondTheMemoryBudgetIsLeftOutAndTheOthersLoad) {
  struct Case {
    uint64_t budget;
    size_t graphs;
  };
  auto big = DialogSurface(2, "big", "z^3");
  big->StepU = big->StepV = 999;
  const uint64_t need = GraphMemoryNeed(*big, 1);
  // The small graph before it is drawn after it: its drawing is promised memory.
  const uint64_t promised =
      GraphMemoryNeed(*DialogSurface(1, "", "z"), 1) - GraphMemoryNeed(*DialogSurface(1, "", "z"), 1, false);
  for (const Case c : {Case{need + promised - 1, 2}, Case{need + promised, 3}}) {
    SetMemoryBudgetOverride(c.budget);
    SceneDocument doc;
    const LoadResult r =
        LoadDocumentBytes(doc, DocumentOf({DialogSurface(1, "", "z"), big, DialogSurface(3, "", "z")}));
    SetMemoryBudgetOverride(std::nullopt);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(doc.Items().size(), c.graphs);
    EXPECT_EQ(doc.DrawScene.Count(), c.graphs);
    EXPECT_EQ(doc.GraphAt(static_cast<int32_t>(c.graphs) - 1)->ID, 3);
    if (c.graphs == 2) {
      EXPECT_NE(r.warning.find("Graph 2 (z^3): a grid of 1000 x 1000 points needs"), std::string::npos)
          << r.warning;
      EXPECT_NE(r.warning.find("left out"), std::string::npos) << r.warning;
    } else {
      EXPECT_EQ(r.warning, "");
    }
  }
}

TEST_F(ReaderSamplingTest, FunctionThatDoesNotCompileIsReportedAndKept) {
  SceneDocument doc;
  const LoadResult r = LoadDocumentBytes(doc, DocumentOf({DialogSurface(4, "", "bad")}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.warning, "graph 1: the function could not be sampled");
  EXPECT_EQ(doc.ListScene.Count(), 1u);
}

TEST_F(ReaderSamplingTest, VectorKindsAreNotSampled) {
  auto v = DialogSurface(1, "", "1/0");
  v->GraphType = 32;
  SceneDocument doc;
  const LoadResult r = LoadDocumentBytes(doc, DocumentOf({v}));
  EXPECT_EQ(r.warning, "");
  EXPECT_TRUE(doc.GraphAt(0)->SceneX.Empty());
  EXPECT_EQ(doc.Items()[0].caption, "Vector Operation ");
}

TEST_F(ReaderSamplingTest, AnimatedSceneShowsFrameOne) {
  auto g = DialogSurface(1, "", "z");
  g->Animation = true;
  g->MaxT = 1;
  State().CurrentFrame = 5;
  SceneDocument doc;
  ASSERT_TRUE(LoadDocumentBytes(doc, DocumentOf({g})).ok);
  EXPECT_EQ(State().CurrentFrame, 1);
  State().CurrentFrame = 5;
  ASSERT_TRUE(LoadDocumentBytes(doc, DocumentOf({DialogSurface(1, "", "z")})).ok);
  EXPECT_EQ(State().CurrentFrame, 5);
}

}  // namespace
}  // namespace quillon
