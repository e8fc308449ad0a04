// The Help menu: the help page generated beside the program lists every function of the
// expression engine, the three commands and the About box hand the right addresses to the
// desktop.

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "app/help_commands.h"
#include "app/tests/window_fixture.h"
#include "expr/function_table.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

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

  // The menu commands open the addresses set at build time, or else the help page of the
  // program folder they are given.
  void commandsOpenTheirAddresses() {
    UrlRecorder recorder;
    for (const char* scheme : {"http", "https", "file"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "Open");
    }
    const QString folder = QStringLiteral("/opt/quillon");
    OpenHomePage(folder);
    OpenSupportPage(folder);
    OpenHelpContents(folder);
    for (const char* scheme : {"http", "https", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));

    const QUrl help = QUrl::fromLocalFile(QStringLiteral("/opt/quillon/quillon-help.html"));
    const auto configuredOrHelp = [&](const QString& configured) {
      return configured.isEmpty() ? help : QUrl(configured);
    };
    QCOMPARE(recorder.opened.size(), 3);
    QCOMPARE(recorder.opened[0], configuredOrHelp(QStringLiteral(QUILLON_HOME_PAGE)));
    QCOMPARE(recorder.opened[1], configuredOrHelp(QStringLiteral(QUILLON_SUPPORT_PAGE)));
    QCOMPARE(recorder.opened[2], help);
  }

  // The About box's link and Help > Home Page lead to the same place; without an address set
  // at build time that is the help page beside the program, which exists.
  void theAboutBoxLinksToTheHomePage() {
    WindowFixture f;
    UrlRecorder recorder;
    for (const char* scheme : {"http", "https", "file"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "Open");
    }
    QString link;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box) return;
      auto* label = Control<QLabel>(box, "lblHomePage");
      link = label->text();
      emit label->linkActivated(link);
      Control<QPushButton>(box, "cmdOK")->click();
    });
    Control<QAction>(f.window.get(), "mnuHelpAbout")->trigger();
    Control<QAction>(f.window.get(), "mnuHelpHomePage")->trigger();
    for (const char* scheme : {"http", "https", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));

    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened[0], recorder.opened[1]);
    QVERIFY2(link.contains(recorder.opened[1].toDisplayString(QUrl::PreferLocalFile).toHtmlEscaped()),
             qPrintable(link));
    if (QStringLiteral(QUILLON_HOME_PAGE).isEmpty()) {
      QVERIFY(recorder.opened[0].isLocalFile());
      QVERIFY2(QFile::exists(recorder.opened[0].toLocalFile()), qPrintable(recorder.opened[0].toString()));
    }
  }
};

QUILLON_REGISTER_TEST(CommandsHelpTest);

}  // namespace quillon::test

#include "commands_help_test.moc"
