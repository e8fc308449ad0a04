#pragma once
// The About box: program name, version, a clickable home-page line and an "O K" button.

#include <QDialog>
#include <functional>

namespace quillon {

// The About box, objectName frmAbout.
class AboutBox : public QDialog {
  Q_OBJECT
 public:
  // openHomePage runs when the home-page line is clicked (the same as Help > Home Page).
  AboutBox(const QString& homePage, std::function<void()> openHomePage, QWidget* parent = nullptr);
};

}  // namespace quillon
