#pragma once
// A clickable colour sample of the dialogs: shows one 0x00BBGGRR colour and, when clicked
// (or activated with Space), asks the colour chooser for a new one.

#include <QFrame>
#include <cstdint>

namespace quillon {

class ColorSwatch : public QFrame {
  Q_OBJECT
 public:
  explicit ColorSwatch(const QString& objectName, int32_t color = 0, QWidget* parent = nullptr);

  int32_t Color() const { return color_; }
  void SetColor(int32_t color);

  // Opens the chooser; the swatch keeps its colour when the user cancels.
  void Choose();

 signals:
  void colorChanged(int32_t color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int32_t color_ = 0;
};

}  // namespace quillon
