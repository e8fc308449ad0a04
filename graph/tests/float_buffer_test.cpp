// Table memory: small buffers come from the heap, large ones are mapped on a huge-page boundary
// and span whole huge pages; either way every float of the buffer is there to write and read.

#include <gtest/gtest.h>

#include <cstdint>

#include "graph/grid_table.h"

namespace quillon {
namespace {

TEST(FloatBuffer, EveryFloatIsUsableAndLargeBuffersStartOnAHugePage) {
  constexpr size_t kHuge = size_t{2} << 20;
  for (const size_t count :
       {size_t{1}, size_t{1000}, kHuge / 4 - 1, kHuge / 4, kHuge / 4 + 1, 3 * kHuge / 4 + 7}) {
    FloatBuffer buffer(count);
    ASSERT_EQ(buffer.capacity(), count);
    float* data = buffer.data();
    if (count * sizeof(float) >= kHuge) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % kHuge, 0u) << count;
    }
    for (size_t i = 0; i < count; i += 1021) data[i] = static_cast<float>(i);
    data[count - 1] = -1.0f;
    for (size_t i = 0; i + 1 < count; i += 1021) ASSERT_EQ(data[i], static_cast<float>(i)) << count;
    EXPECT_EQ(data[count - 1], -1.0f);
  }
}

}  // namespace
}  // namespace quillon
