#include "scene/model/quaternion.h"

#include <cmath>

namespace quillon {

Quat AxisToQuat(const Vec3& a, float phi) {
  const double length = std::sqrt(static_cast<double>(a[0]) * a[0] + static_cast<double>(a[1]) * a[1] +
                                  static_cast<double>(a[2]) * a[2]);
  // A degenerate drag (both trackball points on one ray) has no axis; turning by nothing is
  // what the user expects, where dividing by 0 would poison the orientation with NaNs.
  if (length == 0.0) return kIdentityQuat;
  const double half = static_cast<double>(phi) / 2.0;
  const double s = std::sin(half) / length;
  return Quat{static_cast<float>(a[0] * s), static_cast<float>(a[1] * s), static_cast<float>(a[2] * s),
              static_cast<float>(std::cos(half))};
}

Quat AddQuats(const Quat& q1, const Quat& q2) {
  const float x1 = q1[0], y1 = q1[1], z1 = q1[2], w1 = q1[3];
  const float x2 = q2[0], y2 = q2[1], z2 = q2[2], w2 = q2[3];
  // Vector part: q1.v w2 + q2.v w1 + q2.v x q1.v; scalar: w1 w2 - q1.v . q2.v.
  float x = x1 * w2 + x2 * w1 + (y2 * z1 - z2 * y1);
  float y = y1 * w2 + y2 * w1 + (z2 * x1 - x2 * z1);
  float z = z1 * w2 + z2 * w1 + (x2 * y1 - y2 * x1);
  float w = w1 * w2 - (x1 * x2 + y1 * y2 + z1 * z2);
  double length = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y +
                            static_cast<double>(z) * z + static_cast<double>(w) * w);
  if (length == 0.0) length = 1.0;
  return Quat{static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length),
              static_cast<float>(w / length)};
}

std::array<float, 16> BuildRotMatrix(const Quat& q) {
  const float x = q[0], y = q[1], z = q[2], w = q[3];
  return {1.0f - 2.0f * (y * y + z * z),
          2.0f * (x * y - z * w),
          2.0f * (z * x + y * w),
          0.0f,
          2.0f * (x * y + z * w),
          1.0f - 2.0f * (z * z + x * x),
          2.0f * (y * z - x * w),
          0.0f,
          2.0f * (z * x - y * w),
          2.0f * (y * z + x * w),
          1.0f - 2.0f * (y * y + x * x),
          0.0f,
          0.0f,
          0.0f,
          0.0f,
          1.0f};
}

}  // namespace quillon
