#include "expr/value_stack.h"

#include <gtest/gtest.h>

#include <string>

#include "common/runtime_error.h"

namespace quillon {
namespace {

TEST(Cls13, PushPopInLastInFirstOutOrderAcrossGrowth) {
  Cls13 stack;
  for (int i = 0; i < 25; ++i) stack.Push(static_cast<double>(i));
  stack.Push(std::string("ZZ"));
  EXPECT_EQ(stack.StackSize(), 26);
  EXPECT_EQ(std::get<std::string>(stack.GetPopValue()), "ZZ");
  EXPECT_EQ(std::get<std::string>(stack.Pop()), "ZZ");
  for (int i = 24; i >= 0; --i) EXPECT_EQ(std::get<double>(stack.Pop()), i);
  EXPECT_EQ(stack.StackSize(), 0);
}

TEST(Cls13, EmptyStackRaisesItsOwnErrors) {
  Cls13 stack;
  try {
    stack.Pop();
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 1011);
    EXPECT_EQ(e.Description(), "Pop method invoked on empty stack");
  }
  try {
    stack.GetPopValue();
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 1012);
    EXPECT_EQ(e.Description(), "GetPopValue method invoked on empty stack");
  }
}

}  // namespace
}  // namespace quillon
