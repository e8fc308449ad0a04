#pragma once
// The document side of the main window: the graph list (captions and check states), the two
// scene containers kept in step with it (ListScene: every graph in list order; DrawScene: the
// checked graphs, drawn and saved), and the axes frame. The window's list widget is a thin
// view of it; the document reader, Paste and the graph dialogs add graphs through it.
// No widgets: the command line and tests use the same code.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "scene/model/axes_frame.h"
#include "scene/model/container.h"
#include "scene/model/scene_extras.h"

namespace quillon {

class SceneDocument {
 public:
  struct ListItem {
    std::string caption;
    bool checked = true;
  };

  // One graph as the list holds it: enough to put it back exactly where it was.
  struct GraphPlace {
    Cls8::GraphPtr graph;
    std::string caption;
    bool checked = true;
    int32_t listIndex = -1;
    int32_t drawIndex = -1;  // its position in DrawScene; -1 while it is hidden
  };
  // Every graph in list order, with the current item.
  struct Contents {
    std::vector<GraphPlace> places;
    int32_t current = -1;
  };

  Cls8 ListScene;
  Cls8 DrawScene;
  Cls3 Axes;
  // Box scale, label style and legend. Reading a document sets what it carries (the start
  // values when it has no extension block); the window gives a scene it starts without a
  // document SceneExtras::NewScene(). Delete All keeps them, as it keeps the axes frame.
  SceneExtras Extras;

  // Called whenever the scene's extent and drawing lists must be recomputed and the window
  // repainted (check boxes changed, Delete, Delete All, a document read).
  std::function<void()> onSceneChanged;
  // Called when reading a document sets the view toolbar: 3 for the 3D set, 7 for the
  // colour-map set.
  std::function<void(int32_t sceneKind)> onViewButtons;

  const std::vector<ListItem>& Items() const { return items_; }
  // The list's current item, -1 when there is none.
  int32_t CurrentIndex() const { return current_; }
  void SetCurrentIndex(int32_t index);
  // The graph of ListScene at a list position (0-based), nullptr outside the list.
  Cls8::GraphPtr GraphAt(int32_t index) const;

  // Adds a graph to both containers under the decimal text of its ID, samples it unless its
  // kind is 4, 5, 6, 31 or 32, and appends its caption (checked). Returns what sampling
  // returned (true for kinds that are not sampled). A run-time error of sampling propagates
  // with the graph already added; the caller decides whether to remove it (RemoveLast). The
  // out-of-memory error (the graph does not fit the memory budget, or an allocation failed)
  // removes the graph first: the scene is as it was before the call.
  // sample = false adds a graph its creator has sampled already (the graph dialogs sample
  // before the graph joins the scene).
  bool AddGraph(const Cls8::GraphPtr& graph, bool sample = true);
  // Undoes the last AddGraph (both containers and the list item).
  void RemoveLast();
  // Adds a graph to ListScene and an unchecked item, without sampling it: it is sampled when
  // its item is checked (the document reader restores hidden graphs this way).
  void AddHiddenGraph(const Cls8::GraphPtr& graph);
  // Puts the list (items and ListScene) in a new order: position k takes the graph that was
  // at order[k]. DrawScene keeps its own order. Ignored unless order is a permutation.
  void ReorderList(const std::vector<size_t>& order);

  // Sets an item's check state and applies the check-box rule to every item. A graph shown
  // again at a given drawPosition goes back to that place in DrawScene with its tables as they
  // are (the place it had before it was hidden); otherwise it is appended and sampled again.
  void SetChecked(int32_t index, bool checked, int32_t drawPosition = -1);
  // The check-box rule: unchecked shown graphs leave DrawScene, checked hidden ones are
  // appended to it (and sampled again); then onSceneChanged.
  void CheckBoxChanged();
  bool IsGraphShown(int32_t id) const;

  // Replaces the caption of an item (the graph dialogs renew it after editing).
  void SetCaption(int32_t index, const std::string& caption);

  // Delete: the current graph from both containers and the list (nothing without a current
  // item). Delete All: every graph, LastGraphID back to 0.
  void Delete();
  void DeleteAll();

  // Where the graph at a list position is (an empty place outside the list).
  GraphPlace PlaceAt(int32_t index) const;
  // Removes the graph at a list position from both containers and the list and tells where
  // it was; Delete is RemoveAt of the current item.
  GraphPlace RemoveAt(int32_t index);
  // Puts a graph back where RemoveAt took it from, tables as they are, and makes it current.
  void InsertAt(const GraphPlace& place);
  // Every graph and the current item; RestoreContents replaces the list and both containers
  // with them (LastGraphID is not touched).
  Contents TakeContents() const;
  void RestoreContents(const Contents& contents);
  // Gives the graph at a list position a new definition and tables (ID included) and caption.
  void ReplaceGraph(int32_t index, const Cls9& graph, const std::string& caption);

  // The list caption of a graph in a scene of the given kind.
  static std::string Caption(const Cls9& graph, int32_t sceneKind);

  // True for the kinds that are sampled when added or shown again (all but 4, 5, 6, 31, 32).
  static bool IsSampledKind(int32_t graphType);

  // Run-time errors of sampling that CheckBoxChanged met since the last call, one text per
  // graph (for example "graph 2: Division by zero"); the graph stays, unsampled.
  std::vector<std::string> TakeSamplingErrors();

 private:
  void Changed();
  void InsertIntoDrawScene(const Cls8::GraphPtr& graph, int32_t position);

  std::vector<ListItem> items_;
  int32_t current_ = -1;
  std::vector<std::string> samplingErrors_;
};

}  // namespace quillon
