#include "test_support/test_registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

namespace quillon::test {

std::vector<TestFactory>& RegisteredTests() {
  static std::vector<TestFactory> tests;
  return tests;
}

int RunRegisteredTests() {
  // Each class also logs to a file of its own, so the failures of a long run can be repeated
  // at its end, where a reader of a cut log still finds them.
  const QStringList arguments = QCoreApplication::arguments();
  const bool ownOutput = arguments.contains(QStringLiteral("-o"));
  QTemporaryDir logs;
  int failures = 0;
  QStringList failureLines;
  int index = 0;
  for (const auto& factory : RegisteredTests()) {
    std::unique_ptr<QObject> test = factory();
    if (ownOutput || !logs.isValid()) {
      failures += QTest::qExec(test.get(), arguments);
      continue;
    }
    const QString log = logs.filePath(QStringLiteral("class%1.txt").arg(index++));
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

}  // namespace quillon::test
