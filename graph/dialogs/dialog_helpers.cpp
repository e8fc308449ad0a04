#include "graph/dialogs/dialog_helpers.h"

#include <QBoxLayout>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "common/leading_number.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/dialogs/sampling_runner.h"

namespace quillon {

QLineEdit* NamedField(QWidget* parent, const char* name, const char* text) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QLineEdit* AddLabelledField(QBoxLayout* row, QWidget* parent, const char* caption, const char* name,
                            const char* text) {
  QLineEdit* field = NamedField(parent, name, text);
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setBuddy(field);
  row->addWidget(label);
  row->addWidget(field);
  return field;
}

QCheckBox* AddStopAtFirstErrorBox(QWidget* parent, QBoxLayout* root) {
  auto* box = new QCheckBox(QStringLiteral("Stop at the first &error"), parent);
  box->setObjectName(QStringLiteral("StopAtFirstError"));
  box->setToolTip(
      QStringLiteral("Refuse the graph with the error's message at the first point where the function has "
                     "no value, instead of leaving a hole there"));
  root->addWidget(box);
  return box;
}

ColouringChoices AddColouringChoices(QWidget* parent, QBoxLayout* root) {
  auto* row = new QHBoxLayout;
  ColouringChoices choices;
  choices.colouring = new QComboBox(parent);
  choices.colouring->setObjectName(QStringLiteral("Colouring"));
  // In the order of the Colouring values.
  choices.colouring->addItems({QStringLiteral("Channels"), QStringLiteral("Phase"),
                               QStringLiteral("Enhanced phase"), QStringLiteral("Modulus")});
  choices.colouring->setToolTip(QStringLiteral(
      "Channels: red, green and blue from the quantities chosen for them; Phase: the hue of arg w; "
      "Enhanced phase: that hue shaded by |w| = 2^k bands and twelve phase sectors; Modulus: a "
      "colour scale of log |w|"));
  choices.contours = new QComboBox(parent);
  choices.contours->setObjectName(QStringLiteral("ContourLines"));
  choices.contours->addItems(
      {QStringLiteral("None"), QStringLiteral("Modulus"), QStringLiteral("Phase"), QStringLiteral("Both")});
  choices.contours->setToolTip(
      QStringLiteral("Lines where |w| = 2^k and where arg w is a multiple of \u03c0/6"));
  auto* colouringLabel = new QLabel(QStringLiteral("Col&ouring"), parent);
  colouringLabel->setBuddy(choices.colouring);
  auto* contoursLabel = new QLabel(QStringLiteral("Con&tours"), parent);
  contoursLabel->setBuddy(choices.contours);
  row->addWidget(colouringLabel);
  row->addWidget(choices.colouring, 1);
  row->addWidget(contoursLabel);
  row->addWidget(choices.contours, 1);
  root->addLayout(row);
  return choices;
}

void ColouringChoices::Show(const GraphExtras& extras) const {
  colouring->setCurrentIndex(static_cast<int>(extras.colouring));
  contours->setCurrentIndex(static_cast<int>(extras.contours));
}

void ColouringChoices::Read(GraphExtras& extras) const {
  extras.colouring = static_cast<Colouring>(std::clamp(colouring->currentIndex(), 0, 3));
  extras.contours = static_cast<ContourLines>(std::clamp(contours->currentIndex(), 0, 3));
}

void AddConfirmButtons(QDialog* dialog, QBoxLayout* root, const std::function<bool()>& confirm) {
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  cancel->setObjectName(QStringLiteral("Command2"));
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  root->addLayout(buttons);
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, confirm] {
    if (confirm()) dialog->accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

bool CleanValueFields(const std::vector<QLineEdit*>& fields) {
  for (QLineEdit* field : fields) {
    if (field == nullptr || field->isHidden()) continue;
    std::string text = field->text().toStdString();
    std::string cleaned;
    if (!NormalizeValueText(text, cleaned)) {
      MsgBox("Illegal data exist.", "Error", MsgIcon::Exclamation);
      field->setFocus();
      return false;
    }
    field->setText(QString::fromStdString(cleaned));
  }
  return true;
}

double FieldNumber(const QLineEdit* field) {
  return LeadingNumber(field->text().toStdString());
}

QString FieldText(float value) {
  return QString::number(static_cast<double>(value), 'g', 7);
}

void FillQuantityCombo(QComboBox* combo, int32_t initialCode) {
  combo->clear();
  for (std::string_view caption : quantity::kCaptions) {
    combo->addItem(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
  }
  SelectQuantity(combo, initialCode);
}

int32_t QuantityCode(const QComboBox* combo) {
  return combo->currentIndex() < 0 ? 0 : combo->currentIndex() + 1;
}

void SelectQuantity(QComboBox* combo, int32_t code) {
  combo->setCurrentIndex(code >= 1 && code <= 5 ? code - 1 : -1);
}

void StoreTitleLetters(int32_t varX, int32_t varY, int32_t varZ) {
  auto letter = [](int32_t code, std::string& target) {
    if (code >= 1 && code <= 5) target = std::string(quantity::kLetters[code - 1]);
  };
  letter(varX, State().TitleLetterY);
  letter(varY, State().TitleLetterZ);
  letter(varZ, State().TitleLetterX);
}

bool SampleForDialog(Cls9& graph, QWidget* parent) {
  SamplingRunner runner(parent);
  return runner.Run(graph);
}

bool CommitNewGraph(SceneDocument& doc, const Cls8::GraphPtr& graph, const std::string& caption,
                    const GraphSampler& sampler) {
  graph->ID = State().LastGraphID + 1;
  State().LastGraphID = graph->ID;
  if (!sampler(*graph)) return false;
  doc.AddGraph(graph, /*sample=*/false);
  doc.SetCaption(static_cast<int32_t>(doc.Items().size()) - 1, caption);
  return true;
}

bool CommitEditedGraph(SceneDocument& doc, const Cls9& definition, const std::string& caption,
                       const GraphSampler& sampler) {
  const int32_t index = doc.CurrentIndex();
  Cls8::GraphPtr target = doc.GraphAt(index);
  if (!target) return false;
  // The new definition is sampled on a copy: the drawn graph is never half rewritten, and a
  // failure leaves it exactly as it was.
  Cls9 edited = *target;
  edited.EqualTo(definition);
  if (!sampler(edited)) return false;
  *target = std::move(edited);
  doc.SetCaption(index, caption);
  State().EditMode = false;
  return true;
}

}  // namespace quillon
