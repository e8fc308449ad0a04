#include "app/help_commands.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillon {

QString HelpFilePath(const QString& programFolder) {
  return programFolder + QStringLiteral("/quillon-help.html");
}

QString HomePageAddress() {
  return QStringLiteral(QUILLON_HOME_PAGE);
}
QString SupportPageAddress() {
  return QStringLiteral(QUILLON_SUPPORT_PAGE);
}

void OpenHelpContents(const QString& programFolder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath(programFolder)));
}

void OpenHomePage() {
  QDesktopServices::openUrl(QUrl(HomePageAddress()));
}
void OpenSupportPage() {
  QDesktopServices::openUrl(QUrl(SupportPageAddress()));
}

}  // namespace quillon
