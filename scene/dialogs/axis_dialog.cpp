#include "scene/dialogs/axis_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/leading_number.h"
#include "common/program_state.h"
#include "scene/dialogs/color_swatch.h"
#include "scene/dialogs/dialog_buttons.h"
#include "scene/dialogs/material_names.h"
#include "scene/model/axes_frame.h"

namespace quillon {
namespace {

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  check->setChecked(checked);
  return check;
}

QComboBox* MakeMaterialCombo(QWidget* parent, const char* name, int32_t material) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  for (const char* materialName : kMaterialNames) combo->addItem(materialName);
  combo->setCurrentIndex(std::clamp(material - 1, 0, combo->count() - 1));
  return combo;
}

// One face of the grids tab: two direction boxes and the grid colour.
QGroupBox* MakeGridFace(QWidget* parent, const QString& title, QCheckBox* first, QCheckBox* second,
                        ColorSwatch* color) {
  auto* group = new QGroupBox(title, parent);
  first->setParent(group);
  second->setParent(group);
  color->setParent(group);
  auto* grid = new QGridLayout(group);
  grid->addWidget(first, 0, 0, 1, 2);
  grid->addWidget(second, 1, 0, 1, 2);
  grid->addWidget(new QLabel(QObject::tr("Color"), group), 2, 0);
  grid->addWidget(color, 2, 1);
  return group;
}

}  // namespace

frmF3::frmF3(Cls3& axes, QWidget* parent) : QDialog(parent), axes_(axes), showAtLoad_(axes.Show) {
  setObjectName("frmF3");
  setWindowTitle(tr("Axis Properties"));

  auto* show = MakeCheck(this, "Check1", tr(" S&how Axis"), axes_.Show);
  connect(show, &QCheckBox::clicked, this, &frmF3::OnShowAxisClicked);

  auto* tabs = new QTabWidget(this);
  tabs->addTab(BuildStyleTab(), tr("&Style"));
  tabs->addTab(BuildPanelsTab(), tr("&Panels"));
  tabs->addTab(BuildGridsTab(), tr("&Grids"));
  tabs->addTab(BuildIntervalsTab(), tr("&Ticks && Titles"));
  tabs_ = tabs;

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  connect(buttons.ok, &QPushButton::clicked, this, &frmF3::OnOk);
  connect(buttons.cancel, &QPushButton::clicked, this, &frmF3::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(show);
  layout->addWidget(tabs);
  layout->addLayout(buttons.row);
  EnableControls(axes_.Show);
}

QWidget* frmF3::BuildStyleTab() {
  auto* page = new QWidget;
  auto* panelStyle = new QRadioButton(tr("Panel St&yle"), page);
  panelStyle->setObjectName("Option1");
  auto* lineStyle = new QRadioButton(tr("&Line Style"), page);
  lineStyle->setObjectName("Option2");
  (axes_.AxisStyle == 1 ? panelStyle : lineStyle)->setChecked(true);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(panelStyle);
  layout->addWidget(lineStyle);
  layout->addStretch(1);
  return page;
}

QWidget* frmF3::BuildPanelsTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  struct Row {
    const char* caption;
    const char* check;
    const char* picture;
    const char* combo;
    bool shown;
    int32_t color;
    int32_t material;
  };
  const Row rows[3] = {
      {"XY Panel", "Check2", "Picture1", "Combo1", axes_.ShowXYPanel, axes_.XYPanelColor,
       axes_.XYPanelMaterial},
      {"XZ Panel", "Check3", "Picture2", "Combo2", axes_.ShowXZPanel, axes_.XZPanelColor,
       axes_.XZPanelMaterial},
      {"YZ Panel", "Check4", "Picture3", "Combo3", axes_.ShowYZPanel, axes_.YZPanelColor,
       axes_.YZPanelMaterial},
  };
  grid->addWidget(new QLabel(tr("Color"), page), 0, 2);
  grid->addWidget(new QLabel(tr("Material"), page), 0, 3);
  for (int i = 0; i < 3; ++i) {
    const Row& row = rows[i];
    grid->addWidget(new QLabel(tr(row.caption), page), i + 1, 0);
    grid->addWidget(MakeCheck(page, row.check, tr(" Show"), row.shown), i + 1, 1);
    grid->addWidget(new ColorSwatch(row.picture, row.color, page), i + 1, 2);
    grid->addWidget(MakeMaterialCombo(page, row.combo, row.material), i + 1, 3);
  }
  grid->setRowStretch(4, 1);
  return page;
}

