// Runs every registered window test class in one QApplication, with the OpenGL format the
// program itself asks for.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/gl_format.h"
#include "test_support/test_registry.h"

int main(int argc, char** argv) {
  quillon::InstallDefaultGlFormat();
  // Settings (recent files) go to a folder of this run, never to the user's own.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  return quillon::test::RunRegisteredTests();
}
