#include "common/color.h"

namespace quillon {

ColorParts SplitColor(int32_t color) {
  // Integer division truncates toward zero, as the colour rule says, also for negative values.
  const int64_t c = color;
  const int64_t b = c / 65536;
  const int64_t g = (c - 65536 * b) / 256;
  const int64_t r = c - 65536 * b - 256 * g;
  return ColorParts{static_cast<double>(r) / 255.0, static_cast<double>(g) / 255.0,
                    static_cast<double>(b) / 255.0};
}

}  // namespace quillon
