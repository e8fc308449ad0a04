// The flat frames: the integer-tick frame of colour maps, and the axes, background and grids
// of plane scenes.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "common/color.h"
#include "scene/axes_draw.h"
#include "scene/model/container.h"
#include "scene/text.h"

namespace quillon {

namespace {

// More ticks than this on one side would only paint a solid band; the frame stops there.
constexpr int32_t kMaxFlatTicks = 1000;
constexpr int32_t kMaxPlaneSteps = 50;
constexpr double kPi = 3.1416;

void Vertex(const ColorParts& c, float x, float y, float z) {
  glColor3d(c.r, c.g, c.b);
  glVertex3f(x, y, z);
}

std::string PlainNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  std::string s(text);
  if (s == "-0") s = "0";
  return s;
}

struct PlaneSteps {
  double x = 1.0, y = 1.0;
  int32_t negX = 0, posX = 0, negY = 0, posY = 0;
};

PlaneSteps StepsFor(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float sceneUnit) {
  PlaneSteps p;
  p.y = PlaneTickStep(sceneUnit);
  p.x = axes.ShowPI ? kPi : p.y;
  auto count = [](double limit, double step) {
    const double n = std::floor(std::fabs(limit) / step);
    return static_cast<int32_t>(std::clamp(n, 0.0, static_cast<double>(kMaxPlaneSteps)));
  };
  p.negX = count(MinX + 0.04, p.x);
  p.posX = count(MaxX - 0.04, p.x);
  p.negY = count(MinY + 0.04, p.y);
  p.posY = count(MaxY - 0.04, p.y);
  return p;
}

std::string PiLabel(int32_t k, bool negative) {
  std::string s = k == 1 ? "pi" : std::to_string(k) + "pi";
  return negative ? "-" + s : s;
}

void PlaneLabel(const Cls3& axes, const std::string& text, float x, float y) {
  if (axes.BetterFonts) {
    DrawText3D(Fonts().LabelFont, text, x, y, 0.0f, {0.0f, 0.0f, 0.0f, 1.0f}, 0);
  } else {
    DrawText2D(0.0f, x, y, text);
  }
}

}  // namespace

void DrawColorMapFrame(const Cls3& axes, float MinX, float MaxX, float MinY, float /*MaxY*/, float MinZ,
                       float MaxZ) {
  glDisable(GL_LIGHTING);
  const double ix0 = std::floor(MinX), iz0 = std::floor(MinZ);
  const int32_t nx = static_cast<int32_t>(std::clamp(std::floor(MaxX) - ix0, 0.0, double{kMaxFlatTicks}));
  const int32_t nz = static_cast<int32_t>(std::clamp(std::floor(MaxZ) - iz0, 0.0, double{kMaxFlatTicks}));
  const float plane = MinY;

  glColor3d(0.0, 0.0, 0.0);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  for (int32_t i = 1; i <= nx; ++i) {
    const float x = static_cast<float>(ix0 + i);
    glVertex3f(x, MinZ, plane);
    glVertex3f(x, MinZ - 0.3f, plane);
  }
  for (int32_t i = 1; i <= nz; ++i) {
    const float y = static_cast<float>(iz0 + i);
    glVertex3f(MinX, y, plane);
    glVertex3f(MinX - 0.3f, y, plane);
  }
  glEnd();

  glLineWidth(static_cast<GLfloat>(std::max(1, axes.AxisWidth)));
  SetColor(axes.AxisColor);
  glBegin(GL_LINE_LOOP);
  glVertex3f(MinX, MinZ, plane);
  glVertex3f(MaxX, MinZ, plane);
  glVertex3f(MaxX, MaxZ, plane);
  glVertex3f(MinX, MaxZ, plane);
  glEnd();
  glLineWidth(1.0f);

  for (int32_t i = 1; i <= nx; ++i) {
    const std::string text = PlainNumber(ix0 + i);
    const double d = text.size() == 1 ? 0.15 : text.size() == 2 ? 0.3 : 0.45;
    DrawText2D(0.0f, static_cast<float>(ix0 + i - d), MinZ - 1.0f, text);
  }
  for (int32_t i = 1; i <= nz; ++i) {
    const std::string text = PlainNumber(iz0 + i);
    DrawText2D(0.0f, static_cast<float>(MinX - (EstimatedTextWidth(text) + 0.35) - 0.2),
               static_cast<float>(iz0 + i), text);
  }
  // The shared titles follow the 3D naming, where the scene's x quantity (VarX) titles the
  // user's Y axis and the scene's z quantity (VarZ) the user's X axis. A map shows scene x
  // across and scene z upwards, so the across title is TitleY and the upward one TitleX;
  // the other way round every map would be labelled with the wrong quantities.
  DrawText2D(0.0f, MinX + (MaxX - MinX) / 2.0f, MinZ - 1.8f, axes.TitleY);
  DrawText2D(0.0f, MinX - 1.7f, MinZ + (MaxZ - MinZ) / 2.0f, axes.TitleX);
  glEnable(GL_LIGHTING);
}

