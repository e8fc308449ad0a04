// Outline fonts: glyph outlines from Qt's font engine, tessellated by GLU into one display
// list per character code, extruded like the system's outline fonts.

#include <GL/gl.h>
#include <GL/glu.h>

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "common/message_sink.h"
#include "scene/text.h"

namespace quillon {

namespace {

// Glyphs are taken from the font engine at this pixel size and scaled down to one em = one
// unit: large enough that flattened curves stay smooth at any zoom the labels are read at.
constexpr int kEmPixels = 64;

// Tessellation of one cap: GLU hands back triangles (the edge-flag callback keeps it from
// producing fans and strips) that go straight into the list being compiled.
struct CapTessellation {
  std::deque<std::array<GLdouble, 3>> combined;  // vertices GLU creates at intersections
  bool failed = false;
};

void APIENTRY TessBegin(GLenum type) {
  glBegin(type);
}
void APIENTRY TessEdgeFlag(GLboolean) {}
void APIENTRY TessVertex(void* vertex) {
  glVertex3dv(static_cast<const GLdouble*>(vertex));
}
void APIENTRY TessEnd() {
  glEnd();
}
void APIENTRY TessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
  auto* cap = static_cast<CapTessellation*>(data);
  cap->combined.push_back({coords[0], coords[1], coords[2]});
  *out = cap->combined.back().data();
}
void APIENTRY TessError(GLenum, void* data) {
  static_cast<CapTessellation*>(data)->failed = true;
}

using Contours = std::vector<std::vector<std::array<GLdouble, 2>>>;

// The glyph's closed contours in em units, y up, without the repeated closing point.
Contours GlyphContours(const QFont& font, QChar ch) {
  QPainterPath path;
  path.addText(0.0, 0.0, font, QString(ch));
  const double s = 1.0 / kEmPixels;
  Contours contours;
  for (const QPolygonF& poly : path.toSubpathPolygons(QTransform::fromScale(s, -s))) {
    std::vector<std::array<GLdouble, 2>> c;
    for (const QPointF& p : poly) c.push_back({p.x(), p.y()});
    if (c.size() > 1 && c.front() == c.back()) c.pop_back();
    if (c.size() >= 3) contours.push_back(std::move(c));
  }
  return contours;
}

// One cap of the glyph at depth z, facing +z or -z. False when GLU reported an error.
bool DrawCap(GLUtesselator* tess, const Contours& contours, GLdouble z, bool front) {
  CapTessellation cap;
  std::vector<std::array<GLdouble, 3>> points;
  size_t total = 0;
  for (const auto& c : contours) total += c.size();
  points.reserve(total);  // GLU keeps pointers into it until the polygon ends
  glNormal3d(0.0, 0.0, front ? 1.0 : -1.0);
  gluTessNormal(tess, 0.0, 0.0, front ? 1.0 : -1.0);
  gluTessBeginPolygon(tess, &cap);
  for (const auto& c : contours) {
    gluTessBeginContour(tess);
    for (const auto& p : c) {
      points.push_back({p[0], p[1], z});
      gluTessVertex(tess, points.back().data(), points.back().data());
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  return !cap.failed;
}

// The walls between the two caps: one quad per outline edge, sent as two triangles so that
// a glyph's list holds a single kind of primitive.
void DrawSides(const Contours& contours, GLdouble depth) {
  glBegin(GL_TRIANGLES);
  for (const auto& c : contours) {
    for (size_t i = 0; i < c.size(); ++i) {
      const auto& a = c[i];
      const auto& b = c[(i + 1) % c.size()];
      const double dx = b[0] - a[0], dy = b[1] - a[1];
      const double len = std::sqrt(dx * dx + dy * dy);
      if (len > 0.0) glNormal3d(dy / len, -dx / len, 0.0);
      glVertex3d(a[0], a[1], 0.0);
      glVertex3d(a[0], a[1], -depth);
      glVertex3d(b[0], b[1], -depth);
      glVertex3d(a[0], a[1], 0.0);
      glVertex3d(b[0], b[1], -depth);
      glVertex3d(b[0], b[1], 0.0);
    }
  }
  glEnd();
}

}  // namespace

void CreateOutlineFont(uint32_t& listBase, const std::string& faceName, int32_t /*height*/, int32_t weight,
                       bool italic, int32_t colour) {
  // The logical height only chose the engine's rasterisation size: outline glyphs always
  // come out one em tall, so it does not enter the geometry.
  listBase = 0;
  SetColor(colour);
  if (QGuiApplication::instance() == nullptr) {
    MsgBox("Unable to create font", kAppTitle, MsgIcon::Critical);
    return;
  }
  QFont font(QString::fromStdString(ResolveFaceName(faceName)));
  font.setPixelSize(kEmPixels);
  font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(italic);
  font.setKerning(false);
  const QFontMetricsF metrics(font);

  while (glGetError() != GL_NO_ERROR) {
  }
  const GLuint base = glGenLists(kFontListCount);
  if (base == 0) {
    MsgBox("Unable to create font", kAppTitle, MsgIcon::Critical);
    return;
  }
  GLUtesselator* tess = gluNewTess();
  bool ok = tess != nullptr;
  if (ok) {
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(TessBegin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<_GLUfuncptr>(TessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(TessVertex));
    gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(TessEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(TessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(TessError));
  }
  std::array<float, kFontListCount> advances{};
  for (int code = 0; ok && code < kFontListCount; ++code) {
    glNewList(base + code, GL_COMPILE);
    // Control codes have neither shape nor advance.
    if (code >= 32 && code != 127) {
      const QChar ch(static_cast<char16_t>(code));
      const Contours contours = GlyphContours(font, ch);
      if (!contours.empty()) {
        ok = DrawCap(tess, contours, 0.0, true) && DrawCap(tess, contours, -kGlyphExtrusion, false);
        DrawSides(contours, kGlyphExtrusion);
      }
      advances[code] = static_cast<float>(metrics.horizontalAdvance(ch) / kEmPixels);
      glTranslated(advances[code], 0.0, 0.0);
    }
    glEndList();
  }
  if (tess != nullptr) gluDeleteTess(tess);
  if (!ok || glGetError() != GL_NO_ERROR) {
    glDeleteLists(base, kFontListCount);
    MsgBox("Unable to create font", kAppTitle, MsgIcon::Critical);
    return;
  }
  listBase = base;
  GlyphAdvances()[base] = advances;
}

}  // namespace quillon
