// The allocation check: sizes at and past the limit, sums and products that would wrap.

#include "common/allocation_limit.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillon {
namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST(MemoryBudgetTest, RefusesOnlyPastTheLimitAndSaysWhatAndHowMuch) {
  EXPECT_FALSE(RefuseAllocation(1000, "The picture", 1000));
  const auto refused = RefuseAllocation(2'000'000'000, "The picture", 1'000'000'000);
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "The picture needs 2.0 GB of memory; at most 1.0 GB may be used on this machine.");
  EXPECT_TRUE(RefuseAllocation(SaturatingMultiply(uint64_t{1} << 40, uint64_t{1} << 40), "x"));
  EXPECT_GT(AllocationLimitBytes(), 0u);
}

TEST(MemoryBudgetTest, SumsAndProductsSaturateInsteadOfWrapping) {
  EXPECT_EQ(SaturatingAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(SaturatingAdd(kMax, 1), kMax);
  EXPECT_EQ(SaturatingMultiply(uint64_t{1} << 32, uint64_t{1} << 32), kMax);
  EXPECT_EQ(SaturatingMultiply(8192u * 8192u, 4u), uint64_t{268435456});
  EXPECT_EQ(SaturatingMultiply(0, kMax), 0u);
}

}  // namespace
}  // namespace quillon
