#pragma once
// The "Light Properties" dialog: lighting switches, the light's position and its diffuse,
// ambient and specular colours.

#include <QDialog>

namespace quillon {

class Cls10;

// "Light Properties": Check1..Check3 switches, Text1..Text16 position and colours.
class frmF8 : public QDialog {
  Q_OBJECT
 public:
  explicit frmF8(Cls10& light, QWidget* parent = nullptr);

 public slots:
  // Command1: stores every field, each text read as its longest leading number.
  void OnOk();

 private:
  Cls10& light_;
};

}  // namespace quillon
