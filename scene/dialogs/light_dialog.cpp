#include "scene/dialogs/light_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/leading_number.h"
#include "scene/dialogs/dialog_buttons.h"
#include "scene/model/light.h"

namespace quillon {
namespace {

// Boxes of each group in component order: position x, y, z, w uses Text1..3 and Text16.
constexpr int kPositionBoxes[4] = {1, 2, 3, 16};
constexpr int kDiffuseBoxes[4] = {4, 5, 6, 7};
constexpr int kAmbientBoxes[4] = {8, 9, 10, 11};
constexpr int kSpecularBoxes[4] = {12, 13, 14, 15};

QString Number(float value) {
  return QString::number(value, 'g', 7);
}

QGroupBox* MakeGroup(QWidget* parent, const QString& title, const char* const components[4],
                     const int boxes[4], const float values[4]) {
  auto* group = new QGroupBox(title, parent);
  auto* grid = new QGridLayout(group);
  for (int i = 0; i < 4; ++i) {
    auto* box = new QLineEdit(Number(values[i]), group);
    box->setObjectName(QString("Text%1").arg(boxes[i]));
    auto* label = new QLabel(QObject::tr(components[i]), group);
    label->setBuddy(box);
    grid->addWidget(label, 0, i);
    grid->addWidget(box, 1, i);
  }
  return group;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  check->setChecked(checked);
  return check;
}

}  // namespace

frmF8::frmF8(Cls10& light, QWidget* parent) : QDialog(parent), light_(light) {
  setObjectName("frmF8");
  setWindowTitle(tr("Light Properties"));

  auto* lighting = MakeCheck(this, "Check1", tr(" &Lighting"), light_.Enabled);
  auto* twoSides = MakeCheck(this, "Check2", tr(" &Two sides"), light_.TwoSides(0) != 0.0f);
  auto* ambient = MakeCheck(this, "Check3", tr("&Global ambient light"), light_.GlobalAmbient(0) != 0.0f);

  static const char* const kXyzw[4] = {"X", "Y", "Z", "W"};
  static const char* const kRgba[4] = {"R", "G", "B", "A"};
  auto* position =
      MakeGroup(this, tr("Light &Position"), kXyzw, kPositionBoxes, light_.PositionArray().data());
  auto* diffuse =
      MakeGroup(this, tr("&Diffuse light color"), kRgba, kDiffuseBoxes, light_.DiffuseArray().data());
  auto* amb =
      MakeGroup(this, tr("&Ambient light color"), kRgba, kAmbientBoxes, light_.AmissionArray().data());
  auto* specular =
      MakeGroup(this, tr("&Specular light color"), kRgba, kSpecularBoxes, light_.SpecularArray().data());

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  connect(buttons.ok, &QPushButton::clicked, this, &frmF8::OnOk);
  connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* switches = new QHBoxLayout;
  switches->addWidget(lighting);
  switches->addWidget(twoSides);
  switches->addWidget(ambient);
  switches->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(switches);
  layout->addWidget(position);
  layout->addWidget(diffuse);
  layout->addWidget(amb);
  layout->addWidget(specular);
  layout->addLayout(buttons.row);
}

void frmF8::OnOk() {
  auto check = [this](const char* name) { return findChild<QCheckBox*>(name)->isChecked(); };
  auto value = [this](int box) {
    const QLineEdit* edit = findChild<QLineEdit*>(QString("Text%1").arg(box));
    return static_cast<float>(LeadingNumber(edit->text().toStdString()));
  };
  light_.Enabled = check("Check1");
  light_.SetTwoSides(0, check("Check2") ? 1.0f : 0.0f);
  light_.SetGlobalAmbient(0, check("Check3") ? 1.0f : 0.0f);
  for (int i = 0; i < 4; ++i) light_.SetPosition(i, value(kPositionBoxes[i]));
  for (int i = 0; i < 4; ++i) light_.SetDiffuse(i, value(kDiffuseBoxes[i]));
  for (int i = 0; i < 4; ++i) light_.SetAmission(i, value(kAmbientBoxes[i]));
  for (int i = 0; i < 4; ++i) light_.SetSpecular(i, value(kSpecularBoxes[i]));
  accept();
}

}  // namespace quillon
