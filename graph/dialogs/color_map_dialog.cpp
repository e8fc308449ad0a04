#include "graph/dialogs/color_map_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "common/leading_number.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/dialogs/clip_settings_box.h"
#include "graph/dialogs/sampling_runner.h"

namespace quillon {
frmF22::frmF22(SceneDocument& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("frmF22"));
  setWindowTitle(QStringLiteral("Function Color Map"));
  sampler_ = [this](Cls9& graph) { return SampleForDialog(graph, this); };
  Build();
}

void frmF22::Build() {
  auto* root = new QVBoxLayout(this);
  auto* nameRow = new QHBoxLayout;
  Text1_ = AddLabelledField(nameRow, this, "&Name", "Text1", "Untitled");
  root->addLayout(nameRow);

  auto* function = new QGroupBox(QStringLiteral("Function"), this);
  auto* functionRow = new QHBoxLayout(function);
  Text4_ = AddLabelledField(functionRow, function, "&f(z)", "Text4", "");
  root->addWidget(function);

  auto* domain = new QGroupBox(QStringLiteral("Domain Of Variables"), this);
  auto* grid = new QGridLayout(domain);
  Text5_ = NamedField(domain, "Text5", "-4");
  Text6_ = NamedField(domain, "Text6", "4");
  Text7_ = NamedField(domain, "Text7", "40");
  Text8_ = NamedField(domain, "Text8", "-4");
  Text9_ = NamedField(domain, "Text9", "4");
  Text10_ = NamedField(domain, "Text10", "40");
  const struct {
    const char* caption;
    QLineEdit* field;
    int row, column;
  } cells[] = {{"Min &x", Text5_, 0, 0}, {"Max x", Text6_, 0, 2}, {"Steps x", Text7_, 0, 4},
               {"Min &y", Text8_, 1, 0}, {"Max y", Text9_, 1, 2}, {"Steps y", Text10_, 1, 4}};
  for (const auto& cell : cells) {
    auto* label = new QLabel(QString::fromLatin1(cell.caption), domain);
    label->setBuddy(cell.field);
    grid->addWidget(label, cell.row, cell.column);
    grid->addWidget(cell.field, cell.row, cell.column + 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("Recommended Value: 30 - 60"), domain), 0, 6);
  grid->addWidget(new QLabel(QStringLiteral("Recommended Value: 30 - 60"), domain), 1, 6);
  // The animation parameter fields exist but a colour map does not use t: kept hidden.
  Text2_ = NamedField(domain, "Text2", "-2");
  Text3_ = NamedField(domain, "Text3", "2");
  Text11_ = NamedField(domain, "Text11", "");
  for (QLineEdit* hidden : {Text2_, Text3_, Text11_}) hidden->hide();
  root->addWidget(domain);

  auto* directions = new QGroupBox(QStringLiteral("Variables In Different Directions"), this);
  auto* dirRow = new QGridLayout(directions);
  auto* colors = new QGroupBox(QStringLiteral("Color"), this);
  auto* colorRow = new QGridLayout(colors);
  const struct {
    int number;
    const char* caption;
    int32_t initial;
    QGroupBox* box;
    QGridLayout* layout;
    int column;
  } combos[] = {{3, "X Axis", quantity::kX, directions, dirRow, 0},
                {1, "Y Axis", quantity::kY, directions, dirRow, 2},
                {4, "Red", quantity::kU, colors, colorRow, 0},
                {5, "Green", quantity::kV, colors, colorRow, 2},
                {6, "Blue", quantity::kMagnitude, colors, colorRow, 4}};
  for (const auto& item : combos) {
    auto* combo = new QComboBox(item.box);
    combo->setObjectName(QStringLiteral("Combo%1").arg(item.number));
    FillQuantityCombo(combo, item.initial);
    auto* label = new QLabel(QString::fromLatin1(item.caption), item.box);
    label->setBuddy(combo);
    item.layout->addWidget(label, 0, item.column);
    item.layout->addWidget(combo, 0, item.column + 1);
    Combo_[item.number] = combo;
  }
  root->addWidget(directions);
  root->addWidget(colors);

  clipSettings_ = new ClipSettingsBox(this);
  clipSettings_->Load(extras_);
  root->addWidget(clipSettings_);
  colouring_ = AddColouringChoices(this, root);
  colouring_.Show(extras_);
  stopAtFirstError_ = AddStopAtFirstErrorBox(this, root);
  stopAtFirstError_->setChecked(extras_.stopAtFirstError);
  AddConfirmButtons(this, root, [this] { return Confirm(); });
}

