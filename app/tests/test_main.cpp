// Runs every registered window test class in one QApplication, with the OpenGL format the
// program itself asks for.

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "app/gl_format.h"
#include "app/tests/test_registry.h"

namespace quillon::test {

std::vector<TestFactory>& RegisteredTests() {
  static std::vector<TestFactory> tests;
  return tests;
}

}  // namespace quillon::test

int main(int argc, char** argv) {
  quillon::InstallDefaultGlFormat();
  // Settings (recent files) go to a folder of this run, never to the user's own.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  // Each class also logs to a file of its own, so the failures of a long run can be repeated
  // at its end, where a reader of a cut log still finds them.
  QStringList arguments = app.arguments();
  const bool ownOutput = arguments.contains(QStringLiteral("-o"));
  int failures = 0;
  QStringList failureLines;
  int index = 0;
  for (const auto& factory : quillon::test::RegisteredTests()) {
    std::unique_ptr<QObject> test = factory();
    if (ownOutput) {
      failures += QTest::qExec(test.get(), arguments);
      continue;
    }
    const QString log = settings.filePath(QStringLiteral("class%1.txt").arg(index++));
    const int failed = QTest::qExec(test.get(), QStringList(arguments)
                                                    << QStringLiteral("-o") << log + QStringLiteral(",txt")
                                                    << QStringLiteral("-o") << QStringLiteral("-,txt"));
    failures += failed;
    if (failed == 0) continue;
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    for (const QByteArray& line : file.readAll().split('\n')) {
      if (line.startsWith("FAIL!") || line.trimmed().startsWith("Loc:"))
        failureLines << QString::fromUtf8(line);
    }
  }
  if (!failureLines.isEmpty())
    std::printf("\nFailures of this run:\n%s\n", qPrintable(failureLines.join('\n')));
  return failures == 0 ? 0 : 1;
}
