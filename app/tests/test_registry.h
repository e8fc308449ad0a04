#pragma once
// All GUI test classes of the window live in one QtTest executable: each file registers
// its class here and test_main.cpp runs them one after the other.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace quillon::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& RegisteredTests();

template <class T>
struct RegisterTest {
  RegisterTest() {
    RegisteredTests().push_back([] { return std::unique_ptr<QObject>(new T); });
  }
};

}  // namespace quillon::test

#define QUILLON_REGISTER_TEST(Class) static ::quillon::test::RegisterTest<Class> register_##Class