QWidget* frmF3::BuildGridsTab() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(MakeGridFace(page, tr("XY Face"),
                                 MakeCheck(page, "Check5", tr("X direction"), axes_.ShowXYXGrid),
                                 MakeCheck(page, "Check6", tr("Y direction"), axes_.ShowXYYGrid),
                                 new ColorSwatch("Picture5", axes_.XYGridColor)));
  layout->addWidget(MakeGridFace(page, tr("XZ Face"),
                                 MakeCheck(page, "Check7", tr("X direction"), axes_.ShowXZXGrid),
                                 MakeCheck(page, "Check8", tr("Z direction"), axes_.ShowXZZGrid),
                                 new ColorSwatch("Picture7", axes_.XZGridColor)));
  layout->addWidget(MakeGridFace(page, tr("YZ Face"),
                                 MakeCheck(page, "Check9", tr("Y direction"), axes_.ShowYZYGrid),
                                 MakeCheck(page, "Check10", tr("Z direction"), axes_.ShowYZZGrid),
                                 new ColorSwatch("Picture9", axes_.YZGridColor)));
  return page;
}

QWidget* frmF3::BuildIntervalsTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  const ProgramState& s = State();
  const QString values[6] = {QString::number(axes_.LabelNumX),       QString::number(axes_.LabelNumY),
                             QString::number(axes_.LabelNumZ),       QString::fromStdString(s.TitleLetterX),
                             QString::fromStdString(s.TitleLetterY), QString::fromStdString(s.TitleLetterZ)};
  static const char* const kCaptions[6] = {"&X Axis Intervals", "Y Axis Intervals", "Z Axis Intervals",
                                           "X Axis T&itle",     "Y Axis Title",     "Z Axis Title"};
  for (int i = 0; i < 6; ++i) {
    auto* box = new QLineEdit(values[i], page);
    box->setObjectName(QString("Text%1").arg(i + 1));
    auto* label = new QLabel(tr(kCaptions[i]), page);
    label->setBuddy(box);
    grid->addWidget(label, i % 3, (i / 3) * 2);
    grid->addWidget(box, i % 3, (i / 3) * 2 + 1);
  }
  grid->setRowStretch(3, 1);
  return page;
}

void frmF3::EnableControls(bool enabled) {
  tabs_->setEnabled(enabled);
}

void frmF3::OnShowAxisClicked(bool checked) {
  axes_.Show = checked;
  EnableControls(checked);
}

void frmF3::OnOk() {
  State().AxesChanged = true;
  axes_.AxisStyle = findChild<QRadioButton*>("Option1")->isChecked() ? 1 : 2;
  if (axes_.AxisStyle == 1 && axes_.Show) {
    auto checked = [this](const char* name) { return findChild<QCheckBox*>(name)->isChecked(); };
    auto color = [this](const char* name) { return findChild<ColorSwatch*>(name)->Color(); };
    auto material = [this](const char* name) { return findChild<QComboBox*>(name)->currentIndex() + 1; };
    auto text = [this](int box) {
      return findChild<QLineEdit*>(QString("Text%1").arg(box))->text().toStdString();
    };
    auto intervals = [&text](int box) {
      return std::clamp(LeadingLong(text(box)), kMinIntervals, kMaxIntervals);
    };

    axes_.ShowXYPanel = checked("Check2");
    axes_.ShowXZPanel = checked("Check3");
    axes_.ShowYZPanel = checked("Check4");
    axes_.XYPanelColor = color("Picture1");
    axes_.XZPanelColor = color("Picture2");
    axes_.YZPanelColor = color("Picture3");
    axes_.XYPanelMaterial = material("Combo1");
    axes_.XZPanelMaterial = material("Combo2");
    axes_.YZPanelMaterial = material("Combo3");

    axes_.ShowXYXGrid = checked("Check5");
    axes_.ShowXYYGrid = checked("Check6");
    axes_.XYGridColor = color("Picture5");
    axes_.ShowXZXGrid = checked("Check7");
    axes_.ShowXZZGrid = checked("Check8");
    axes_.XZGridColor = color("Picture7");
    axes_.ShowYZYGrid = checked("Check9");
    axes_.ShowYZZGrid = checked("Check10");
    axes_.YZGridColor = color("Picture9");

    axes_.LabelNumX = intervals(1);
    axes_.LabelNumY = intervals(2);
    axes_.LabelNumZ = intervals(3);
    State().TitleLetterX = text(4);
    State().TitleLetterY = text(5);
    State().TitleLetterZ = text(6);
  }
  accept();
}

void frmF3::reject() {
  State().AxesChanged = false;
  // Show Axis acts on the frame as soon as it is clicked; Cancel takes that back too.
  axes_.Show = showAtLoad_;
  QDialog::reject();
}

}  // namespace quillon
