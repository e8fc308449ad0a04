#include "common/memory_budget.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/runtime_error.h"

namespace quillon {
namespace {

TEST(MemoryBudgetTest, ARequestFitsUpToTheBudgetAndTheRefusalSaysWhatAndHowMuch) {
  SetMemoryBudgetOverride(uint64_t{300} << 20);
  EXPECT_NO_THROW(CheckMemory(uint64_t{300} << 20, "x"));
  try {
    CheckMemory((uint64_t{300} << 20) + 1, "Graph 7 (z): a grid of 4001 x 4001 points");
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOutOfMemory);
    EXPECT_EQ(e.Description(),
              "Graph 7 (z): a grid of 4001 x 4001 points needs 301 MB of memory; only 300 MB is free.");
  }
  EXPECT_FALSE(RefuseAllocation(uint64_t{300} << 20, "x"));
  EXPECT_EQ(*RefuseAllocation(SaturatingMultiply(uint64_t{1} << 40, uint64_t{1} << 40), "x"),
            "x needs more than can be counted of memory; only 300 MB is free.");
  SetMemoryBudgetOverride(std::nullopt);
  // Measured: something fits, and not more than the machine has.
  EXPECT_GT(MemoryBudget(), 0u);
  EXPECT_LT(MemoryBudget(), uint64_t{1} << 50);
}

TEST(MemoryBudgetTest, SumsAndProductsSaturateInsteadOfWrapping) {
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  EXPECT_EQ(SaturatingAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(SaturatingAdd(kMax, 1), kMax);
  EXPECT_EQ(SaturatingMultiply(uint64_t{1} << 32, uint64_t{1} << 32), kMax);
  EXPECT_EQ(SaturatingMultiply(8192u * 8192u, 4u), uint64_t{268435456});
  EXPECT_EQ(SaturatingMultiply(0, kMax), 0u);
}

TEST(MemoryBudgetTest, ReadableBytes) {
  const std::pair<uint64_t, const char*> cases[] = {{1, "1 KB"},
                                                    {1024 * 1024 - 1, "1024 KB"},
                                                    {uint64_t{1} << 20, "1 MB"},
                                                    {(uint64_t{3} << 30) / 2, "1.5 GB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ReadableBytes(bytes), text) << bytes;
}

}  // namespace
}  // namespace quillon
