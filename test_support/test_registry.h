#pragma once
// The QtTest classes of one folder live in one executable: each file registers its class
// here and the folder's test_main.cpp runs them one after the other in one application.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace quillon::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& RegisteredTests();

// Runs every registered class with QTest::qExec; 0 when all passed. Needs the application.
int RunRegisteredTests();

template <class T>
struct RegisterTest {
  RegisterTest() {
    RegisteredTests().push_back([] { return std::unique_ptr<QObject>(new T); });
  }
};

}  // namespace quillon::test

#define QUILLON_REGISTER_TEST(Class) static ::quillon::test::RegisterTest<Class> register_##Class
