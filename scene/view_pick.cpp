#include "scene/view_pick.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "common/program_state.h"
#include "scene/model/quaternion.h"

namespace quillon {

namespace {

std::array<double, 16> Multiply(const std::array<double, 16>& a, const std::array<double, 16>& b) {
  std::array<double, 16> r{};
  for (int c = 0; c < 4; ++c)
    for (int row = 0; row < 4; ++row) {
      double sum = 0.0;
      for (int i = 0; i < 4; ++i) sum += a[i * 4 + row] * b[c * 4 + i];
      r[c * 4 + row] = sum;
    }
  return r;
}

}  // namespace

ViewTransform CurrentViewTransform(const Cls4& camera, Cls8& drawScene) {
  // The same steps as Cls4::Projection, on a copy so the camera keeps its near distance.
  Cls4 c = camera;
  c.Volleft = -c.VolWidth / 2.0f;
  c.VolRight = c.VolWidth / 2.0f;
  c.VolBottom = -c.VolHeight / 2.0f;
  c.VolTop = c.VolHeight / 2.0f;
  ViewTransform view;
  if (c.ProjectType == 2) {
    const Cls1 box =
        drawScene.GetBox(0, false, Cls1::Empty());  // surfaces and maps take no plane-curve extent
    c.VolNear = static_cast<float>(c.PerspectiveNear(box));
    view.projection = c.ProjectionMatrix(box);
  } else {
    view.projection = c.ProjectionMatrix(Cls1{});
  }
  const std::array<float, 16> rotation = BuildRotMatrix(State().CurrentRotation);
  std::array<double, 16> orientation{};
  std::copy(rotation.begin(), rotation.end(), orientation.begin());
  view.modelView = Multiply(c.ModelViewMatrix(), orientation);
  view.viewport = {0, 0, static_cast<int>(std::lround(c.ScreenWidth)),
                   static_cast<int>(std::lround(c.ScreenHeight))};
  return view;
}

std::optional<std::array<double, 3>> Unproject(const ViewTransform& view, double x, double y, double depth) {
  std::array<double, 3> p{};
  const double glY = view.viewport[3] - y;
  if (gluUnProject(x, glY, depth, view.modelView.data(), view.projection.data(), view.viewport.data(), &p[0],
                   &p[1], &p[2]) != GL_TRUE)
    return std::nullopt;
  return p;
}

std::optional<std::array<double, 2>> PickOnMapPlane(const ViewTransform& view, double x, double y) {
  const auto nearPoint = Unproject(view, x, y, 0.0);
  const auto farPoint = Unproject(view, x, y, 1.0);
  if (!nearPoint || !farPoint) return std::nullopt;
  const double dz = (*farPoint)[2] - (*nearPoint)[2];
  if (std::fabs(dz) < 1e-12) return std::nullopt;
  const double t = -(*nearPoint)[2] / dz;
  return std::array<double, 2>{(*nearPoint)[0] + t * ((*farPoint)[0] - (*nearPoint)[0]),
                               (*nearPoint)[1] + t * ((*farPoint)[1] - (*nearPoint)[1])};
}

std::optional<PlaneRect> VisibleMapPlane(const ViewTransform& view) {
  const double w = view.viewport[2], h = view.viewport[3];
  if (w <= 0 || h <= 0) return std::nullopt;
  PlaneRect rect{1e300, -1e300, 1e300, -1e300};
  for (const auto& corner : {std::array<double, 2>{0, 0}, {w, 0}, {0, h}, {w, h}}) {
    const auto p = PickOnMapPlane(view, corner[0], corner[1]);
    if (!p) return std::nullopt;
    rect.minX = std::min(rect.minX, (*p)[0]);
    rect.maxX = std::max(rect.maxX, (*p)[0]);
    rect.minY = std::min(rect.minY, (*p)[1]);
    rect.maxY = std::max(rect.maxY, (*p)[1]);
  }
  return rect;
}

}  // namespace quillon
