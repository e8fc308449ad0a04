#pragma once
// Steps shared by the two graph dialogs: cleaning the value fields, reading numbers
// leniently, the quantity combos, and putting a finished graph into the scene.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <string>
#include <vector>

#include "document/scene_document.h"
#include "graph/graph.h"

class QBoxLayout;
class QDialog;

namespace quillon {

// A line edit with an objectName (the control's name) and its initial text.
QLineEdit* NamedField(QWidget* parent, const char* name, const char* text);
// A labelled field on one row of `row` (the label's mnemonic focuses the field).
QLineEdit* AddLabelledField(QBoxLayout* row, QWidget* parent, const char* caption, const char* name,
                            const char* text);
// The "Stop at the first error" check box (objectName StopAtFirstError) on a row of its own:
// checked, sampling stops with the run-time error's message at the first point without a
// value, as it always used to; unchecked (a new graph), such points are left out as holes.
QCheckBox* AddStopAtFirstErrorBox(QWidget* parent, QBoxLayout* root);

// The "Colouring" (objectName Colouring: Channels, Phase, Enhanced phase, Modulus) and
// "Contours" (objectName ContourLines: None, Modulus, Phase, Both) choices on one row.
struct ColouringChoices {
  QComboBox* colouring = nullptr;
  QComboBox* contours = nullptr;
  void Show(const GraphExtras& extras) const;
  // Writes the two choices into extras.
  void Read(GraphExtras& extras) const;
};
ColouringChoices AddColouringChoices(QWidget* parent, QBoxLayout* root);

// The "OK" (Command1, default) and "Cancel" (Command2) row; OK closes the dialog when confirm()
// returns true, Cancel closes it without change.
void AddConfirmButtons(QDialog* dialog, QBoxLayout* root, const std::function<bool()>& confirm);

// Cleans each visible field with NormalizeValueText and writes the cleaned text back (an
// empty field becomes "0"). At the first field holding a character outside the accepted set
// shows "Illegal data exist." (title "Error") and returns false.
bool CleanValueFields(const std::vector<QLineEdit*>& fields);

// The leading number of a field ("2*pi" reads as 2).
double FieldNumber(const QLineEdit* field);

// The text a value field shows for a stored single (at most 7 significant digits).
QString FieldText(float value);

// Fills a combo with the five quantity captions.
void FillQuantityCombo(QComboBox* combo, int32_t initialCode);
// The quantity code of a combo: list index + 1, 0 without selection.
int32_t QuantityCode(const QComboBox* combo);
// Selects the entry of a quantity code (no selection for a code outside 1..5).
void SelectQuantity(QComboBox* combo, int32_t code);

// Stores the axis-title letters of the three axis quantities the way the document reader
// does: VarX's letter titles the user's Y axis, VarY's the Z axis, VarZ's the X axis.
void StoreTitleLetters(int32_t varX, int32_t varY, int32_t varZ);

// Samples a graph for a dialog; returns false when it gave no value, was cancelled or raised
// a run-time error (the error has then been shown, naming the error and the point).
using GraphSampler = std::function<bool(Cls9& graph)>;
bool SampleForDialog(Cls9& graph, QWidget* parent);

// Adds a new graph: the next ID (LastGraphID + 1, which stays handed out even when sampling
// fails), sampling, then both containers and the list item with the caption. The graph is
// sampled before it joins the scene, so a failed graph never reaches it and the window
// never draws a half-sampled one. True when the dialog may close.
bool CommitNewGraph(SceneDocument& doc, const Cls8::GraphPtr& graph, const std::string& caption,
                    const GraphSampler& sampler);
// Applies an edited definition to the current graph (EqualTo: ID, texture, transparency and
// place stay) and samples it; on failure the graph keeps its old definition and tables.
// On success renews the caption and clears EditMode.
bool CommitEditedGraph(SceneDocument& doc, const Cls9& definition, const std::string& caption,
                       const GraphSampler& sampler);

}  // namespace quillon