void DrawPlaneAxes(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float sceneUnit) {
  const PlaneSteps p = StepsFor(axes, MinX, MaxX, MinY, MaxY, sceneUnit);
  glDisable(GL_LIGHTING);

  // The two axes through the origin, across the whole box.
  glLineWidth(static_cast<GLfloat>(std::max(1, axes.AxisWidth)));
  SetColor(axes.AxisColor);
  glBegin(GL_LINES);
  glVertex3f(MinX, 0.0f, 0.0f);
  glVertex3f(MaxX, 0.0f, 0.0f);
  glVertex3f(0.0f, MinY, 0.0f);
  glVertex3f(0.0f, MaxY, 0.0f);
  glEnd();

  glLineWidth(1.0f);
  glColor3d(0.0, 0.0, 0.0);
  glBegin(GL_LINES);
  for (int sign : {-1, 1}) {
    const int32_t nx = sign < 0 ? p.negX : p.posX;
    for (int32_t k = 0; k < nx; ++k) {
      const float x = static_cast<float>(sign * (k + 1) * p.x);
      glVertex3f(x, 0.0f, 0.0f);
      glVertex3f(x, 0.5f, 0.0f);
      if (axes.ShowSecondaryLabel) {
        for (double f : {0.2, 0.4, 0.6, 0.8}) {
          const float xs = static_cast<float>(sign * (k + f) * p.x);
          glVertex3f(xs, 0.0f, 0.0f);
          glVertex3f(xs, 0.3f, 0.0f);
        }
      }
    }
    const int32_t ny = sign < 0 ? p.negY : p.posY;
    for (int32_t k = 0; k < ny; ++k) {
      const float y = static_cast<float>(sign * (k + 1) * p.y);
      glVertex3f(0.0f, y, 0.0f);
      glVertex3f(0.5f, y, 0.0f);
      if (axes.ShowSecondaryLabel) {
        for (double f : {0.2, 0.4, 0.6, 0.8}) {
          const float ys = static_cast<float>(sign * (k + f) * p.y);
          glVertex3f(0.0f, ys, 0.0f);
          glVertex3f(0.3f, ys, 0.0f);
        }
      }
    }
  }
  glEnd();

  // Labels below the x ticks and to the right of the y ticks.
  for (int sign : {-1, 1}) {
    const int32_t nx = sign < 0 ? p.negX : p.posX;
    for (int32_t k = 0; k < nx; ++k) {
      const double x = sign * (k + 1) * p.x;
      const std::string text = axes.ShowPI ? PiLabel(k + 1, sign < 0) : PlainNumber(x);
      PlaneLabel(axes, text, static_cast<float>(x - EstimatedTextWidth(text) / 2.0), -1.0f);
    }
    const int32_t ny = sign < 0 ? p.negY : p.posY;
    for (int32_t k = 0; k < ny; ++k) {
      const double y = sign * (k + 1) * p.y;
      PlaneLabel(axes, PlainNumber(y), 0.7f, static_cast<float>(y - 0.2));
    }
  }
  glEnable(GL_LIGHTING);
}

