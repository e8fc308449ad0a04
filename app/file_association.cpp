#include "app/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include "app/install_tree.h"

namespace quillon {
namespace {

QString MimeType(const QString& className) {
  return QStringLiteral("application/x-%1").arg(className);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(bytes);
  return file.commit();
}

// Desktop-entry Exec arguments quote paths that hold spaces or reserved characters.
QString QuoteExecArgument(const QString& path) {
  static const QRegularExpression reserved(QStringLiteral("[\\s\"'\\\\><~|&;$*?#()`]"));
  if (!path.contains(reserved)) return path;
  QString quoted = path;
  quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\\\\\"));
  quoted.replace(QStringLiteral("\""), QStringLiteral("\\\\\""));
  quoted.replace(QStringLiteral("$"), QStringLiteral("\\\\$"));
  quoted.replace(QStringLiteral("`"), QStringLiteral("\\\\`"));
  return QStringLiteral("\"%1\"").arg(quoted);
}

}  // namespace

FileAssociation::FileAssociation(QString programFolder) : programFolder_(std::move(programFolder)) {}

QString FileAssociation::DataHome() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.isEmpty()) return xdg;
  return QDir::homePath() + QStringLiteral("/.local/share");
}

AssociationPaths FileAssociation::Paths() const {
  const QString home = DataHome();
  const QString installed = InstalledDataFolder(programFolder_);
  return AssociationPaths{home + QStringLiteral("/mime/packages/quillon-wdxfile.xml"),
                          home + QStringLiteral("/applications/quillon.desktop"),
                          installed.isEmpty()
                              ? programFolder_ + QStringLiteral("/quillon.svg")
                              : installed + QStringLiteral("/icons/hicolor/scalable/apps/quillon.svg")};
}

bool FileAssociation::UsesInstalledAssociation() const {
  const QString installed = InstalledDataFolder(programFolder_);
  if (installed.isEmpty() || !QFileInfo::exists(installed + QStringLiteral("/applications/quillon.desktop")))
    return false;
  const QString canonical = QFileInfo(installed).canonicalFilePath();
  for (const QString& folder : QStringList{DataHome()} + SystemDataFolders()) {
    if (QFileInfo(folder).canonicalFilePath() == canonical) return true;
  }
  return false;
}

void FileAssociation::Register() const {
  if (UsesInstalledAssociation()) return;
  const QString className = QString::fromLatin1(kClassName);
  QString xml;
  QTextStream out(&xml);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      << "  <mime-type type=\"" << MimeType(className) << "\">\n"
      << "    <comment>" << kCaption << "</comment>\n"
      << "    <generic-icon name=\"quillon\"/>\n"
      << "    <glob pattern=\"*" << kExtension << "\"/>\n"
      << "  </mime-type>\n"
      << "</mime-info>\n";
  out.flush();
  WriteWhole(Paths().mimePackage, xml.toUtf8());
  WriteDesktopEntry(className);
  RefreshDatabases();
}

QString FileAssociation::RegisteredClass() const {
  QFile file(Paths().mimePackage);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QString text = QString::fromUtf8(file.readAll());
  static const QRegularExpression type(QStringLiteral("type=\"application/x-([^\"]+)\""));
  const QRegularExpressionMatch match = type.match(text);
  if (!match.hasMatch() || !text.contains(QStringLiteral("*") + QString::fromLatin1(kExtension)))
    return QString();
  return match.captured(1);
}

void FileAssociation::Refresh() const {
  // An installed program leaves a registration written by another copy (a build tree) alone.
  if (UsesInstalledAssociation()) return;
  const QString className = RegisteredClass();
  if (className.isEmpty()) return;
  WriteDesktopEntry(className);
  RefreshDatabases();
}

void FileAssociation::WriteDesktopEntry(const QString& className) const {
  const QString program = programFolder_ + QStringLiteral("/quillon");
  QString entry;
  QTextStream out(&entry);
  out << "[Desktop Entry]\n"
      << "Type=Application\n"
      << "Name=" << kCaption << "\n"
      << "Comment=See functions of one complex variable\n"
      << "Exec=" << QuoteExecArgument(program) << " %f\n"
      << "Icon=" << Paths().icon << "\n"
      << "MimeType=" << MimeType(className) << ";\n"
      << "Categories=Science;Math;\n"
      << "Terminal=false\n";
  out.flush();
  WriteWhole(Paths().desktopEntry, entry.toUtf8());
}

void FileAssociation::RefreshDatabases() const {
  // The databases are refreshed in the background so start-up and saving never wait on them.
  const QString home = DataHome();
  const QString mimeTool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (!mimeTool.isEmpty()) QProcess::startDetached(mimeTool, {home + QStringLiteral("/mime")});
  const QString desktopTool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
  if (!desktopTool.isEmpty()) QProcess::startDetached(desktopTool, {home + QStringLiteral("/applications")});
}

}  // namespace quillon
