#include <gtest/gtest.h>

#include <cmath>

#include "scene/model/quaternion.h"
#include "scene/model/trackball.h"

namespace quillon {
namespace {

constexpr float kTol = 1e-6f;

void ExpectQuat(const Quat& q, float x, float y, float z, float w, float tol = kTol) {
  EXPECT_NEAR(q[0], x, tol);
  EXPECT_NEAR(q[1], y, tol);
  EXPECT_NEAR(q[2], z, tol);
  EXPECT_NEAR(q[3], w, tol);
}

TEST(AxisToQuat, NormalisesTheAxis) {
  ExpectQuat(AxisToQuat({0.0f, 0.0f, 2.0f}, static_cast<float>(M_PI)), 0.0f, 0.0f, 1.0f, 0.0f);
  const float h = std::sin(0.25f);
  ExpectQuat(AxisToQuat({3.0f, 0.0f, 4.0f}, 0.5f), 0.6f * h, 0.0f, 0.8f * h, std::cos(0.25f));
  // No axis, no rotation.
  ExpectQuat(AxisToQuat({0.0f, 0.0f, 0.0f}, 1.0f), 0.0f, 0.0f, 0.0f, 1.0f);
}

TEST(AddQuats, ComposesRotationsAndNormalises) {
  const Quat q = AxisToQuat({1.0f, 2.0f, 3.0f}, 0.7f);
  const Quat a = AddQuats(kIdentityQuat, q);
  const Quat b = AddQuats(q, kIdentityQuat);
  ExpectQuat(a, q[0], q[1], q[2], q[3]);
  ExpectQuat(b, q[0], q[1], q[2], q[3]);

  // A quarter turn about z twice is a half turn.
  const Quat quarter = AxisToQuat({0.0f, 0.0f, 1.0f}, static_cast<float>(M_PI / 2));
  ExpectQuat(AddQuats(quarter, quarter), 0.0f, 0.0f, 1.0f, 0.0f);

  // About x, then about y: q1 first. Compare with the product q2 * q1.
  const Quat rx = AxisToQuat({1.0f, 0.0f, 0.0f}, static_cast<float>(M_PI / 2));
  const Quat ry = AxisToQuat({0.0f, 1.0f, 0.0f}, static_cast<float>(M_PI / 2));
  ExpectQuat(AddQuats(rx, ry), 0.5f, 0.5f, -0.5f, 0.5f);

  // Unnormalised input comes back with length 1.
  const Quat n = AddQuats({0.0f, 0.0f, 0.0f, 2.0f}, {0.0f, 0.0f, 0.0f, 3.0f});
  ExpectQuat(n, 0.0f, 0.0f, 0.0f, 1.0f);

  // A zero-length result is divided by 1, not by 0.
  const Quat zero = AddQuats({0.0f, 0.0f, 0.0f, 0.0f}, {0.3f, 0.0f, 0.0f, 0.5f});
  ExpectQuat(zero, 0.0f, 0.0f, 0.0f, 0.0f);
}

TEST(BuildRotMatrix, IdentityAndAQuarterTurn) {
  const auto id = BuildRotMatrix(kIdentityQuat);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(id[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;

  const auto m = BuildRotMatrix(AxisToQuat({0.0f, 0.0f, 1.0f}, static_cast<float>(M_PI / 2)));
  const float expected[16] = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], kTol) << i;
}

TEST(Trackball, EqualPointsGiveTheIdentity) {
  for (int mode = 1; mode <= 4; ++mode) ExpectQuat(Trackball(0.2f, -0.1f, 0.2f, -0.1f, mode), 0, 0, 0, 1);
  ExpectQuat(Trackball(0.0f, 0.0f, 0.3f, 0.0f, 0), 0, 0, 0, 1);  // no rotation mode chosen
}

TEST(Trackball, ProjectsOntoSphereThenHyperbola) {
  EXPECT_FLOAT_EQ(ProjectToTrackball(0.5f, 0.0f, 0.0f), 0.5f);
  EXPECT_FLOAT_EQ(ProjectToTrackball(0.5f, 0.3f, 0.0f), 0.4f);
  const double t = 0.5 / 1.414;
  EXPECT_FLOAT_EQ(ProjectToTrackball(0.5f, 0.6f, 0.8f), static_cast<float>(t * t / 1.0));
}

TEST(Trackball, FixedAxisModesTurnAboutTheViewerAxes) {
  // Horizontal drag through the centre: both points at the same height, chord 0.2.
  const double dist = std::hypot(0.2, 0.0);
  const double phi = 2.0 * std::asin(dist / 1.0);
  const float s = static_cast<float>(std::sin(phi / 2)), c = static_cast<float>(std::cos(phi / 2));
  ExpectQuat(Trackball(-0.1f, 0.0f, 0.1f, 0.0f, 2), 0.0f, 0.0f, s, c);   // left to right: +z
  ExpectQuat(Trackball(0.1f, 0.0f, -0.1f, 0.0f, 2), 0.0f, 0.0f, -s, c);  // right to left: -z
  ExpectQuat(Trackball(0.1f, 0.0f, -0.1f, 0.0f, 4), 0.0f, s, 0.0f, c);   // mode 4: +y when p1.x > p2.x
  ExpectQuat(Trackball(0.0f, -0.1f, 0.0f, 0.1f, 3), s, 0.0f, 0.0f, c);   // upwards: +x
  ExpectQuat(Trackball(0.0f, 0.1f, 0.0f, -0.1f, 3), -s, 0.0f, 0.0f, c);
}

TEST(Trackball, FreeModeTurnsAboutP2CrossP1) {
  // A drag to the right turns the ball about the viewer's -y (P2 x P1), by the chord angle.
  const Quat q = Trackball(0.0f, 0.0f, 0.2f, 0.0f, 1);
  const double z2 = std::sqrt(0.25 - 0.04);
  const double chord = std::hypot(0.2, 0.5 - z2);
  const double half = std::asin(chord);
  ExpectQuat(q, 0.0f, static_cast<float>(-std::sin(half)), 0.0f, static_cast<float>(std::cos(half)));
  // Far drags clamp the chord: at most a half turn.
  const Quat far = Trackball(-3.0f, 0.0f, 3.0f, 0.0f, 2);
  ExpectQuat(far, 0.0f, 0.0f, 1.0f, 0.0f, 1e-6f);
}

}  // namespace
}  // namespace quillon
