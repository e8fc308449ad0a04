#include "scene/root_marks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "common/runtime_error.h"

namespace quillon {

namespace {

constexpr int kCircleSegments = 24;

struct WindowPoint {
  double x = 0.0, y = 0.0;
  bool pole = false;
};

// A mark as filled shapes (thick lines break up into steps where their segments meet): a ring
// for a zero, two crossed bars for a pole, of radius r and stroke width w.
void Shape(const WindowPoint& p, double r, double w) {
  if (p.pole) {
    const double a = r * std::numbers::sqrt2 / 2.0;  // a bar's half-length along x and y
    const double h = w * std::numbers::sqrt2 / 4.0;  // its half-width, likewise
    glBegin(GL_QUADS);
    for (const double s : {1.0, -1.0}) {  // the bar rising to the right, then the falling one
      glVertex2d(p.x - a + h, p.y - s * a - s * h);
      glVertex2d(p.x + a + h, p.y + s * a - s * h);
      glVertex2d(p.x + a - h, p.y + s * a + s * h);
      glVertex2d(p.x - a - h, p.y - s * a + s * h);
    }
    glEnd();
    return;
  }
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i <= kCircleSegments; ++i) {
    const double t = 2.0 * std::numbers::pi * i / kCircleSegments;
    glVertex2d(p.x + (r + w / 2.0) * std::cos(t), p.y + (r + w / 2.0) * std::sin(t));
    glVertex2d(p.x + (r - w / 2.0) * std::cos(t), p.y + (r - w / 2.0) * std::sin(t));
  }
  glEnd();
}

}  // namespace

std::vector<RootMark> MarksOf(const Cls9& graph, const std::vector<ZeroOrPole>& roots) {
  std::vector<RootMark> marks;
  marks.reserve(roots.size());
  for (const ZeroOrPole& root : roots) {
    const MarkPoint p = MarkPosition(graph, root);
    marks.push_back({p.x, p.y, p.z, root.kind == RootKind::kPole});
  }
  return marks;
}

std::vector<RootMark> SearchAndMarkAll(const Cls8& drawScene, std::vector<std::string>& problems) {
  std::vector<RootMark> marks;
  for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
    const Cls9& graph = *entry.graph;
    if (!CanSearchRoots(graph)) continue;
    const std::optional<CompiledProgram> program = CompileGraphFunction(graph.ExpressZ);
    if (!program) {
      problems.push_back("w = " + graph.ExpressZ + ": syntax error, no marks");
      continue;
    }
    try {
      const RootSearchResult result = FindZerosAndPoles(*program, DomainOf(graph));
      const std::vector<RootMark> own = MarksOf(graph, result.roots);
      marks.insert(marks.end(), own.begin(), own.end());
    } catch (const RuntimeError& e) {
      problems.push_back("w = " + graph.ExpressZ + ": " + e.Description());
    }
  }
  return marks;
}

float RootMarkRadius(int viewportWidth, int viewportHeight) {
  return std::max(5.0f, static_cast<float>(std::min(viewportWidth, viewportHeight)) / 80.0f);
}

void DrawRootMarks(const std::vector<RootMark>& marks, const std::array<float, 16>& orientation) {
  if (marks.empty()) return;
  GLint viewport[4];
  GLdouble projection[16], modelView[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glMultMatrixf(orientation.data());
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glPopMatrix();

  std::vector<WindowPoint> points;
  for (const RootMark& m : marks) {
    WindowPoint p{0.0, 0.0, m.pole};
    double depth = 0.0;
    if (gluProject(m.x, m.y, m.z, modelView, projection, viewport, &p.x, &p.y, &depth) != GL_TRUE) continue;
    if (depth < 0.0 || depth > 1.0) continue;  // behind the eye or beyond the far plane
    points.push_back(p);
  }
  if (points.empty()) return;

  glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_POLYGON_STIPPLE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  // A black stroke on a white rim, so a mark reads on every colour of a map or surface.
  const double r = RootMarkRadius(viewport[2], viewport[3]);
  const double w = std::max(2.0, r / 4.0);
  const double rim = std::max(1.0, w / 2.0);
  glColor3f(1.0f, 1.0f, 1.0f);
  for (const WindowPoint& p : points) Shape(p, r + (p.pole ? rim : 0.0), w + 2.0 * rim);
  glColor3f(0.0f, 0.0f, 0.0f);
  for (const WindowPoint& p : points) Shape(p, r, w);

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();  // the matrix mode goes back with the transform bit
}

}  // namespace quillon