void frmF22::LoadGraph(const Cls9& graph) {
  Text1_->setText(QString::fromStdString(graph.NameS));
  Text4_->setText(QString::fromStdString(graph.ExpressZ));
  Text5_->setText(FieldText(graph.MinU));
  Text6_->setText(FieldText(graph.MaxU));
  Text7_->setText(QString::number(graph.StepU));
  Text8_->setText(FieldText(graph.MinV));
  Text9_->setText(FieldText(graph.MaxV));
  Text10_->setText(QString::number(graph.StepV));
  SelectQuantity(Combo_[3], graph.VarX);
  SelectQuantity(Combo_[1], graph.VarZ);
  SelectQuantity(Combo_[4], graph.ColorR);
  SelectQuantity(Combo_[5], graph.ColorG);
  SelectQuantity(Combo_[6], graph.ColorB);
  LineColor = graph.LineColor;
  LineWidth = graph.LineWidth;
  Material = graph.Material;
  extras_ = graph.Extras;
  clipSettings_->Load(extras_);
  colouring_.Show(extras_);
  stopAtFirstError_->setChecked(extras_.stopAtFirstError);
}

void frmF22::reject() {
  if (!SamplingRunner::Busy()) QDialog::reject();
}

bool frmF22::Confirm() {
  std::vector<QLineEdit*> fields{Text2_, Text3_, Text4_, Text5_, Text6_, Text8_, Text9_};
  if (!CleanValueFields(fields)) return false;

  if (FieldNumber(Text7_) < 1.0) {
    MsgBox("Steps u must be larger than 1.", "Note", MsgIcon::Exclamation);
    return false;
  }
  if (FieldNumber(Text10_) < 1.0) {
    MsgBox("Steps v must be larger than 1.", "Note", MsgIcon::Exclamation);
    return false;
  }
  State().SceneKind = 7;
  const float minX = static_cast<float>(FieldNumber(Text5_));
  const float maxX = static_cast<float>(FieldNumber(Text6_));
  const float minY = static_cast<float>(FieldNumber(Text8_));
  const float maxY = static_cast<float>(FieldNumber(Text9_));
  if (minX > maxX) {
    MsgBox("Min u must be less than Max u.", "Note", MsgIcon::Exclamation);
    return false;
  }
  if (minY > maxY) {
    MsgBox("Min v must be less than Max v.", "Note", MsgIcon::Exclamation);
    return false;
  }

  auto graph = std::make_shared<Cls9>(
      Cls9{}.Init(State().LastGraphID, Text1_->text().toStdString(), gtp::kColorMap, ctp::kCartesian, "", "",
                  Text4_->text().toStdString(), RoundToLong(FieldNumber(Text7_)),
                  RoundToLong(FieldNumber(Text10_)), minX, maxX, minY, maxY, 3, RGB(255, 0, 0), 0, LineColor,
                  LineWidth, Material, shw::kSurface, smt::kSmoothest, false, false, false, 0));
  graph->FunForm = fun::kExplicit;
  graph->VarZ = QuantityCode(Combo_[1]);
  graph->VarY = quantity::kMagnitude;
  graph->VarX = QuantityCode(Combo_[3]);
  graph->ColorR = QuantityCode(Combo_[4]);
  graph->ColorG = QuantityCode(Combo_[5]);
  graph->ColorB = QuantityCode(Combo_[6]);
  StoreTitleLetters(graph->VarX, graph->VarY, graph->VarZ);
  graph->Extras = extras_;
  graph->Extras.stopAtFirstError = stopAtFirstError_->isChecked();
  if (!clipSettings_->Store(graph->Extras, {graph->VarX, graph->VarY, graph->VarZ})) return false;
  colouring_.Read(graph->Extras);

  const std::string caption = "Color Map: w=" + graph->ExpressZ;
  if (State().EditMode) return CommitEditedGraph(doc_, *graph, caption, sampler_);
  if (doc_.ListScene.Count() == 0) {
    // A new map scene is seen head-on, as a document of colour maps is read back.
    doc_.DrawScene.RotRoll = doc_.DrawScene.RotPitch = doc_.DrawScene.RotYaw = 0.0f;
    State().TrackballActive = false;
    doc_.Axes.Show = true;
  }
  return CommitNewGraph(doc_, graph, caption, sampler_);
}

}  // namespace quillon
