#pragma once
// The "Function Color Map" form: defines a colour map of a complex function, sampled over a
// rectangle of the z-plane, with the quantities that drive position and the three channels.

#include <QDialog>

#include "document/scene_document.h"
#include "graph/dialogs/dialog_helpers.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quillon {

class ClipSettingsBox;

// The "Function Color Map" dialog: adds or edits a colour map graph.
class frmF22 : public QDialog {
  Q_OBJECT

 public:
  explicit frmF22(SceneDocument& doc, QWidget* parent = nullptr);

  // Line colour, line width and material passed on to the new map (set by the opening command).
  int32_t LineColor = 0;
  int32_t LineWidth = 1;
  int32_t Material = 4;

  // Fills the form from a map and switches to editing it.
  void LoadGraph(const Cls9& graph);
  void SetSampler(GraphSampler sampler) { sampler_ = std::move(sampler); }

  // Cancel and closing are ignored while the graph is being sampled.
  void reject() override;

  // Runs the confirm steps; true when the map was added or replaced (the dialog closes).
  bool Confirm();

 private:
  void Build();

  SceneDocument& doc_;
  GraphSampler sampler_;
  // The settings beyond the form's fields: a new map's, or the edited map's own.
  GraphExtras extras_ = GraphExtras::NewColorMap();

  QLineEdit *Text1_, *Text4_, *Text5_, *Text6_, *Text7_, *Text8_, *Text9_, *Text10_, *Text2_, *Text3_,
      *Text11_;
  QComboBox* Combo_[7] = {};
  ColouringChoices colouring_;
  QCheckBox* stopAtFirstError_;
  ClipSettingsBox* clipSettings_;
};

}  // namespace quillon
