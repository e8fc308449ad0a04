#include "scene/dialogs/dialog_buttons.h"

namespace quillon {

OkCancelButtons MakeOkCancelButtons(QWidget* dialog) {
  OkCancelButtons buttons;
  buttons.ok = new QPushButton(QObject::tr("&OK"), dialog);
  buttons.ok->setObjectName("Command1");
  buttons.ok->setDefault(true);
  buttons.cancel = new QPushButton(QObject::tr("&Cancel"), dialog);
  buttons.cancel->setObjectName("Command2");
  buttons.cancel->setAutoDefault(false);
  buttons.row = new QHBoxLayout;
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.ok);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

}  // namespace quillon
