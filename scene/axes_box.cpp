// The 3D frames: the box with back panels, panel grids, ticks, numeric labels and titles, and
// the alternative of three axes through the origin with arrow heads.

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "render/material.h"
#include "scene/axes_draw.h"
#include "scene/text.h"

namespace quillon {

namespace {

constexpr int32_t kBlue = 0xFF0000;
constexpr std::array<float, 4> kNoRotation{0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kTick = 0.3f;
// Height of a digit in em units, for labels stacked upwards.
constexpr double kLabelHeight = 0.75;

void SmoothLines() {
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

void Panel(int32_t material, bool show, int32_t colour, const float (&normal)[3], const float (&v)[4][3]) {
  // The material is applied even for a hidden panel, so the last one set stays current.
  Cls11 mat;
  mat.SetMaterial(material);
  if (!show) return;
  SetColor(colour);
  glBegin(GL_QUADS);
  glNormal3fv(normal);
  for (const auto& p : v) glVertex3fv(p);
  glEnd();
}

// The scale of one axis' tick labels: the usual 0.8, made smaller where the labels would
// run into each other, so that each keeps a fifth of the tick spacing free. `across` is
// the label's extent along the axis at scale 0.8 (its width, or its height for labels
// stacked upwards).
float LabelScale(double spacing, double across) {
  if (!(across > 0.0) || !(spacing > 0.0)) return 0.8f;
  return static_cast<float>(0.8 * std::min(1.0, 0.8 * spacing / across));
}

void Line(float x1, float y1, float z1, float x2, float y2, float z2) {
  glVertex3f(x1, y1, z1);
  glVertex3f(x2, y2, z2);
}

}  // namespace

void DrawBoxFrame(const Cls3& axes, float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ,
                  const FrameLabelValues* labels) {
  // User X runs along scene z, user Y along scene x, user Z along scene y.
  const int32_t nX = FrameIntervals(axes.LabelNumX);
  const int32_t nY = FrameIntervals(axes.LabelNumY);
  const int32_t nZ = FrameIntervals(axes.LabelNumZ);
  const float sz = (MaxZ - MinZ) / nX;
  const float sx = (MaxX - MinX) / nY;
  const float sy = (MaxY - MinY) / nZ;

  // Panels, lit, with the panel colour tracked as the diffuse colour.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  Panel(axes.YZPanelMaterial, axes.ShowYZPanel, axes.YZPanelColor, {0, 0, 1},
        {{MinX, MinY, MinZ}, {MaxX, MinY, MinZ}, {MaxX, MaxY, MinZ}, {MinX, MaxY, MinZ}});
  Panel(axes.XZPanelMaterial, axes.ShowXZPanel, axes.XZPanelColor, {1, 0, 0},
        {{MinX, MinY, MinZ}, {MinX, MaxY, MinZ}, {MinX, MaxY, MaxZ}, {MinX, MinY, MaxZ}});
  Panel(axes.XYPanelMaterial, axes.ShowXYPanel, axes.XYPanelColor, {0, 1, 0},
        {{MinX, MinY, MinZ}, {MinX, MinY, MaxZ}, {MaxX, MinY, MaxZ}, {MaxX, MinY, MinZ}});

  // Grid lines on the three back faces.
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHTING);
  SmoothLines();
  glLineWidth(1.0f);
  SetColor(axes.YZGridColor);
  glBegin(GL_LINES);
  if (axes.ShowYZYGrid)
    for (int32_t i = 0; i <= nY; ++i) Line(MinX + i * sx, MinY, MinZ, MinX + i * sx, MaxY, MinZ);
  if (axes.ShowYZZGrid)
    for (int32_t i = 0; i <= nZ; ++i) Line(MinX, MinY + i * sy, MinZ, MaxX, MinY + i * sy, MinZ);
  glEnd();
  SetColor(axes.XZGridColor);
  glBegin(GL_LINES);
  if (axes.ShowXZXGrid)
    for (int32_t i = 0; i <= nX; ++i) Line(MinX, MinY, MinZ + i * sz, MinX, MaxY, MinZ + i * sz);
  if (axes.ShowXZZGrid)
    for (int32_t i = 0; i <= nZ; ++i) Line(MinX, MinY + i * sy, MinZ, MinX, MinY + i * sy, MaxZ);
  glEnd();
  SetColor(axes.XYGridColor);
  glBegin(GL_LINES);
  if (axes.ShowXYXGrid)
    for (int32_t i = 0; i <= nX; ++i) Line(MinX, MinY, MinZ + i * sz, MaxX, MinY, MinZ + i * sz);
  if (axes.ShowXYYGrid)
    for (int32_t i = 0; i <= nY; ++i) Line(MinX + i * sx, MinY, MinZ, MinX + i * sx, MinY, MaxZ);
  glEnd();

  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  // Screen labels go beside whichever edge faces the viewer; ticks on fixed edges would run
  // through them, and the grid lines already mark the values.
  if (labels && !labels->text3D) {
    glEnable(GL_LIGHTING);
    return;
  }
  // Tick marks, pointing down (user X and Y) and left (user Z).
  glColor3d(0.0, 0.0, 0.0);
  glBegin(GL_LINES);
  for (int32_t i = 0; i <= nX; ++i) Line(MaxX, MinY, MinZ + i * sz, MaxX, MinY - kTick, MinZ + i * sz);
  for (int32_t i = 0; i <= nY; ++i) Line(MinX + i * sx, MinY, MaxZ, MinX + i * sx, MinY - kTick, MaxZ);
  for (int32_t i = 0; i <= nZ; ++i) Line(MinX, MinY + i * sy, MaxZ, MinX - kTick, MinY + i * sy, MaxZ);
  glEnd();

