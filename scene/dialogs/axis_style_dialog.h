#pragma once
// The "Axis Properties" dialog of plane scenes: axis colour and width, grids, background
// with its gradient style, tick and font options.

#include <QDialog>

class QFrame;

namespace quillon {

class Cls3;
class StylePicture;

// "Axis Properties" (plane): Check1..Check8, Picture1..Picture5, Combo1, Image1 styles and
// the selection frame Shape1.
class frmF20 : public QDialog {
  Q_OBJECT
 public:
  explicit frmF20(Cls3& axes, QWidget* parent = nullptr);

  // Background styles offered, numbered from 1.
  static constexpr int kStyleCount = 6;

  int SelectedStyle() const { return selectedStyle_; }

 public slots:
  // Clicking picture i: i becomes the selected style, Shape1 moves onto it.
  void SelectStyle(int style);
  // Command1: AxesChanged and every field stored.
  void OnOk();
  // Command2 and Escape: AxesChanged cleared.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildStyleRow();
  void RepaintStyles();

  Cls3& axes_;
  int selectedStyle_;
  QFrame* shape1_ = nullptr;
  QWidget* styleRow_ = nullptr;
};

}  // namespace quillon
