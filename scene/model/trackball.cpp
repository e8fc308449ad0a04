#include "scene/model/trackball.h"

#include <algorithm>
#include <cmath>

namespace quillon {

float ProjectToTrackball(float radius, float x, float y) {
  const double r = radius;
  const double d = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
  if (0.7071 * r > d) return static_cast<float>(std::sqrt(r * r - d * d));
  const double t = r / 1.414;
  return static_cast<float>(t * t / d);
}

Quat Trackball(float p1x, float p1y, float p2x, float p2y, int32_t rotationAxisMode) {
  if (p1x == p2x && p1y == p2y) return kIdentityQuat;
  const float r = kTrackballRadius;
  const Vec3 a1{p1x, p1y, ProjectToTrackball(r, p1x, p1y)};
  const Vec3 a2{p2x, p2y, ProjectToTrackball(r, p2x, p2y)};

  Vec3 axis{};
  switch (rotationAxisMode) {
    case 1:  // P2 x P1
      axis = {a2[1] * a1[2] - a2[2] * a1[1], a2[2] * a1[0] - a2[0] * a1[2], a2[0] * a1[1] - a2[1] * a1[0]};
      break;
    case 2:
      axis = {0.0f, 0.0f, p1x < p2x ? 1.0f : -1.0f};
      break;
    case 3:
      axis = {p1y < p2y ? 1.0f : -1.0f, 0.0f, 0.0f};
      break;
    case 4:
      axis = {0.0f, p1x > p2x ? 1.0f : -1.0f, 0.0f};
      break;
    default:
      return kIdentityQuat;
  }

  const double dx = static_cast<double>(a1[0]) - a2[0];
  const double dy = static_cast<double>(a1[1]) - a2[1];
  const double dz = static_cast<double>(a1[2]) - a2[2];
  const double s = std::clamp(std::sqrt(dx * dx + dy * dy + dz * dz) / (2.0 * r), -1.0, 1.0);
  const double phi = 2.0 * std::asin(s);
  return AxisToQuat(axis, static_cast<float>(phi));
}

}  // namespace quillon
