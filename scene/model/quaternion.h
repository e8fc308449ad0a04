#pragma once
// Rotation quaternions of the scene's orientation: (x, y, z, w), the vector part first and
// the scalar last; the identity is (0, 0, 0, 1).

#include <array>

namespace quillon {

using Quat = std::array<float, 4>;
using Vec3 = std::array<float, 3>;

inline constexpr Quat kIdentityQuat{0.0f, 0.0f, 0.0f, 1.0f};

// The rotation by phi radians about the axis a (any length; normalised first). An axis of
// length 0 names no rotation and gives the identity.
Quat AxisToQuat(const Vec3& a, float phi);

// The rotation q1 followed by q2, normalised (a length of 0 counts as 1).
Quat AddQuats(const Quat& q1, const Quat& q2);

// The 4 x 4 rotation matrix of q, in the order the OpenGL matrix multiply takes it.
std::array<float, 16> BuildRotMatrix(const Quat& q);

}  // namespace quillon
