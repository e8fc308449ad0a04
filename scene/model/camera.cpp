#include "scene/model/camera.h"

#include <algorithm>
#include <cmath>

#include "common/runtime_error.h"
#include "common/single.h"

namespace quillon {

namespace {

using Matrix = std::array<double, 16>;

Matrix Identity() {
  return Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// glOrtho's matrix; a degenerate volume is refused as GL refuses it (identity kept).
Matrix Ortho(double l, double r, double b, double t, double n, double f) {
  if (l == r || b == t || n == f) return Identity();
  Matrix m{};
  m[0] = 2.0 / (r - l);
  m[5] = 2.0 / (t - b);
  m[10] = -2.0 / (f - n);
  m[12] = -(r + l) / (r - l);
  m[13] = -(t + b) / (t - b);
  m[14] = -(f + n) / (f - n);
  m[15] = 1.0;
  return m;
}

// glFrustum's matrix, with the same refusals as GL.
Matrix Frustum(double l, double r, double b, double t, double n, double f) {
  if (l == r || b == t || n == f || n <= 0.0 || f <= 0.0) return Identity();
  Matrix m{};
  m[0] = 2.0 * n / (r - l);
  m[5] = 2.0 * n / (t - b);
  m[8] = (r + l) / (r - l);
  m[9] = (t + b) / (t - b);
  m[10] = -(f + n) / (f - n);
  m[11] = -1.0;
  m[14] = -2.0 * f * n / (f - n);
  return m;
}

struct V3 {
  double x, y, z;
};

V3 Cross(const V3& a, const V3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Unit length; the zero vector stays zero (as the look-at transform of GLU treats it).
V3 Normalized(const V3& v) {
  const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (len == 0.0) return v;
  return {v.x / len, v.y / len, v.z / len};
}

double LargestExtent(const Cls1& box) {
  double e = static_cast<double>(box.MaxX) - box.MinX;
  e = std::max(e, static_cast<double>(box.MaxY) - box.MinY);
  e = std::max(e, static_cast<double>(box.MaxZ) - box.MinZ);
  return e;
}

}  // namespace

float Cls4::VecUp(int32_t lngIndex) const {
  CheckIndex(lngIndex, 3);
  return vecUp_[lngIndex];
}

void Cls4::SetVecUp(int32_t lngIndex, float value) {
  CheckIndex(lngIndex, 3);
  vecUp_[lngIndex] = value;
}

void Cls4::GetViewRect(float& Wide, float& Height) const {
  Wide = VolWidth;
  Height = VolHeight;
}

void Cls4::SetVecup(float x, float y, float z) {
  vecUp_ = {x, y, z};
}

void Cls4::SetRef(float x, float y, float z) {
  refPos_.x = x;
  refPos_.y = y;
  refPos_.z = z;
}

void Cls4::SetEye(float x, float y, float z) {
  eyePos_.x = x;
  eyePos_.y = y;
  eyePos_.z = z;
}

void Cls4::SetViewRect(float /*Wide*/, float Height) {
  VolHeight = Height;
  VolWidth = ToSingle(CheckedDivide(static_cast<double>(Height) * ScreenWidth, ScreenHeight));
}

void Cls4::SetScreenSize(int32_t x, int32_t y) {
  if (y == 0) y = 1;
  ScreenWidth = static_cast<float>(x);
  ScreenHeight = static_cast<float>(y);
}

void Cls4::MoveView(float dx, float dy) {
  V3 v{static_cast<double>(refPos_.x) - eyePos_.x, static_cast<double>(refPos_.y) - eyePos_.y,
       static_cast<double>(refPos_.z) - eyePos_.z};
  // With the eye on the reference point there is no viewing direction; pan as the camera
  // always looks, along -z.
  if (v.x == 0.0 && v.y == 0.0 && v.z == 0.0) v = {0.0, 0.0, -1.0};
  v = Normalized(v);
  const V3 up{vecUp_[0], vecUp_[1], vecUp_[2]};
  const V3 r = Cross(v, up);
  const V3 u = Cross(r, v);
  const double w = VolWidth, h = VolHeight;
  const double shift[3] = {r.x * w * dx + u.x * h * dy, r.y * w * dx + u.y * h * dy,
                           r.z * w * dx + u.z * h * dy};
  for (Cls2* p : {&eyePos_, &refPos_}) {
    p->x = ToSingle(CheckedFinite(p->x - shift[0]));
    p->y = ToSingle(CheckedFinite(p->y - shift[1]));
    p->z = ToSingle(CheckedFinite(p->z - shift[2]));
  }
}

void Cls4::ZoomAll(float MinX, float MinY, float MinZ, float MaxX, float MaxY, float MaxZ) {
  const Cls1 box = Cls1::Of(MinX, MaxX, MinY, MaxY, MinZ, MaxZ);
  const float e = ToSingle(CheckedFinite(LargestExtent(box)));
  SetViewRect(e, e);
  const float ox = eyePos_.x - refPos_.x, oy = eyePos_.y - refPos_.y, oz = eyePos_.z - refPos_.z;
  refPos_.x = ToSingle((static_cast<double>(MinX) + MaxX) / 2.0);
  refPos_.y = ToSingle((static_cast<double>(MinY) + MaxY) / 2.0);
  refPos_.z = ToSingle((static_cast<double>(MinZ) + MaxZ) / 2.0);
  eyePos_.x = ToSingle(static_cast<double>(refPos_.x) + ox);
  eyePos_.y = ToSingle(static_cast<double>(refPos_.y) + oy);
  eyePos_.z = ToSingle(static_cast<double>(refPos_.z) + oz);
}

void Cls4::Zoom(float scal) {
  if (!(scal > 0.0f)) return;
  VolWidth = ToSingle(static_cast<double>(VolWidth) * scal);
  VolHeight = ToSingle(static_cast<double>(VolHeight) * scal);
}

double Cls4::PerspectiveNear(const Cls1& sceneBox) const {
  double e = LargestExtent(sceneBox);
  if (!(e > 0.0)) e = 0.0;  // an empty scene's inverted box, or a point
  const double n = 1000.0 - e;
  if (n > 0.0) return n;
  return std::max(0.001 * static_cast<double>(VolFar), 0.01);
}

std::array<double, 16> Cls4::ProjectionMatrix(const Cls1& sceneBox) const {
  const double l = -VolWidth / 2.0, r = VolWidth / 2.0, b = -VolHeight / 2.0, t = VolHeight / 2.0;
  if (ProjectType == 1) return Ortho(l, r, b, t, VolNear, VolFar);
  if (ProjectType == 2) return Frustum(l, r, b, t, PerspectiveNear(sceneBox), VolFar);
  return Identity();
}

std::array<double, 16> Cls4::ModelViewMatrix() const {
  const V3 eye{eyePos_.x, eyePos_.y, eyePos_.z};
  const V3 f = Normalized(V3{refPos_.x - eye.x, refPos_.y - eye.y, refPos_.z - eye.z});
  const V3 s = Normalized(Cross(f, V3{vecUp_[0], vecUp_[1], vecUp_[2]}));
  const V3 u = Cross(s, f);
  Matrix m{};
  m[0] = s.x;
  m[4] = s.y;
  m[8] = s.z;
  m[1] = u.x;
  m[5] = u.y;
  m[9] = u.z;
  m[2] = -f.x;
  m[6] = -f.y;
  m[10] = -f.z;
  m[12] = -(s.x * eye.x + s.y * eye.y + s.z * eye.z);
  m[13] = -(u.x * eye.x + u.y * eye.y + u.z * eye.z);
  m[14] = f.x * eye.x + f.y * eye.y + f.z * eye.z;
  m[15] = 1.0;
  return m;
}

std::array<double, 16> Cls4::UpdateProjection(const Cls1& sceneBox) {
  Volleft = -VolWidth / 2.0f;
  VolRight = VolWidth / 2.0f;
  VolBottom = -VolHeight / 2.0f;
  VolTop = VolHeight / 2.0f;
  const Matrix m = ProjectionMatrix(sceneBox);
  // The orthographic volume keeps this small near distance from now on.
  if (ProjectType == 2) VolNear = 0.01f;
  return m;
}

}  // namespace quillon
