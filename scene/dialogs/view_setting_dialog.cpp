#include "scene/dialogs/view_setting_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "common/leading_number.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "expr/text_helpers.h"
#include "scene/dialogs/dialog_buttons.h"
#include "scene/model/camera.h"

namespace quillon {
namespace {

// The six interval fields in box order Text1..Text6.
std::array<float*, 6> IntervalFields() {
  ProgramState& s = State();
  return {&s.ViewMinX, &s.ViewMaxX, &s.ViewMinY, &s.ViewMaxY, &s.ViewMinZ, &s.ViewMaxZ};
}

}  // namespace

frmF14::frmF14(Cls4& camera, QWidget* parent) : QDialog(parent), camera_(camera) {
  setObjectName("frmF14");
  setWindowTitle(tr("View Setting"));

  auto* projection = new QGroupBox(tr("Projection Type"), this);
  auto* ortho = new QRadioButton(tr("O&rtho"), projection);
  ortho->setObjectName("Option1");
  auto* perspective = new QRadioButton(tr("&Perspective"), projection);
  perspective->setObjectName("Option2");
  auto* projectionRow = new QVBoxLayout(projection);
  projectionRow->addWidget(ortho);
  projectionRow->addWidget(perspective);
  (camera_.ProjectType == 2 ? perspective : ortho)->setChecked(true);

  auto* intervals = new QGroupBox(tr("View Intervals"), this);
  auto* grid = new QGridLayout(intervals);
  static const char* const kCaptions[6] = {"Min &x", "Max x", "Min &y", "Max y", "Min &z", "Max z"};
  const auto fields = IntervalFields();
  for (int i = 0; i < 6; ++i) {
    auto* box = new QLineEdit(QString::number(*fields[i], 'g', 7), intervals);
    box->setObjectName(QString("Text%1").arg(i + 1));
    auto* label = new QLabel(tr(kCaptions[i]), intervals);
    label->setBuddy(box);
    grid->addWidget(label, i / 2, (i % 2) * 2);
    grid->addWidget(box, i / 2, (i % 2) * 2 + 1);
  }

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  connect(buttons.ok, &QPushButton::clicked, this, &frmF14::OnOk);
  connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(projection);
  layout->addWidget(intervals);
  layout->addLayout(buttons.row);
  ortho->setFocus();
}

void frmF14::OnOk() {
  camera_.ProjectType = findChild<QRadioButton*>("Option2")->isChecked() ? 2 : 1;

  std::array<std::string, 6> cleaned;
  for (int i = 0; i < 6; ++i) {
    auto* box = findChild<QLineEdit*>(QString("Text%1").arg(i + 1));
    std::string text = box->text().toStdString();
    if (!NormalizeNumberText(text, cleaned[i])) {
      MsgBox("Illegal data exist.", "Error", MsgIcon::Exclamation);
      box->setFocus();
      box->selectAll();
      return;
    }
    box->setText(QString::fromStdString(cleaned[i]));
  }
  const auto fields = IntervalFields();
  for (int i = 0; i < 6; ++i) *fields[i] = static_cast<float>(LeadingNumber(cleaned[i]));
  accept();
}

}  // namespace quillon
