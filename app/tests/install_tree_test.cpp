// Which copy of the program writes the per-user association, and where it finds its help
// page and icon: a build tree, an install tree the desktop reads, one it does not read.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/file_association.h"
#include "app/help_commands.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

void Touch(const QString& path, const QByteArray& bytes = "x") {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Restores an environment variable at the end of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QString& value)
      : name_(name), saved_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value.toUtf8());
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, saved_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  QByteArray saved_;
  bool had_;
};

}  // namespace

class InstallTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void theAssociationFollowsWhereTheProgramRuns_data() {
    // Folders relative to the temporary folder; "@" in the data folders stands for it.
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("installedEntry");  // share/applications/quillon.desktop present
    QTest::addColumn<QString>("dataHome");     // $XDG_DATA_HOME
    QTest::addColumn<QString>("dataDirs");     // $XDG_DATA_DIRS
    QTest::addColumn<bool>("registersForUser");
    QTest::addColumn<QString>("helpPage");
    QTest::addColumn<QString>("icon");

    const QString help = "prefix/share/quillon/quillon-help.html";
    const QString icon = "prefix/share/icons/hicolor/scalable/apps/quillon.svg";
    QTest::newRow("build tree") << "build/app" << false << "@/home"
                                << "@/prefix/share:/usr/share" << true << "build/app/quillon-help.html"
                                << "build/app/quillon.svg";
    QTest::newRow("installed, desktop reads it") << "prefix/bin" << true << "@/home"
                                                 << "/usr/share:@/prefix/share/" << false << help << icon;
    QTest::newRow("installed, read through a link") << "prefix/bin" << true << "@/home"
                                                    << "@/link-to-share" << false << help << icon;
    QTest::newRow("installed in the data home") << "prefix/bin" << true << "@/prefix/share"
                                                << "/usr/share" << false << help << icon;
    QTest::newRow("installed out of the desktop's sight") << "prefix/bin" << true << "@/home"
                                                          << "/usr/share" << true << help << icon;
    QTest::newRow("install tree without a desktop entry") << "prefix/bin" << false << "@/home"
                                                          << "@/prefix/share" << true << help << icon;
  }

  void theAssociationFollowsWhereTheProgramRuns() {
    QFETCH(QString, programFolder);
    QFETCH(bool, installedEntry);
    QFETCH(QString, dataHome);
    QFETCH(QString, dataDirs);
    QFETCH(bool, registersForUser);
    QFETCH(QString, helpPage);
    QFETCH(QString, icon);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    QVERIFY(QDir().mkpath(root + "/build/app"));
    Touch(root + "/prefix/bin/quillon");
    Touch(root + "/prefix/share/quillon/quillon-help.html");
    if (installedEntry) Touch(root + "/prefix/share/applications/quillon.desktop");
    QVERIFY(QFile::link(root + "/prefix/share", root + "/link-to-share"));

    ScopedEnv home("XDG_DATA_HOME", QString(dataHome).replace('@', root));
    ScopedEnv dirs("XDG_DATA_DIRS", QString(dataDirs).replace('@', root));
    // The desktop's database tools are left out: they would run on after the test.
    ScopedEnv path("PATH", root + "/no-tools");

    const FileAssociation association(root + "/" + programFolder);
    QCOMPARE(association.UsesInstalledAssociation(), !registersForUser);
    QCOMPARE(HelpFilePath(root + "/" + programFolder), root + "/" + helpPage);
    QCOMPARE(association.Paths().icon, root + "/" + icon);

    // The installed entry is a stub here: a written one names the program to run.
    const auto written = [&] {
      QFile entry(association.Paths().desktopEntry);
      return entry.open(QIODevice::ReadOnly) && entry.readAll().contains("Exec=");
    };
    association.Register();
    QCOMPARE(written(), registersForUser);
    QCOMPARE(QFile::exists(association.Paths().mimePackage), registersForUser);
    // A registration another copy left behind is refreshed only by a copy that registers.
    Touch(association.Paths().mimePackage,
          "<mime-type type=\"application/x-wdxfile\"><glob pattern=\"*.zvt\"/></mime-type>");
    Touch(association.Paths().desktopEntry);
    association.Refresh();
    QCOMPARE(written(), registersForUser);
  }
};

QUILLON_REGISTER_TEST(InstallTreeTest);

}  // namespace quillon::test

#include "install_tree_test.moc"
