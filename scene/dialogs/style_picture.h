#pragma once
// One picture of the plane background styles (Image1 of the style dialog): a small preview
// of the gradient between two colours that emits its style number when clicked.

#include <QLabel>
#include <cstdint>

namespace quillon {

class StylePicture : public QLabel {
  Q_OBJECT
 public:
  StylePicture(int style, QWidget* parent = nullptr);

  int Style() const { return style_; }
  // Redraws the preview with the two background colours (0x00BBGGRR).
  void SetColors(int32_t first, int32_t second);

 signals:
  void clicked(int style);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int style_;
};

}  // namespace quillon
