#pragma once
// The OK / Cancel pair every dialog of the scene ends with: Command1 "OK" is the default
// button (Enter), Command2 "Cancel" answers Escape.

#include <QHBoxLayout>
#include <QPushButton>

namespace quillon {

struct OkCancelButtons {
  QPushButton* ok = nullptr;      // Command1
  QPushButton* cancel = nullptr;  // Command2
  QHBoxLayout* row = nullptr;     // right-aligned row holding both
};

OkCancelButtons MakeOkCancelButtons(QWidget* dialog);

}  // namespace quillon
