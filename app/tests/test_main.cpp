// Runs every registered window test class in one QApplication, with the OpenGL format the
// program itself asks for.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

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
  int failures = 0;
  for (const auto& factory : quillon::test::RegisteredTests()) {
    std::unique_ptr<QObject> test = factory();
    failures += QTest::qExec(test.get(), argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
