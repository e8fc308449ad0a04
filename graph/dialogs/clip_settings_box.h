#pragma once
// The graph dialogs' "Heights" group: how the axis that carries u, v or |w| is clipped
// (Automatic, Off, or From MIN to MAX) and whether axes that carry the magnitude show log |w|.

#include <QGroupBox>
#include <array>

#include "graph/graph_extras.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quillon {

class ClipSettingsBox : public QGroupBox {
 public:
  // Children by objectName: ClipMode (combo: "Automatic", "Off", "From MIN to MAX"), ClipMin,
  // ClipMax (enabled only for a range) and LogMagnitude.
  explicit ClipSettingsBox(QWidget* parent);

  void Load(const GraphExtras& extras);
  // Writes the choices into `extras`; axisCodes are the quantity codes of scene X, Y and Z,
  // so that only axes carrying the magnitude get the log flag. False, with a note shown, when
  // a range is chosen whose MIN is not below its MAX.
  bool Store(GraphExtras& extras, const std::array<int32_t, 3>& axisCodes) const;

 private:
  QComboBox* mode_;
  QLineEdit* min_;
  QLineEdit* max_;
  QCheckBox* log_;
};

}  // namespace quillon