void DrawBackground(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float /*MinZ*/,
                    float /*MaxZ*/) {
  if (!axes.ShowBackground) return;
  glDisable(GL_LIGHTING);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (axes.ShowShadow) {
    // The shadow falls to the lower right, a little behind the background.
    const float d = 0.02f * std::max(MaxX - MinX, MaxY - MinY);
    glColor3d(0.4, 0.4, 0.4);
    glBegin(GL_QUADS);
    glVertex3f(MinX + d, MinY - d, -0.01f);
    glVertex3f(MaxX + d, MinY - d, -0.01f);
    glVertex3f(MaxX + d, MaxY - d, -0.01f);
    glVertex3f(MinX + d, MaxY - d, -0.01f);
    glEnd();
  }
  const ColorParts c1 = SplitColor(axes.BackColor), c2 = SplitColor(axes.BackColor2);
  const ColorParts mid{(c1.r + c2.r) / 2, (c1.g + c2.g) / 2, (c1.b + c2.b) / 2};
  // Corner colours (lower left, lower right, upper right, upper left) of each style:
  // 1 plain, 2 left to right, 3 bottom to top, 4 lower left to upper right,
  // 5 upper left to lower right, 6 centre to edges.
  std::array<ColorParts, 4> corner{c1, c1, c1, c1};
  switch (axes.BackStyle) {
    case 2:
      corner = {c1, c2, c2, c1};
      break;
    case 3:
      corner = {c1, c1, c2, c2};
      break;
    case 4:
      corner = {c1, mid, c2, mid};
      break;
    case 5:
      corner = {mid, c2, mid, c1};
      break;
    default:
      break;
  }
  if (axes.BackStyle == 6) {
    const float cx = (MinX + MaxX) / 2.0f, cy = (MinY + MaxY) / 2.0f;
    glBegin(GL_TRIANGLE_FAN);
    Vertex(c1, cx, cy, 0.0f);
    Vertex(c2, MinX, MinY, 0.0f);
    Vertex(c2, MaxX, MinY, 0.0f);
    Vertex(c2, MaxX, MaxY, 0.0f);
    Vertex(c2, MinX, MaxY, 0.0f);
    Vertex(c2, MinX, MinY, 0.0f);
    glEnd();
  } else {
    glBegin(GL_QUADS);
    Vertex(corner[0], MinX, MinY, 0.0f);
    Vertex(corner[1], MaxX, MinY, 0.0f);
    Vertex(corner[2], MaxX, MaxY, 0.0f);
    Vertex(corner[3], MinX, MaxY, 0.0f);
    glEnd();
  }
  glEnable(GL_LIGHTING);
}

void Draw2DGrid(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float /*MinZ*/,
                float /*MaxZ*/, float sceneUnit) {
  if (!axes.ShowprimaryGrid && !axes.ShowSecondaryGrid) return;
  const PlaneSteps p = StepsFor(axes, MinX, MaxX, MinY, MaxY, sceneUnit);
  glDisable(GL_LIGHTING);
  glLineWidth(1.0f);
  // Lines at every multiple of step / division through the origin, inside the box.
  auto grid = [&](int32_t colour, int32_t division) {
    SetColor(colour);
    glBegin(GL_LINES);
    const double dx = p.x / division, dy = p.y / division;
    for (int32_t k = -(p.negX + 1) * division; k <= (p.posX + 1) * division; ++k) {
      const double x = k * dx;
      if (x < MinX || x > MaxX) continue;
      glVertex3f(static_cast<float>(x), MinY, 0.0f);
      glVertex3f(static_cast<float>(x), MaxY, 0.0f);
    }
    for (int32_t k = -(p.negY + 1) * division; k <= (p.posY + 1) * division; ++k) {
      const double y = k * dy;
      if (y < MinY || y > MaxY) continue;
      glVertex3f(MinX, static_cast<float>(y), 0.0f);
      glVertex3f(MaxX, static_cast<float>(y), 0.0f);
    }
    glEnd();
  };
  // The secondary grid divides each step in five, like the secondary ticks.
  if (axes.ShowSecondaryGrid) grid(axes.SecGridColor, 5);
  if (axes.ShowprimaryGrid) grid(axes.PriGridColor, 1);
  glEnable(GL_LIGHTING);
}

}  // namespace quillon
