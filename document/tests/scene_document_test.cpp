// The graph list bookkeeping: adding, checking, deleting, IDs and captions.

#include <gtest/gtest.h>

#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogSurface;
using testing_support::DocumentTest;

class SceneDocumentTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    State().SceneKind = 3;
    doc_.onSceneChanged = [this] { ++changes_; };
  }
  std::vector<int32_t> DrawIds() const {
    std::vector<int32_t> ids;
    for (const auto& e : doc_.DrawScene.FunSurfs()) ids.push_back(e.graph->ID);
    return ids;
  }
  // Adds a graph the way a dialog does: the next ID.
  void AddNew(const std::string& f, bool stopAtFirstError = false) {
    auto g = DialogSurface(++State().LastGraphID, "", f);
    g->Extras.stopAtFirstError = stopAtFirstError;
    doc_.AddGraph(g);
  }

  SceneDocument doc_;
  int changes_ = 0;
};

TEST_F(SceneDocumentTest, AddingPutsTheGraphInBothContainersAndTheList) {
  AddNew("z");
  AddNew("z^2");
  ASSERT_EQ(doc_.Items().size(), 2u);
  EXPECT_EQ(doc_.Items()[1].caption, "3D Surface  w=z^2");
  EXPECT_TRUE(doc_.Items()[1].checked);
  EXPECT_EQ(doc_.ListScene.FunSurfs()[1].key, "2");
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(doc_.GraphAt(1)->ExpressZ, "z^2");
  EXPECT_EQ(doc_.GraphAt(2), nullptr);
  EXPECT_EQ(doc_.GraphAt(-1), nullptr);
  EXPECT_FALSE(doc_.GraphAt(0)->QuantityX.Empty());  // sampled
}

TEST_F(SceneDocumentTest, VectorsAreListedButNotSampled) {
  auto v = DialogSurface(1, "", "z");
  v->GraphType = 31;
  EXPECT_TRUE(doc_.AddGraph(v));
  EXPECT_TRUE(v->QuantityX.Empty());
  EXPECT_EQ(doc_.Items()[0].caption, "Vector ");
}

TEST_F(SceneDocumentTest, UncheckHidesAndRecheckAppendsAtTheEnd) {
  AddNew("a");
  AddNew("b");
  AddNew("c");
  doc_.SetChecked(0, false);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{2, 3}));
  EXPECT_FALSE(doc_.IsGraphShown(1));
  doc_.SetChecked(0, true);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{2, 3, 1}));
  EXPECT_TRUE(doc_.IsGraphShown(1));
  EXPECT_EQ(doc_.ListScene.Item(1)->ID, 1);  // the list order does not change
  EXPECT_EQ(changes_, 2);
}

TEST_F(SceneDocumentTest, DeleteRemovesTheCurrentGraphEverywhere) {
  AddNew("a");
  AddNew("b");
  AddNew("c");
  doc_.SetChecked(2, false);
  doc_.SetCurrentIndex(1);
  doc_.Delete();
  ASSERT_EQ(doc_.Items().size(), 2u);
  EXPECT_EQ(doc_.Items()[1].caption, "3D Surface  w=c");
  EXPECT_FALSE(doc_.Items()[1].checked);
  EXPECT_EQ(doc_.ListScene.Count(), 2u);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{1}));
  EXPECT_EQ(doc_.CurrentIndex(), 1);
  doc_.Delete();  // the hidden one: only in ListScene
  EXPECT_EQ(doc_.CurrentIndex(), 0);
  EXPECT_EQ(doc_.ListScene.Count(), 1u);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{1}));
  EXPECT_EQ(State().LastGraphID, 3);  // IDs are not reused
}

TEST_F(SceneDocumentTest, DeleteWithoutCurrentItemDoesNothing) {
  AddNew("a");
  const int before = changes_;
  doc_.Delete();
  EXPECT_EQ(doc_.ListScene.Count(), 1u);
  EXPECT_EQ(changes_, before);
  doc_.SetCurrentIndex(5);
  EXPECT_EQ(doc_.CurrentIndex(), -1);
}

