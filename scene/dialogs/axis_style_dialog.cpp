#include "scene/dialogs/axis_style_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "common/leading_number.h"
#include "common/program_state.h"
#include "scene/dialogs/color_swatch.h"
#include "scene/dialogs/dialog_buttons.h"
#include "scene/dialogs/style_picture.h"
#include "scene/model/axes_frame.h"

namespace quillon {
namespace {

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  check->setChecked(checked);
  return check;
}

}  // namespace

frmF20::frmF20(Cls3& axes, QWidget* parent)
    : QDialog(parent), axes_(axes), selectedStyle_(std::clamp(axes.BackStyle, 1, kStyleCount)) {
  setObjectName("frmF20");
  setWindowTitle(tr("Axis Properties"));

  auto* axisGroup = new QGroupBox(tr("Axis"), this);
  auto* axisGrid = new QGridLayout(axisGroup);
  axisGrid->addWidget(MakeCheck(axisGroup, "Check1", tr(" S&how Axis"), axes_.Show), 0, 0, 1, 2);
  auto* axisColor = new ColorSwatch("Picture1", axes_.AxisColor, axisGroup);
  auto* axisColorLabel = new QLabel(tr("Axis &Color"), axisGroup);
  axisColorLabel->setBuddy(axisColor);
  axisGrid->addWidget(axisColorLabel, 1, 0);
  axisGrid->addWidget(axisColor, 1, 1);
  auto* width = new QComboBox(axisGroup);
  width->setObjectName("Combo1");
  width->setEditable(true);
  for (int w = 1; w <= 5; ++w) width->addItem(QString::number(w));
  width->setEditText(QString::number(axes_.AxisWidth));
  auto* widthLabel = new QLabel(tr("Axis &Width"), axisGroup);
  widthLabel->setBuddy(width);
  axisGrid->addWidget(widthLabel, 2, 0);
  axisGrid->addWidget(width, 2, 1);

  auto* gridGroup = new QGroupBox(tr("Grids and Background"), this);
  auto* grid = new QGridLayout(gridGroup);
  grid->addWidget(MakeCheck(gridGroup, "Check2", tr("Show &Primary Grid"), axes_.ShowprimaryGrid), 0, 0);
  grid->addWidget(new ColorSwatch("Picture2", axes_.PriGridColor, gridGroup), 0, 1);
  grid->addWidget(MakeCheck(gridGroup, "Check3", tr("Show Secon&dary Grid"), axes_.ShowSecondaryGrid), 1, 0);
  grid->addWidget(new ColorSwatch("Picture3", axes_.SecGridColor, gridGroup), 1, 1);
  grid->addWidget(MakeCheck(gridGroup, "Check4", tr("Show &Background"), axes_.ShowBackground), 2, 0);
  auto* back1 = new ColorSwatch("Picture4", axes_.BackColor, gridGroup);
  auto* back2 = new ColorSwatch("Picture5", axes_.BackColor2, gridGroup);
  auto* backRow = new QHBoxLayout;
  backRow->addWidget(back1);
  backRow->addWidget(back2);
  grid->addLayout(backRow, 2, 1);

  auto* options = new QGroupBox(tr("Options"), this);
  auto* optionsGrid = new QGridLayout(options);
  optionsGrid->addWidget(MakeCheck(options, "Check5", tr("Show Secondary &Ticks"), axes_.ShowSecondaryLabel),
                         0, 0);
  optionsGrid->addWidget(MakeCheck(options, "Check6", tr("&Use \u03c0 To Label Ticks"), axes_.ShowPI), 0, 1);
  optionsGrid->addWidget(MakeCheck(options, "Check7", tr("Show &Shadow"), axes_.ShowShadow), 1, 0);
  optionsGrid->addWidget(MakeCheck(options, "Check8", tr("Better &Fonts"), axes_.BetterFonts), 1, 1);

  auto* styles = new QGroupBox(tr("Select A St&yle"), this);
  auto* stylesLayout = new QVBoxLayout(styles);
  stylesLayout->addWidget(BuildStyleRow());
  connect(back1, &ColorSwatch::colorChanged, this, &frmF20::RepaintStyles);
  connect(back2, &ColorSwatch::colorChanged, this, &frmF20::RepaintStyles);

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  connect(buttons.ok, &QPushButton::clicked, this, &frmF20::OnOk);
  connect(buttons.cancel, &QPushButton::clicked, this, &frmF20::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(axisGroup);
  layout->addWidget(gridGroup);
  layout->addWidget(options);
  layout->addWidget(styles);
  layout->addLayout(buttons.row);
  RepaintStyles();
}

QWidget* frmF20::BuildStyleRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setSpacing(8);
  for (int style = 1; style <= kStyleCount; ++style) {
    auto* picture = new StylePicture(style, row);
    connect(picture, &StylePicture::clicked, this, &frmF20::SelectStyle);
    layout->addWidget(picture);
  }
  layout->addStretch(1);
  // The selection frame floats over the row and is moved onto the selected picture.
  shape1_ = new QFrame(row);
  shape1_->setObjectName("Shape1");
  shape1_->setFrameStyle(QFrame::Box | QFrame::Plain);
  shape1_->setLineWidth(2);
  shape1_->setAttribute(Qt::WA_TransparentForMouseEvents);
  styleRow_ = row;
  row->installEventFilter(this);
  return row;
}

void frmF20::RepaintStyles() {
  const int32_t first = findChild<ColorSwatch*>("Picture4")->Color();
  const int32_t second = findChild<ColorSwatch*>("Picture5")->Color();
  for (StylePicture* picture : findChildren<StylePicture*>()) picture->SetColors(first, second);
  SelectStyle(selectedStyle_);
}

void frmF20::SelectStyle(int style) {
  for (StylePicture* picture : findChildren<StylePicture*>()) {
    if (picture->Style() != style) continue;
    selectedStyle_ = style;
    shape1_->setGeometry(picture->geometry().adjusted(-3, -3, 3, 3));
    shape1_->raise();
    shape1_->show();
  }
}

bool frmF20::eventFilter(QObject* watched, QEvent* event) {
  // The pictures get their places only when the row is laid out; keep the frame on the selection.
  if (watched == styleRow_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                               event->type() == QEvent::LayoutRequest)) {
    if (QLayout* layout = styleRow_->layout()) layout->activate();
    SelectStyle(selectedStyle_);
  }
  return QDialog::eventFilter(watched, event);
}

void frmF20::OnOk() {
  auto checked = [this](const char* name) { return findChild<QCheckBox*>(name)->isChecked(); };
  auto color = [this](const char* name) { return findChild<ColorSwatch*>(name)->Color(); };
  State().AxesChanged = true;
  axes_.Show = checked("Check1");
  axes_.AxisColor = color("Picture1");
  axes_.AxisWidth = LeadingLong(findChild<QComboBox*>("Combo1")->currentText().toStdString());
  axes_.ShowprimaryGrid = checked("Check2");
  axes_.ShowSecondaryGrid = checked("Check3");
  axes_.ShowBackground = checked("Check4");
  axes_.ShowSecondaryLabel = checked("Check5");
  axes_.ShowPI = checked("Check6");
  axes_.ShowShadow = checked("Check7");
  axes_.BetterFonts = checked("Check8");
  axes_.PriGridColor = color("Picture2");
  axes_.SecGridColor = color("Picture3");
  axes_.BackColor = color("Picture4");
  axes_.BackColor2 = color("Picture5");
  axes_.BackStyle = selectedStyle_;
  accept();
}

void frmF20::reject() {
  State().AxesChanged = false;
  QDialog::reject();
}

}  // namespace quillon
