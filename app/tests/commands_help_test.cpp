// The Help menu: the help page generated beside the program lists every function of the
// expression engine, and the three commands hand the right addresses to the desktop.

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QtTest>

#include "app/help_commands.h"
#include "app/tests/test_registry.h"
#include "expr/function_table.h"

namespace quillon::test {

// Stands in for the desktop: records the addresses it is asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened << url; }
};

class CommandsHelpTest : public QObject {
  Q_OBJECT

 private slots:
  void theHelpPageListsEveryFunction() {
    const QString page = QStringLiteral(QUILLON_HELP_PAGE_FILE);
    QCOMPARE(QFileInfo(page).fileName(), QFileInfo(HelpFilePath(QStringLiteral("/x"))).fileName());
    QFile file(page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(!html.contains(QStringLiteral("<!-- FUNCTION_TABLE -->")));
    QCOMPARE(static_cast<int>(FunctionTable().size()), kFunctionCount);
    for (const FunctionInfo& info : FunctionTable()) {
      const QString name =
          QString::fromLatin1(info.name.data(), static_cast<int>(info.name.size())).toLower();
      QVERIFY2(html.contains(QStringLiteral("<td><code>%1</code></td>").arg(name)), qPrintable(name));
    }
  }

  void commandsOpenTheirAddresses() {
    UrlRecorder recorder;
    for (const char* scheme : {"http", "https", "file"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "Open");
    }
    OpenHomePage();
    OpenSupportPage();
    OpenHelpContents(QStringLiteral("/opt/quillon"));
    for (const char* scheme : {"http", "https", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));

    QCOMPARE(recorder.opened.size(), 3);
    QCOMPARE(recorder.opened[0], QUrl(QStringLiteral(QUILLON_HOME_PAGE)));
    QCOMPARE(recorder.opened[1], QUrl(QStringLiteral(QUILLON_SUPPORT_PAGE)));
    QVERIFY(recorder.opened[0] != recorder.opened[1]);
    QCOMPARE(recorder.opened[2], QUrl::fromLocalFile(QStringLiteral("/opt/quillon/quillon-help.html")));
  }
};

QUILLON_REGISTER_TEST(CommandsHelpTest);

}  // namespace quillon::test

#include "commands_help_test.moc"
