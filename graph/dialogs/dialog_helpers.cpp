#include "graph/dialogs/dialog_helpers.h"

#include <exception>

#include "common/leading_number.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/dialogs/sampling_runner.h"

namespace quillon {

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

double FieldNumber(const QLineEdit* field) { return LeadingNumber(field->text().toStdString()); }

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
  const int32_t previousLastID = State().LastGraphID;
  graph->ID = previousLastID + 1;
  State().LastGraphID = graph->ID;
  // A dialog samples through its own runner (progress, cancel, error message), not the list's.
  doc.AddGraph(graph, /*sample=*/false);
  if (!sampler(*graph)) {
    doc.RemoveLast();
    State().LastGraphID = previousLastID;
    return false;
  }
  doc.SetCaption(static_cast<int32_t>(doc.Items().size()) - 1, caption);
  return true;
}

bool CommitEditedGraph(SceneDocument& doc, const Cls9& definition, const std::string& caption,
                       const GraphSampler& sampler) {
  const int32_t index = doc.CurrentIndex();
  Cls8::GraphPtr target = doc.GraphAt(index);
  if (!target) return false;
  const Cls9 backup = *target;
  target->EqualTo(definition);
  if (!sampler(*target)) {
    // Nothing is lost: the graph keeps its old definition and tables.
    *target = backup;
    return false;
  }
  doc.SetCaption(index, caption);
  State().EditMode = false;
  return true;
}

}  // namespace quillon
