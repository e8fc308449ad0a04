#include "scene/light_gl.h"

#include <GL/gl.h>

namespace quillon {

void SetLight(const Cls10& light) {
  if (!light.Enabled) {
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    return;
  }
  const auto& pos = light.PositionArray();
  glLightfv(GL_LIGHT0, GL_POSITION, pos.data());
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light.DiffuseArray().data());
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.AmissionArray().data());
  glLightfv(GL_LIGHT0, GL_SPECULAR, light.SpecularArray().data());

  // The second light stands opposite the first so the far side of a surface is lit too.
  const GLfloat mirrored[4] = {-pos[0], -pos[1], -pos[2], 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, mirrored);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, light.DiffuseArray().data());
  glLightfv(GL_LIGHT1, GL_AMBIENT, light.AmissionArray().data());
  glLightfv(GL_LIGHT1, GL_SPECULAR, light.SpecularArray().data());

  // The global ambient switch is one value: it becomes a grey (g, g, g) with alpha 1, so
  // "on" is white ambient light and "off" is none.
  const GLfloat g = light.GlobalAmbient(0);
  const GLfloat ambient[4] = {g, g, g, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, light.TwoSides(0));

  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
}

}  // namespace quillon
