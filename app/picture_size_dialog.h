#pragma once
// The small dialog of File > Export Picture: the picture's width and height in pixels, with
// the drawing area's size to start from and an option to keep its proportions.

#include <QDialog>
#include <QSize>
#include <optional>

class QCheckBox;
class QSpinBox;

namespace quillon {

class PictureSizeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PictureSizeDialog(const QSize& initial, QWidget* parent = nullptr);

  QSize ChosenSize() const;

  // Shows the dialog; the size when it was accepted.
  static std::optional<QSize> Ask(const QSize& initial, QWidget* parent);

 private:
  void WidthChanged(int width);
  void HeightChanged(int height);

  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QCheckBox* keepShape_ = nullptr;
  double shape_ = 1.0;  // width / height when the proportions are kept
  bool following_ = false;
};

}  // namespace quillon
