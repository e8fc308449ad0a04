#include "graph/dialogs/clip_settings_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "common/message_sink.h"
#include "graph/codes.h"
#include "graph/dialogs/dialog_helpers.h"

namespace quillon {

namespace {
// The combo's entries, in the order of ClipMode's choices shown.
constexpr ClipMode kModes[] = {ClipMode::kAutomatic, ClipMode::kOff, ClipMode::kRange};
}  // namespace

ClipSettingsBox::ClipSettingsBox(QWidget* parent) : QGroupBox(QStringLiteral("Heights"), parent) {
  setObjectName(QStringLiteral("ClipSettings"));
  auto* row = new QHBoxLayout(this);
  auto* caption = new QLabel(QStringLiteral("&Clip"), this);
  mode_ = new QComboBox(this);
  mode_->setObjectName(QStringLiteral("ClipMode"));
  mode_->addItems({QStringLiteral("Automatic"), QStringLiteral("Off"), QStringLiteral("From MIN to MAX")});
  mode_->setToolTip(QStringLiteral(
      "Automatic: cut the axis carrying u, v or |w| at a range taken from most of its values, so a "
      "pole does not flatten the rest"));
  caption->setBuddy(mode_);
  min_ = NamedField(this, "ClipMin", "-10");
  max_ = NamedField(this, "ClipMax", "10");
  log_ = new QCheckBox(QStringLiteral("&log |w|"), this);
  log_->setObjectName(QStringLiteral("LogMagnitude"));
  log_->setToolTip(
      QStringLiteral("Axes that carry the magnitude show log10 |w|, so zeros and poles show together"));
  row->addWidget(caption);
  row->addWidget(mode_);
  row->addWidget(new QLabel(QStringLiteral("MIN"), this));
  row->addWidget(min_);
  row->addWidget(new QLabel(QStringLiteral("MAX"), this));
  row->addWidget(max_);
  row->addWidget(log_);
  auto enableRange = [this](int index) {
    const bool range = index == 2;
    min_->setEnabled(range);
    max_->setEnabled(range);
  };
  connect(mode_, &QComboBox::currentIndexChanged, this, enableRange);
  enableRange(0);
}

void ClipSettingsBox::Load(const GraphExtras& extras) {
  for (int i = 0; i < 3; ++i)
    if (kModes[i] == extras.clip) mode_->setCurrentIndex(i);
  if (extras.clip == ClipMode::kRange) {
    min_->setText(FieldText(extras.clipMin));
    max_->setText(FieldText(extras.clipMax));
  }
  log_->setChecked(extras.logMagnitude[0] || extras.logMagnitude[1] || extras.logMagnitude[2]);
}

bool ClipSettingsBox::Store(GraphExtras& extras, const std::array<int32_t, 3>& axisCodes) const {
  const ClipMode mode = kModes[std::clamp(mode_->currentIndex(), 0, 2)];
  if (mode == ClipMode::kRange) {
    bool minOk = false, maxOk = false;
    const float from = min_->text().toFloat(&minOk);
    const float to = max_->text().toFloat(&maxOk);
    if (!minOk || !maxOk || !(from < to)) {
      MsgBox("Minimum value must be less than maximum value.", "Note", MsgIcon::Exclamation);
      return false;
    }
    extras.clipMin = from;
    extras.clipMax = to;
  }
  extras.clip = mode;
  for (size_t a = 0; a < 3; ++a)
    extras.logMagnitude[a] = log_->isChecked() && axisCodes[a] == quantity::kMagnitude;
  return true;
}

}  // namespace quillon
