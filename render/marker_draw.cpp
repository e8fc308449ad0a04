#include "render/marker_draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "common/color.h"
#include "common/program_state.h"

namespace quillon {

namespace {

constexpr int kRimSegments = 20;
constexpr float kRimStep = 0.31416f;  // a twentieth of a turn, as the rim has always used

// Rim point i of a circle of radius r around (x, y) in the plane z = 0.
void RimVertex(float x, float y, float r, int i) {
  const float angle = static_cast<float>(i) * kRimStep;
  glVertex3f(x + r * std::cos(angle), y + r * std::sin(angle), 0.0f);
}

void FilledDisc(const Cls2& m, float r) {
  glBegin(GL_TRIANGLES);
  for (int i = 0; i < kRimSegments; ++i) {
    RimVertex(m.x, m.y, r, i);
    RimVertex(m.x, m.y, r, i + 1);
    glVertex3f(m.x, m.y, m.z);
  }
  glEnd();
}

void DrawPlaneSymbol(const Cls2& m, float r, float g, float b) {
  glColor3f(r, g, b);
  switch (m.Symbol) {
    case 1:
      FilledDisc(m, MarkerRadius(m.Size));
      break;
    case 2: {
      const float radius = 0.04f * m.Size + 0.05f;
      glColor3f(1.0f, 1.0f, 1.0f);
      FilledDisc(m, radius);
      glLineWidth(1.0f);
      glColor3f(r, g, b);
      glBegin(GL_LINES);
      for (int i = 0; i < kRimSegments; ++i) {
        RimVertex(m.x, m.y, radius, i);
        RimVertex(m.x, m.y, radius, i + 1);
      }
      glEnd();
      break;
    }
    case 3: {
      const float h = 0.05f * m.Size;
      glBegin(GL_QUADS);
      glVertex3f(m.x - h, m.y + h, 0.0f);
      glVertex3f(m.x - h, m.y - h, 0.0f);
      glVertex3f(m.x + h, m.y - h, 0.0f);
      glVertex3f(m.x + h, m.y + h, 0.0f);
      glEnd();
      break;
    }
    case 4: {
      const float d = 0.075f * m.Size;
      glBegin(GL_TRIANGLES);
      glVertex3f(m.x, m.y + d, 0.0f);
      glVertex3f(m.x - d, m.y - d, 0.0f);
      glVertex3f(m.x + d, m.y - d, 0.0f);
      glEnd();
      break;
    }
    case 5: {
      const float d = 0.075f * m.Size;
      glBegin(GL_QUADS);
      glVertex3f(m.x, m.y + d, 0.0f);
      glVertex3f(m.x - d, m.y, 0.0f);
      glVertex3f(m.x, m.y - d, 0.0f);
      glVertex3f(m.x + d, m.y, 0.0f);
      glEnd();
      break;
    }
    case 6: {
      const float d = 0.075f * m.Size;
      glLineWidth(m.Size);
      glBegin(GL_LINES);
      glVertex3f(m.x, m.y + d, 0.0f);
      glVertex3f(m.x, m.y - d, 0.0f);
      glEnd();
      glBegin(GL_LINES);
      glVertex3f(m.x - d, m.y, 0.0f);
      glVertex3f(m.x + d, m.y, 0.0f);
      glEnd();
      break;
    }
    default:
      break;
  }
}

void DrawSphere(const Cls2& m, float r, float g, float b) {
  glColor3f(r, g, b);
  glTranslatef(m.x, m.y, m.z);
  GLUquadric* quadric = gluNewQuadric();
  if (!quadric) return;  // out of memory: nothing to draw with
  gluSphere(quadric, MarkerRadius(m.Size), 32, 32);
  gluDeleteQuadric(quadric);
}

}  // namespace

void Draw(const Cls2& marker) {
  const ColorParts c = SplitColor(marker.Color);
  const float r = static_cast<float>(c.r);
  const float g = static_cast<float>(c.g);
  const float b = static_cast<float>(c.b);
  glPushMatrix();
  if (State().SceneKind == 1) {
    DrawPlaneSymbol(marker, r, g, b);
  } else {
    DrawSphere(marker, r, g, b);
  }
  glPopMatrix();
}

}  // namespace quillon
