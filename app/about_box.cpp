#include "app/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/message_sink.h"

namespace quillon {

AboutBox::AboutBox(const QString& homePage, std::function<void()> openHomePage, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(tr("About Quillon"));

  auto* name = new QLabel(QString::fromLatin1(kAppTitle), this);
  name->setObjectName("lblName");
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  name->setFont(big);
  auto* version = new QLabel(tr("Version 1.0.2"), this);
  version->setObjectName("lblVersion");
  auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(homePage.toHtmlEscaped()), this);
  link->setObjectName("lblHomePage");
  link->setTextFormat(Qt::RichText);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  link->setOpenExternalLinks(false);
  connect(link, &QLabel::linkActivated, this, [open = std::move(openHomePage)] {
    if (open) open();
  });

  auto* ok = new QPushButton(tr("O K"), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  for (QLabel* label : {name, version, link}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  layout->addSpacing(8);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quillon
