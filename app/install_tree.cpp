#include "app/install_tree.h"

#include <QDir>
#include <QFileInfo>

namespace quillon {

QString InstalledDataFolder(const QString& programFolder) {
  const QString data = QDir::cleanPath(programFolder + QStringLiteral("/" QUILLON_DATA_FROM_PROGRAM));
  return QFileInfo(data + QStringLiteral("/quillon")).isDir() ? data : QString();
}

QStringList SystemDataFolders() {
  const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
  if (dirs.isEmpty()) return {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
  return dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

}  // namespace quillon