TEST_F(SceneDocumentTest, DeleteAllThenTheNextGraphHasIdOne) {
  AddNew("a");
  AddNew("b");
  doc_.SetCurrentIndex(0);
  doc_.DeleteAll();
  EXPECT_EQ(doc_.ListScene.Count(), 0u);
  EXPECT_EQ(doc_.DrawScene.Count(), 0u);
  EXPECT_TRUE(doc_.Items().empty());
  EXPECT_EQ(doc_.CurrentIndex(), -1);
  EXPECT_EQ(State().LastGraphID, 0);
  AddNew("c");
  EXPECT_EQ(doc_.ListScene.Item(1)->ID, 1);
}

TEST_F(SceneDocumentTest, SamplingErrorLeavesListAndContainersInStepForRemoveLast) {
  AddNew("a");
  EXPECT_THROW(AddNew("1/0", true), RuntimeError);
  EXPECT_EQ(doc_.Items().size(), 2u);
  EXPECT_EQ(doc_.ListScene.Count(), 2u);
  doc_.RemoveLast();
  EXPECT_EQ(doc_.Items().size(), 1u);
  EXPECT_EQ(doc_.ListScene.Count(), 1u);
  EXPECT_EQ(doc_.DrawScene.Count(), 1u);
  EXPECT_FALSE(doc_.AddGraph(DialogSurface(9, "", "bad")));
}

TEST_F(SceneDocumentTest, ATakenKeyChangesNothing) {
  AddNew("a");
  EXPECT_THROW(doc_.AddGraph(DialogSurface(1, "", "b")), RuntimeError);
  EXPECT_EQ(doc_.Items().size(), 1u);
  EXPECT_EQ(doc_.ListScene.Count(), 1u);
  EXPECT_EQ(doc_.DrawScene.Count(), 1u);
}

TEST_F(SceneDocumentTest, ReshowingReportsSamplingErrorsWithoutStopping) {
  AddNew("a");
  AddNew("b");
  doc_.SetChecked(0, false);
  doc_.SetChecked(1, false);
  doc_.GraphAt(0)->ExpressZ = "1/0";
  doc_.GraphAt(0)->Extras.stopAtFirstError = true;
  doc_.SetChecked(0, true);
  doc_.SetChecked(1, true);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{1, 2}));
  const auto errors = doc_.TakeSamplingErrors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "graph 1: Division by zero");
  EXPECT_TRUE(doc_.TakeSamplingErrors().empty());
}

TEST_F(SceneDocumentTest, CaptionReplacedByTheDialogs) {
  AddNew("a");
  doc_.SetCaption(0, "Color Map: w=a");
  EXPECT_EQ(doc_.Items()[0].caption, "Color Map: w=a");
}

Cls9 Graph(int32_t type, int32_t coord, int32_t form) {
  Cls9 g;
  g.GraphType = type;
  g.CoordType = coord;
  g.FunForm = form;
  g.ExpressX = "X";
  g.ExpressY = "Y";
  g.ExpressZ = "Z";
  return g;
}

// Every graph removed and put back, and the whole list taken and restored, leaves the list,
// both containers and the drawing order exactly as they were.
TEST_F(SceneDocumentTest, RemovedGraphsGoBackWhereTheyWere) {
  for (const char* f : {"a", "b", "c", "d"}) AddNew(f);
  doc_.SetChecked(1, false);
  doc_.SetChecked(1, true);  // drawn last now: 1, 3, 4, 2
  doc_.SetChecked(2, false);
  const auto state = [this] {
    std::string text;
    for (const auto& item : doc_.Items()) text += item.caption + (item.checked ? "+" : "-");
    for (const auto& e : doc_.ListScene.FunSurfs()) text += e.key;
    for (int32_t id : DrawIds()) text += "/" + std::to_string(id);
    return text;
  };
  const std::string before = state();
  for (int32_t index = 0; index < 4; ++index) {
    doc_.SetCurrentIndex(3);
    const SceneDocument::GraphPlace place = doc_.RemoveAt(index);
    ASSERT_EQ(doc_.Items().size(), 3u);
    EXPECT_EQ(doc_.CurrentIndex(), 2);  // the item after it, or the new last one
    doc_.InsertAt(place);
    EXPECT_EQ(state(), before) << "index " << index;
    EXPECT_EQ(doc_.CurrentIndex(), index);
  }
  const SceneDocument::Contents contents = doc_.TakeContents();
  doc_.DeleteAll();
  doc_.RestoreContents(contents);
  EXPECT_EQ(state(), before);
  // Shown again at its old place instead of at the end.
  doc_.SetChecked(2, true, 1);
  EXPECT_EQ(DrawIds(), (std::vector<int32_t>{1, 3, 4, 2}));
}

