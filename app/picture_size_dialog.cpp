#include "app/picture_size_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "render/picture_file.h"

namespace quillon {

namespace {

QSpinBox* SideBox(const char* objectName, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(objectName));
  box->setRange(1, kMaxPictureSide);
  box->setSuffix(QStringLiteral(" px"));
  box->setValue(std::clamp(value, 1, kMaxPictureSide));
  return box;
}

}  // namespace

PictureSizeDialog::PictureSizeDialog(const QSize& initial, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PictureSizeDialog"));
  setWindowTitle(tr("Export Picture"));
  width_ = SideBox("txtPictureWidth", initial.width(), this);
  height_ = SideBox("txtPictureHeight", initial.height(), this);
  keepShape_ = new QCheckBox(tr("&Keep the drawing area's proportions"), this);
  keepShape_->setObjectName(QStringLiteral("chkKeepProportions"));
  keepShape_->setChecked(true);
  shape_ = double(width_->value()) / height_->value();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("PictureSizeButtons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(width_, &QSpinBox::valueChanged, this, &PictureSizeDialog::WidthChanged);
  connect(height_, &QSpinBox::valueChanged, this, &PictureSizeDialog::HeightChanged);

  auto* form = new QFormLayout(this);
  form->addRow(tr("&Width:"), width_);
  form->addRow(tr("&Height:"), height_);
  form->addRow(keepShape_);
  form->addRow(buttons);
}

QSize PictureSizeDialog::ChosenSize() const {
  return QSize(width_->value(), height_->value());
}

void PictureSizeDialog::WidthChanged(int width) {
  if (following_ || !keepShape_->isChecked()) return;
  following_ = true;
  height_->setValue(std::clamp(int(std::lround(width / shape_)), 1, kMaxPictureSide));
  following_ = false;
}

void PictureSizeDialog::HeightChanged(int height) {
  if (following_ || !keepShape_->isChecked()) return;
  following_ = true;
  width_->setValue(std::clamp(int(std::lround(height * shape_)), 1, kMaxPictureSide));
  following_ = false;
}

std::optional<QSize> PictureSizeDialog::Ask(const QSize& initial, QWidget* parent) {
  PictureSizeDialog dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenSize();
}

}  // namespace quillon
