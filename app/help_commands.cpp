#include "app/help_commands.h"

#include <QDesktopServices>

#include "app/install_tree.h"

namespace quillon {

QString HelpFilePath(const QString& programFolder) {
  const QString installed = InstalledDataFolder(programFolder);
  const QString folder = installed.isEmpty() ? programFolder : installed + QStringLiteral("/quillon");
  return folder + QStringLiteral("/quillon-help.html");
}

QUrl PageAddress(const QString& configured, const QString& programFolder) {
  if (!configured.isEmpty()) return QUrl(configured);
  return QUrl::fromLocalFile(HelpFilePath(programFolder));
}

QUrl HomePageAddress(const QString& programFolder) {
  return PageAddress(QStringLiteral(QUILLON_HOME_PAGE), programFolder);
}
QUrl SupportPageAddress(const QString& programFolder) {
  return PageAddress(QStringLiteral(QUILLON_SUPPORT_PAGE), programFolder);
}

void OpenHelpContents(const QString& programFolder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath(programFolder)));
}

void OpenHomePage(const QString& programFolder) {
  QDesktopServices::openUrl(HomePageAddress(programFolder));
}
void OpenSupportPage(const QString& programFolder) {
  QDesktopServices::openUrl(SupportPageAddress(programFolder));
}

}  // namespace quillon
