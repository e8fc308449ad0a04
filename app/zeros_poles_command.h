#pragma once
// Draw > "Zeros and Poles": searches the selected graph's function over the graph's domain (on
// a worker thread, with progress and Cancel when it takes a while), lists what it found in a
// window beside the picture, and marks each point on the picture (o a zero, x a pole) while
// that list is open. The list closes, and the marks go with it, when its graph's function,
// domain or axes change, when the graph is hidden or removed, or when another graph is
// selected: the list and the marks always describe the graph in view.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/scene_document.h"
#include "graph/dialogs/zeros_poles_dialog.h"
#include "scene/root_marks.h"

class QWidget;

namespace quillon {

class ZerosPolesCommand : public QObject {
  Q_OBJECT

 public:
  // showMarks receives the marks to draw (empty: none).
  using MarksSink = std::function<void(std::vector<RootMark>)>;
  ZerosPolesCommand(SceneDocument& doc, QWidget* parent, MarksSink showMarks);
  ~ZerosPolesCommand() override;

  // The command: "Select a function first." (Warning) unless a shown graph is selected;
  // otherwise the search and the list. True when the list was opened.
  bool Run();
  // Closes the list (and clears the marks) when it no longer describes the selected graph as
  // drawn; call after the document or the selection changed.
  void Follow();
  // The open list, nullptr when none.
  ZerosPolesDialog* List() const { return list_; }

 private:
  // What the list depends on: the function, its domain and grid, and where the graph draws.
  struct Definition {
    int32_t id = 0;
    std::string function;
    float minU = 0, maxU = 0, minV = 0, maxV = 0;
    int32_t stepU = 0, stepV = 0, graphType = 0, varX = 0, varY = 0, varZ = 0;
    bool operator==(const Definition&) const = default;
  };
  static Definition DefinitionOf(const Cls9& graph);
  // The shown graph of the current list item, or nullptr.
  Cls8::GraphPtr SelectedGraph() const;
  void Dismiss();

  SceneDocument& doc_;
  QWidget* parent_;
  MarksSink showMarks_;
  QPointer<ZerosPolesDialog> list_;
  Definition listed_;
};

}  // namespace quillon
