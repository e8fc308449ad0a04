#pragma once
// The "Axis Properties" dialog of 3D scenes and colour maps: frame style, panels, grids,
// tick intervals and axis titles of the axes frame, on tabs.

#include <QDialog>

namespace quillon {

class Cls3;

// "Axis Properties" (3D): Option1/Option2 style, Check1 show, Check2..Check10, Picture1..9,
// Combo1..Combo3, Text1..Text6.
class frmF3 : public QDialog {
  Q_OBJECT
 public:
  explicit frmF3(Cls3& axes, QWidget* parent = nullptr);

  // Interval counts outside what the frame can draw are brought into this range.
  static constexpr int kMinIntervals = 1;
  static constexpr int kMaxIntervals = 500;

 public slots:
  // Command1: AxesChanged, the style, and - for a shown panel-style frame - panels, grids,
  // intervals and titles.
  void OnOk();
  // Command2 and Escape: AxesChanged cleared, the frame's Show restored.
  void reject() override;

 private slots:
  void OnShowAxisClicked(bool checked);

 private:
  QWidget* BuildStyleTab();
  QWidget* BuildPanelsTab();
  QWidget* BuildGridsTab();
  QWidget* BuildIntervalsTab();
  void EnableControls(bool enabled);

  Cls3& axes_;
  bool showAtLoad_;
  QWidget* tabs_ = nullptr;
};

}  // namespace quillon