// Graph kind, coordinate system, function form and scene kind against the list caption.
TEST(Captions, FollowTheGraphAndTheSceneKind) {
  struct Case {
    int32_t type, coord, form, sceneKind;
    const char* caption;
  };
  const Case cases[] = {
      // 3D scenes
      {2, 3, 2, 3, "3D Surface  w=Z"},
      {2, 1, 2, 3, "Surface by rotation  y=Z"},
      {1, 4, 2, 3, "3D Curve  z=Z"},
      {12, 5, 2, 3, "3D Surface Animation  r=Z"},
      {11, 3, 3, 3, "3D Curve Animation  x=X,y=Y,z=Z"},
      {2, 4, 3, 3, "3D Surface  a=X,r=Y,z=Z"},
      {1, 5, 3, 3, "3D Curve  a=X,b=Y,r=Z"},
      {7, 3, 0, 3, "Point  x=X, y=Y, z=Z"},
      {7, 4, 0, 3, "Point  a=X, r=Y, z=Z"},
      {8, 5, 0, 3, "Point Animation  a=X, b=Y, r=Z"},
      {31, 0, 0, 3, "Vector "},
      {32, 0, 0, 3, "Vector Operation "},
      {2, 3, 2, 6, "3D Surface  w=Z"},
      {13, 3, 2, 3, "Graph 13  x=X, y=Y, z=Z"},
      // colour map scenes
      {13, 3, 2, 7, "Color Map  w=Z"},
      {14, 3, 2, 7, "Contour Plot  x=X, y=Y, z=Z"},
      {15, 3, 2, 7, "Vector Plot  x=X, y=Y, z=Z"},
      // plane scenes
      {0, 1, 2, 1, "2D Curve  y=Z"},
      {0, 2, 2, 2, "2D Curve  r=Z"},
      {1, 1, 3, 1, "2D Curve Animation  x=X,y=Y"},
      {0, 2, 3, 1, "2D Curve  a=X,r=Y"},
      {0, 1, 1, 1, "2D Curve  Z=0"},
      {3, 1, 0, 1, "Inequality  Z<=0"},
      {9, 1, 0, 1, "Inequality Animation  Z<=0"},
      {7, 1, 0, 1, "Point  x=X, y=Y"},
      {8, 2, 0, 1, "Point Animation  a=X, r=Y"},
      {10, 1, 2, 1, "Intersection  y=Y, y=Z"},
      {20, 1, 2, 1, "Step & Stem  y=Z"},
      {21, 1, 2, 1, "Step Plot  y=Z"},
      {22, 1, 2, 1, "Stem Plot  y=Z"},
      {23, 1, 2, 1, "ODE dy/dx=Z"},
      {36, 1, 2, 1, "Limit Z"},
      {37, 1, 2, 1, "Series Z"},
      {38, 2, 2, 1, "2.5D Ribbon  r=Z"},
      {38, 1, 3, 1, "2.5D Ribbon  x=X,y=Y"},
      // before the first graph sets the kind, the graph's own kind decides
      {2, 3, 2, 0, "3D Surface  w=Z"},
      {13, 3, 2, 0, "Color Map  w=Z"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SceneDocument::Caption(Graph(c.type, c.coord, c.form), c.sceneKind), c.caption)
        << "graph " << c.type << ", coordinates " << c.coord << ", form " << c.form << ", scene "
        << c.sceneKind;
  }
  Cls9 ribbon = Graph(38, 1, 2);
  ribbon.Animation = true;
  EXPECT_EQ(SceneDocument::Caption(ribbon, 2), "2.5D Ribbon Animation  y=Z");
  Cls9 g = Graph(2, 2, 2);
  g.ExpressX.clear();
  g.ExpressY.clear();
  EXPECT_EQ(SceneDocument::Caption(g, 3), "Graph 2  w=Z");
}

}  // namespace
}  // namespace quillon
