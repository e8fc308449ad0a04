#include "app/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace quillon {
namespace {

constexpr const char* kKey = "recentFiles";

QSettings Settings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillon"),
                   QStringLiteral("quillon"));
}

}  // namespace

QStringList RecentFiles::Files() const {
  QStringList files = Settings().value(QLatin1String(kKey)).toStringList();
  files.removeAll(QString());
  while (files.size() > kMaxFiles) files.removeLast();
  return files;
}

void RecentFiles::Add(const QString& fileName) {
  const QString path = QFileInfo(fileName).absoluteFilePath();
  QStringList files = Files();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kMaxFiles) files.removeLast();
  Store(files);
}

void RecentFiles::Remove(const QString& fileName) {
  QStringList files = Files();
  files.removeAll(fileName);
  files.removeAll(QFileInfo(fileName).absoluteFilePath());
  Store(files);
}

QString RecentFiles::Caption(const QStringList& files, int index) {
  const QString name = QFileInfo(files[index]).fileName();
  bool shared = false;
  for (int i = 0; i < files.size() && !shared; ++i)
    shared = i != index && QFileInfo(files[i]).fileName() == name;
  // "&" would mark a shortcut letter in a menu caption.
  QString shown = shared ? QDir::toNativeSeparators(files[index]) : name;
  shown.replace(QLatin1Char('&'), QLatin1String("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFiles::Store(const QStringList& files) const {
  QSettings settings = Settings();
  settings.setValue(QLatin1String(kKey), files);
}

}  // namespace quillon
