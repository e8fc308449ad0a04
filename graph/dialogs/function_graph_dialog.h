#pragma once
// The "3D Function Graph Properties" form: defines a complex-function surface (function,
// domain and steps, optional t range, the quantity on each axis and colour channel, model,
// smoothness, material) and adds it to the scene, or replaces the graph being edited.

#include <QDialog>

#include "document/scene_document.h"
#include "graph/dialogs/dialog_helpers.h"
#include "scene/model/light.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace quillon {

class ClipSettingsBox;

// The "3D Function Graph Properties" dialog: adds or edits a surface graph.
class frmF6 : public QDialog {
  Q_OBJECT

 public:
  frmF6(SceneDocument& doc, Cls10& light, QWidget* parent = nullptr);

  // Colours, line width and material passed on to the new graph (set by the opening command).
  int32_t FirstColor = RGB(255, 0, 0);
  int32_t SecondColor = 0;
  int32_t LineColor = 0;
  int32_t LineWidth = 1;

  // Fills the form from a graph and switches to editing it ("3D Graph Properties").
  void LoadGraph(const Cls9& graph);

  // The sampling step; tests may replace it.
  void SetSampler(GraphSampler sampler) { sampler_ = std::move(sampler); }

  // Cancel and closing are ignored while the graph is being sampled.
  void reject() override;

  // Runs the confirm steps; true when the graph was added or replaced (the dialog closes).
  bool Confirm();

 private:
  void Build();
  void ShowTFields(bool show);
  int32_t SelectedShow() const;
  int32_t SelectedSmoothness() const;
  void StartNewSceneIfEmpty();

  SceneDocument& doc_;
  Cls10& light_;
  GraphSampler sampler_;
  bool tShown_ = false;
  // The settings beyond the form's fields: a new graph's, or the edited graph's own.
  GraphExtras extras_ = GraphExtras::NewSurface();

  QLineEdit *Text1_, *Text2_, *Text5_, *Text6_, *Text7_, *Text8_, *Text9_, *Text10_, *Text11_, *Text12_,
      *Text13_;
  QLabel *labelMinT_, *labelMaxT_, *labelStepsT_;
  QComboBox* Combo_[7] = {};  // Combo1..Combo6 at their numbers
  QRadioButton *Option5_, *Option6_, *Option7_, *Option8_, *Option9_, *Option10_;
  QListWidget* List1_;
  ColouringChoices colouring_;
  QCheckBox* stopAtFirstError_;
  ClipSettingsBox* clipSettings_;
};

}  // namespace quillon