  // Labels and titles in blue, at the scaled box's ticks with the true values.
  const SceneFonts& fonts = Fonts();
  const Cls1 values = labels ? labels->values : Cls1{MaxZ, MinZ, MaxY, MinY, MaxX, MinX};
  const float vz = (values.MaxZ - values.MinZ) / nX;
  const float vx = (values.MaxX - values.MinX) / nY;
  const float vy = (values.MaxY - values.MinY) / nZ;
  auto widest = [&](float min, float step, int32_t n) {
    double w = 0.0;
    for (int32_t i = 0; i <= n; ++i)
      w = std::max(w, Text3DWidth(fonts.LabelFont, FormatTickLabel(min + i * step)));
    return w;
  };
  // The last user Y label starts one unit before the corner where the user X labels begin;
  // it is kept to 0.9 of that unit so the two rows do not meet there.
  const float scaleY =
      LabelScale(std::min(std::fabs(static_cast<double>(sx)), 0.9 / 0.8), widest(values.MinX, vx, nY));
  const float scaleX = LabelScale(std::fabs(sz), widest(values.MinZ, vz, nX));
  const float scaleZ = LabelScale(std::fabs(sy), 0.8 * kLabelHeight);
  for (int32_t i = 0; i <= nY; ++i) {
    DrawText3DScaled(fonts.LabelFont, FormatTickLabel(values.MinX + i * vx), MinX + i * sx - 1.0f,
                     MinY - 1.3f, MaxZ, kNoRotation, scaleY, kBlue);
  }
  {
    const float w = static_cast<float>(EstimatedTextWidth(axes.TitleY));
    DrawText3D(fonts.TitleFont, axes.TitleY, MinX + (MaxX - MinX - w) / 2.0f - 1.0f, MinY - 2.3f, MaxZ,
               kNoRotation, kBlue);
  }
  float lastZLabelX = MinX;
  for (int32_t i = 0; i <= nZ; ++i) {
    const std::string label = FormatTickLabel(values.MinY + i * vy);
    lastZLabelX = MinX - (static_cast<float>(EstimatedTextWidth(label)) + 0.7f);
    DrawText3DScaled(fonts.LabelFont, label, lastZLabelX, MinY + i * sy, MaxZ, kNoRotation, scaleZ, kBlue);
  }
  {
    const float w = static_cast<float>(EstimatedTextWidth(axes.TitleZ));
    DrawText3D(fonts.TitleFont, axes.TitleZ, lastZLabelX - 1.0f, MinY + (MaxY - MinY - w) / 2.0f + w, MaxZ,
               {-90.0f, 0.0f, 0.0f, 1.0f}, kBlue);
  }
  for (int32_t i = 0; i <= nX; ++i) {
    DrawText3DScaled(fonts.LabelFont, FormatTickLabel(values.MinZ + i * vz), MaxX, MinY - 1.3f, MinZ + i * sz,
                     {90.0f, 0.0f, 1.0f, 0.0f}, scaleX, kBlue);
  }
  {
    const float w = static_cast<float>(EstimatedTextWidth(axes.TitleX));
    DrawText3D(fonts.TitleFont, axes.TitleX, MaxX, MinY - 2.3f, MinZ + (MaxZ - MinZ - w) / 2.0f + w - 0.5f,
               {90.0f, 0.0f, 1.0f, 0.0f}, kBlue);
  }
  glEnable(GL_LIGHTING);
}

void DrawOriginAxes(float MinX, float MaxX, float MinY, float MaxY, float MinZ, float MaxZ) {
  glDisable(GL_LIGHTING);
  SmoothLines();
  // The axes always pass through the origin, so the box is widened to hold it.
  MinX = std::min(MinX, 0.0f);
  MinY = std::min(MinY, 0.0f);
  MinZ = std::min(MinZ, 0.0f);
  MaxX = std::max(MaxX, 0.0f);
  MaxY = std::max(MaxY, 0.0f);
  MaxZ = std::max(MaxZ, 0.0f);
  glColor3d(0.0, 0.0, 1.0);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  Line(0, 0, MinZ - 2, 0, 0, MaxZ + 2);
  Line(0, MinY - 2, 0, 0, MaxY + 2, 0);
  Line(MinX - 2, 0, 0, MaxX + 2, 0, 0);
  glEnd();

  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  glColor3d(1.0, 0.0, 0.0);
  GLUquadric* cone = gluNewQuadric();
  if (cone == nullptr) return;
  gluQuadricDrawStyle(cone, GLU_FILL);
  gluQuadricNormals(cone, GLU_SMOOTH);
  const struct {
    float x, y, z, angle, ax, ay, az;
  } heads[3] = {{0, 0, MaxZ + 2, 0, 0, 0, 1}, {MaxX + 2, 0, 0, 90, 0, 1, 0}, {0, MaxY + 2, 0, -90, 1, 0, 0}};
  for (const auto& h : heads) {
    glPushMatrix();
    glTranslatef(h.x, h.y, h.z);
    if (h.angle != 0.0f) glRotatef(h.angle, h.ax, h.ay, h.az);
    gluCylinder(cone, 0.2, 0.0, 0.5, 16, 16);
    glPopMatrix();
  }
  gluDeleteQuadric(cone);
}

}  // namespace quillon
