#include "graph/dialogs/function_graph_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

#include "common/leading_number.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "expr/expression.h"
#include "graph/codes.h"
#include "graph/dialogs/clip_settings_box.h"
#include "graph/dialogs/sampling_runner.h"

namespace quillon {
namespace {
QRadioButton* Option(QWidget* parent, const char* name, const char* caption) {
  auto* option = new QRadioButton(QString::fromLatin1(caption), parent);
  option->setObjectName(QString::fromLatin1(name));
  return option;
}

// Min t and Max t may be short expressions ("2*pi"): compile and evaluate at z = 0. A syntax
// error has shown the compiler's box; a run-time error ("1/0") is shown here.
bool EvaluateFieldExpression(const QLineEdit* field, float& value) {
  Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(field->text().toStdString(), postfix) != 0) return false;
  float re = 0.0f, im = 0.0f;
  try {
    if (!expression.DoEvaluate(postfix, re, im, 0.0f, 0.0f)) re = 0.0f;
  } catch (const RuntimeError& e) {
    MsgBox(e.Description() + " in \"" + field->text().toStdString() + "\"", "Error", MsgIcon::Exclamation);
    return false;
  }
  value = re;
  return true;
}

}  // namespace

frmF6::frmF6(SceneDocument& doc, Cls10& light, QWidget* parent) : QDialog(parent), doc_(doc), light_(light) {
  setObjectName(QStringLiteral("frmF6"));
  setWindowTitle(QStringLiteral("3D Function Graph Properties"));
  sampler_ = [this](Cls9& graph) { return SampleForDialog(graph, this); };
  Build();
  ShowTFields(false);
}

void frmF6::Build() {
  auto* root = new QVBoxLayout(this);

  auto* nameRow = new QHBoxLayout;
  Text1_ = AddLabelledField(nameRow, this, "&Name", "Text1", "Untitled");
  root->addLayout(nameRow);

  auto* function = new QGroupBox(QStringLiteral("Function w=f(z),z=x+yi,w=u+vi"), this);
  auto* functionRow = new QHBoxLayout(function);
  Text2_ = AddLabelledField(functionRow, function, "&f(z)", "Text2", "");
  root->addWidget(function);

  auto* domain = new QGroupBox(QStringLiteral("Domain of Variables"), this);
  auto* grid = new QGridLayout(domain);
  Text5_ = NamedField(domain, "Text5", "-2");
  Text6_ = NamedField(domain, "Text6", "2");
  Text7_ = NamedField(domain, "Text7", "40");
  Text8_ = NamedField(domain, "Text8", "-2");
  Text9_ = NamedField(domain, "Text9", "2");
  Text10_ = NamedField(domain, "Text10", "40");
  Text11_ = NamedField(domain, "Text11", "-2");
  Text12_ = NamedField(domain, "Text12", "2");
  Text13_ = NamedField(domain, "Text13", "");
  auto addRow = [&](int row, const char* minCaption, QLineEdit* minField, const char* maxCaption,
                    QLineEdit* maxField, const char* stepsCaption, QLineEdit* stepsField, bool hint,
                    QLabel** labels) {
    QLabel* a = new QLabel(QString::fromLatin1(minCaption), domain);
    QLabel* b = new QLabel(QString::fromLatin1(maxCaption), domain);
    QLabel* c = new QLabel(QString::fromLatin1(stepsCaption), domain);
    a->setBuddy(minField);
    b->setBuddy(maxField);
    c->setBuddy(stepsField);
    grid->addWidget(a, row, 0);
    grid->addWidget(minField, row, 1);
    grid->addWidget(b, row, 2);
    grid->addWidget(maxField, row, 3);
    grid->addWidget(c, row, 4);
    grid->addWidget(stepsField, row, 5);
    if (hint) grid->addWidget(new QLabel(QStringLiteral("Recommended Value: 30 - 60"), domain), row, 6);
    if (labels) {
      labels[0] = a;
      labels[1] = b;
      labels[2] = c;
    }
  };
  addRow(0, "Min &x", Text5_, "Max x", Text6_, "Steps x", Text7_, true, nullptr);
  addRow(1, "Min &y", Text8_, "Max y", Text9_, "Steps y", Text10_, true, nullptr);
  QLabel* tLabels[3] = {};
  addRow(2, "Min &t", Text11_, "Max t", Text12_, "Steps t", Text13_, false, tLabels);
  labelMinT_ = tLabels[0];
  labelMaxT_ = tLabels[1];
  labelStepsT_ = tLabels[2];
  root->addWidget(domain);

  // The user's X axis is the scene's depth (VarZ), Y the scene's width (VarX), Z the height (VarY).
  auto* vars = new QGroupBox(QStringLiteral("Variables In Different Directions"), this);
  auto* varGrid = new QGridLayout(vars);
  struct ComboSpec {
    int number;
    const char* caption;
    int32_t initial;
    int row, column;
  };
  const ComboSpec comboSpecs[] = {{3, "X Axis", quantity::kX, 0, 0}, {2, "Y Axis", quantity::kY, 0, 2},
                                  {1, "Z Axis", quantity::kU, 0, 4}, {4, "Red", quantity::kU, 1, 0},
                                  {5, "Green", quantity::kV, 1, 2},  {6, "Blue", quantity::kMagnitude, 1, 4}};
  for (const ComboSpec& item : comboSpecs) {
    auto* combo = new QComboBox(vars);
    combo->setObjectName(QStringLiteral("Combo%1").arg(item.number));
    FillQuantityCombo(combo, item.initial);
    auto* label = new QLabel(QString::fromLatin1(item.caption), vars);
    label->setBuddy(combo);
    varGrid->addWidget(label, item.row, item.column);
    varGrid->addWidget(combo, item.row, item.column + 1);
    Combo_[item.number] = combo;
  }
  root->addWidget(vars);

  auto* options = new QHBoxLayout;
  auto* model = new QGroupBox(QStringLiteral("Model"), this);
  auto* modelBox = new QVBoxLayout(model);
  Option5_ = Option(model, "Option5", "Point");
  Option6_ = Option(model, "Option6", "Grid");
  Option7_ = Option(model, "Option7", "Surface");
  Option7_->setChecked(true);
  modelBox->addWidget(Option5_);
  modelBox->addWidget(Option6_);
  modelBox->addWidget(Option7_);
  auto* smooth = new QGroupBox(QStringLiteral("Smoothness"), this);
  auto* smoothBox = new QVBoxLayout(smooth);
  Option8_ = Option(smooth, "Option8", " Flat");
  Option9_ = Option(smooth, "Option9", "Smooth");
  Option10_ = Option(smooth, "Option10", " Smoothest");
  Option10_->setChecked(true);
  smoothBox->addWidget(Option8_);
  smoothBox->addWidget(Option9_);
  smoothBox->addWidget(Option10_);
  auto* materials = new QGroupBox(QStringLiteral("Select a material type"), this);
  auto* materialBox = new QVBoxLayout(materials);
  List1_ = new QListWidget(materials);
  List1_->setObjectName(QStringLiteral("List1"));
  for (std::string_view name : material::kNames) {
    List1_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  }
  List1_->setCurrentRow(material::kMetal - 1);
  materialBox->addWidget(List1_);
  options->addWidget(model);
  options->addWidget(smooth);
  options->addWidget(materials, 1);
  root->addLayout(options);

  clipSettings_ = new ClipSettingsBox(this);
  clipSettings_->Load(extras_);
  root->addWidget(clipSettings_);
  colouring_ = AddColouringChoices(this, root);
  colouring_.Show(extras_);
  stopAtFirstError_ = AddStopAtFirstErrorBox(this, root);
  stopAtFirstError_->setChecked(extras_.stopAtFirstError);
  AddConfirmButtons(this, root, [this] { return Confirm(); });
}

