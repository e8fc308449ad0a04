#pragma once
// The "View Setting" dialog: the camera's projection type and the six view intervals that
// sampling uses to decide which point markers lie inside the view.

#include <QDialog>

namespace quillon {

class Cls4;

// "View Setting": Option1/Option2 projection, Text1..Text6 view intervals.
class frmF14 : public QDialog {
  Q_OBJECT
 public:
  explicit frmF14(Cls4& camera, QWidget* parent = nullptr);

 public slots:
  // Command1: stores the projection, checks and stores the intervals; stays open with
  // "Illegal data exist." when a box holds anything but a number.
  void OnOk();

 private:
  Cls4& camera_;
};

}  // namespace quillon
