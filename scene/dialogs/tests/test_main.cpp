// Runs every registered scene dialog test class in one QApplication.

#include <QApplication>

#include "test_support/test_registry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return quillon::test::RunRegisteredTests();
}