void frmF6::ShowTFields(bool show) {
  tShown_ = show;
  for (QWidget* w : {static_cast<QWidget*>(Text11_), static_cast<QWidget*>(Text12_),
                     static_cast<QWidget*>(Text13_), static_cast<QWidget*>(labelMinT_),
                     static_cast<QWidget*>(labelMaxT_), static_cast<QWidget*>(labelStepsT_)}) {
    w->setVisible(show);
  }
}

int32_t frmF6::SelectedShow() const {
  if (Option5_->isChecked()) return shw::kPoint;
  if (Option6_->isChecked()) return shw::kGrid;
  return shw::kSurface;
}

int32_t frmF6::SelectedSmoothness() const {
  if (Option8_->isChecked()) return smt::kFlat;
  if (Option9_->isChecked()) return smt::kSmooth;
  return smt::kSmoothest;
}

void frmF6::LoadGraph(const Cls9& graph) {
  setWindowTitle(QStringLiteral("3D Graph Properties"));
  Text1_->setText(QString::fromStdString(graph.NameS));
  Text2_->setText(QString::fromStdString(graph.ExpressZ));
  Text5_->setText(FieldText(graph.MinU));
  Text6_->setText(FieldText(graph.MaxU));
  Text7_->setText(QString::number(graph.StepU));
  Text8_->setText(FieldText(graph.MinV));
  Text9_->setText(FieldText(graph.MaxV));
  Text10_->setText(QString::number(graph.StepV));
  SelectQuantity(Combo_[2], graph.VarX);
  SelectQuantity(Combo_[1], graph.VarY);
  SelectQuantity(Combo_[3], graph.VarZ);
  SelectQuantity(Combo_[4], graph.ColorR);
  SelectQuantity(Combo_[5], graph.ColorG);
  SelectQuantity(Combo_[6], graph.ColorB);
  Option5_->setChecked(graph.Show == shw::kPoint);
  Option6_->setChecked(graph.Show == shw::kGrid);
  Option7_->setChecked(graph.Show != shw::kPoint && graph.Show != shw::kGrid);
  Option8_->setChecked(graph.Smoothness == smt::kFlat);
  Option9_->setChecked(graph.Smoothness == smt::kSmooth);
  Option10_->setChecked(graph.Smoothness != smt::kFlat && graph.Smoothness != smt::kSmooth);
  if (graph.Material >= 1 && graph.Material <= 13) List1_->setCurrentRow(graph.Material - 1);
  FirstColor = graph.FirstColor;
  SecondColor = graph.SecondColor;
  LineColor = graph.LineColor;
  LineWidth = graph.LineWidth;
  extras_ = graph.Extras;
  clipSettings_->Load(extras_);
  colouring_.Show(extras_);
  stopAtFirstError_->setChecked(extras_.stopAtFirstError);
  if (graph.Animation) {
    Text11_->setText(FieldText(graph.MinT));
    Text12_->setText(FieldText(graph.MaxT));
  }
  ShowTFields(graph.Animation);
}

