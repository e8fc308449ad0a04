#include "scene/camera_gl.h"

#include <GL/gl.h>

#include <array>

namespace quillon {

void SetScreen(Cls4& camera, int32_t x, int32_t y) {
  glViewport(0, 0, x, y);
  camera.SetScreenSize(x, y);
}

void Projection(Cls4& camera, Cls8& drawScene, const Cls1& planeCurveBox) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glRenderMode(GL_RENDER);
  // Only the perspective frustum depends on the scene, so only it asks for the box.
  const Cls1 box = camera.ProjectType == 2 ? drawScene.GetBox(0, false, planeCurveBox) : Cls1{};
  const std::array<double, 16> projection = camera.UpdateProjection(box);
  glLoadMatrixd(projection.data());
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const std::array<double, 16> modelView = camera.ModelViewMatrix();
  glLoadMatrixd(modelView.data());
}

}  // namespace quillon