void frmF6::StartNewSceneIfEmpty() {
  if (doc_.ListScene.Count() != 0) return;
  // A new 3D scene: the light back over the scene, the default axes frame, the ISO view.
  light_.SetPosition(0, 100.0f);
  light_.SetPosition(1, 100.0f);
  doc_.Axes.BetterFonts = false;
  doc_.Axes.SetDefault();
  doc_.DrawScene.RotRoll = 0.0f;
  doc_.DrawScene.RotPitch = -15.0f;
  doc_.DrawScene.RotYaw = 45.0f;
  State().TrackballActive = false;
}

void frmF6::reject() {
  if (!SamplingRunner::Busy()) QDialog::reject();
}

bool frmF6::Confirm() {
  // 1. Clean the visible value fields.
  std::vector<QLineEdit*> fields{Text2_, Text5_, Text6_, Text8_, Text9_};
  if (tShown_) {
    fields.push_back(Text11_);
    fields.push_back(Text12_);
  }
  if (!CleanValueFields(fields)) return false;

  // 2. The scene holds 3D function graphs from now on.
  State().SceneKind = 3;
  if (Combo_[3]->currentIndex() < 0) Combo_[3]->setCurrentIndex(0);

  // 3.-5. Steps and domain.
  if (FieldNumber(Text7_) < 1.0) {
    MsgBox("Steps x,y ,a,r or b must be larger than 1.", "Note", MsgIcon::Exclamation);
    return false;
  }
  if (Text10_->text().isEmpty() || FieldNumber(Text10_) < 1.0) {
    MsgBox("Steps y(or r,b) must be larger than 1.", "Note", MsgIcon::Exclamation);
    return false;
  }
  const float minX = static_cast<float>(FieldNumber(Text5_));
  const float maxX = static_cast<float>(FieldNumber(Text6_));
  const float minY = static_cast<float>(FieldNumber(Text8_));
  const float maxY = static_cast<float>(FieldNumber(Text9_));
  const int32_t stepsX = RoundToLong(FieldNumber(Text7_));
  const int32_t stepsY = RoundToLong(FieldNumber(Text10_));
  if (minX > maxX) {
    MsgBox("Minimum value must be less than maximum value.", "Note", MsgIcon::Exclamation);
    return false;
  }

  // 6.-7. The graph.
  const int32_t material = List1_->currentRow() + 1;
  auto graph = std::make_shared<Cls9>(Cls9{}.Init(
      State().LastGraphID, Text1_->text().toStdString(), gtp::kSurface, ctp::kCartesian, "", "",
      Text2_->text().toStdString(), stepsX, stepsY, minX, maxX, minY, maxY, 0, FirstColor, SecondColor,
      LineColor, LineWidth, material, SelectedShow(), SelectedSmoothness(), false, false, false, 0));
  graph->VarY = QuantityCode(Combo_[1]);
  graph->VarX = QuantityCode(Combo_[2]);
  graph->VarZ = QuantityCode(Combo_[3]);
  graph->ColorR = QuantityCode(Combo_[4]);
  graph->ColorG = QuantityCode(Combo_[5]);
  graph->ColorB = QuantityCode(Combo_[6]);
  StoreTitleLetters(graph->VarX, graph->VarY, graph->VarZ);
  graph->FunForm = fun::kExplicit;
  graph->Extras = extras_;
  graph->Extras.stopAtFirstError = stopAtFirstError_->isChecked();
  if (!clipSettings_->Store(graph->Extras, {graph->VarX, graph->VarY, graph->VarZ})) return false;
  colouring_.Read(graph->Extras);

  // 8. The animation range, which may be written as expressions.
  if (tShown_) {
    float minT = 0.0f, maxT = 0.0f;
    if (!EvaluateFieldExpression(Text11_, minT)) return false;
    if (!EvaluateFieldExpression(Text12_, maxT)) return false;
    if (minT > maxT) {
      MsgBox("Min t must be less than Max t.", "Note", MsgIcon::Exclamation);
      return false;
    }
    graph->Animation = true;
    graph->MinT = minT;
    graph->MaxT = maxT;
  }

  // 9. Add or replace.
  const std::string caption = SceneDocument::Caption(*graph, State().SceneKind);
  if (State().EditMode) return CommitEditedGraph(doc_, *graph, caption, sampler_);
  StartNewSceneIfEmpty();
  return CommitNewGraph(doc_, graph, caption, sampler_);
}

}  // namespace quillon
