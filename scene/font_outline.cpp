// Outline fonts: glyph outlines from Qt's font engine, tessellated by GLU into one display
// list per character code, extruded so that the letters have depth.

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
#include <utility>
#include <vector>

#include "common/message_sink.h"
#include "scene/text.h"

namespace quillon {

namespace {

// Glyphs are taken from the font engine at this pixel size and scaled down to one em = one
// unit: large enough that flattened curves stay smooth at any zoom the labels are read at.
constexpr int kEmPixels = 64;

// One glyph as triangles: per corner its normal (x, y, z), then its position in em units.
using GlyphShape = std::vector<std::array<double, 6>>;

// Sends the shape's corners inside an open GL_TRIANGLES pair, each normal only when it changes.
void EmitGlyphShape(const GlyphShape& shape) {
  const std::array<double, 6>* previous = nullptr;
  for (const std::array<double, 6>& c : shape) {
    if (previous == nullptr || (*previous)[0] != c[0] || (*previous)[1] != c[1] || (*previous)[2] != c[2])
      glNormal3d(c[0], c[1], c[2]);
    glVertex3d(c[3], c[4], c[5]);
    previous = &c;
  }
}

// Tessellation of one cap: GLU hands back triangles (the edge-flag callback keeps it from
// producing fans and strips), collected into the glyph's shape.
struct CapTessellation {
  GlyphShape* shape = nullptr;
  GLdouble normalZ = 1.0;
  std::deque<std::array<GLdouble, 3>> combined;  // vertices GLU creates at intersections
  bool failed = false;
};

void APIENTRY TessBegin(GLenum type, void* data) {
  if (type != GL_TRIANGLES) static_cast<CapTessellation*>(data)->failed = true;
}
void APIENTRY TessEdgeFlag(GLboolean) {}
void APIENTRY TessVertex(void* vertex, void* data) {
  auto* cap = static_cast<CapTessellation*>(data);
  const auto* v = static_cast<const GLdouble*>(vertex);
  cap->shape->push_back({0.0, 0.0, cap->normalZ, v[0], v[1], v[2]});
}
void APIENTRY TessEnd() {}
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

// One cap of the glyph at depth z, facing +z or -z, added to the shape. False when GLU
// reported an error.
bool AddCap(GLUtesselator* tess, const Contours& contours, GLdouble z, bool front, GlyphShape& shape) {
  CapTessellation cap;
  cap.shape = &shape;
  cap.normalZ = front ? 1.0 : -1.0;
  std::vector<std::array<GLdouble, 3>> points;
  size_t total = 0;
  for (const auto& c : contours) total += c.size();
  points.reserve(total);  // GLU keeps pointers into it until the polygon ends
  gluTessNormal(tess, 0.0, 0.0, cap.normalZ);
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

// The winding number of the contours around point p (non-zero: inside the glyph).
int WindingAt(const Contours& contours, double px, double py) {
  int winding = 0;
  for (const auto& c : contours) {
    for (size_t i = 0; i < c.size(); ++i) {
      const auto& a = c[i];
      const auto& b = c[(i + 1) % c.size()];
      const double side = (b[0] - a[0]) * (py - a[1]) - (px - a[0]) * (b[1] - a[1]);
      if (a[1] <= py && b[1] > py && side > 0.0) ++winding;
      if (a[1] > py && b[1] <= py && side < 0.0) --winding;
    }
  }
  return winding;
}

// The walls between the two caps: one quad per outline edge, as two triangles wound
// counter-clockwise seen from outside the glyph, with the normal pointing out. Outline
// directions differ between fonts and between outer contours and holes, so each edge looks
// at which of its sides the glyph is filled.
void AddSides(const Contours& contours, GLdouble depth, GlyphShape& shape) {
  constexpr double kProbe = 1e-4;  // em; far thinner than any stroke
  for (const auto& c : contours) {
    for (size_t i = 0; i < c.size(); ++i) {
      std::array<GLdouble, 2> a = c[i];
      std::array<GLdouble, 2> b = c[(i + 1) % c.size()];
      const double len = std::hypot(b[0] - a[0], b[1] - a[1]);
      if (len == 0.0) continue;  // a repeated point makes no wall
      // (dy, -dx) is the right-hand side of a -> b; swap the ends when the glyph lies there.
      double nx = (b[1] - a[1]) / len, ny = -(b[0] - a[0]) / len;
      if (WindingAt(contours, (a[0] + b[0]) / 2 + kProbe * nx, (a[1] + b[1]) / 2 + kProbe * ny) != 0) {
        std::swap(a, b);
        nx = -nx;
        ny = -ny;
      }
      for (const auto& v : {std::array<GLdouble, 3>{a[0], a[1], 0.0},
                            {a[0], a[1], -depth},
                            {b[0], b[1], -depth},
                            {a[0], a[1], 0.0},
                            {b[0], b[1], -depth},
                            {b[0], b[1], 0.0}})
        shape.push_back({nx, ny, 0.0, v[0], v[1], v[2]});
    }
  }
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
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(TessBegin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<_GLUfuncptr>(TessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(TessVertex));
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
      GlyphShape shape;
      if (!contours.empty()) {
        ok = AddCap(tess, contours, 0.0, true, shape) &&
             AddCap(tess, contours, -kGlyphExtrusion, false, shape);
        AddSides(contours, kGlyphExtrusion, shape);
      }
      // One primitive kind per list: Mesa's feedback of lists mixing kinds loses primitives.
      glBegin(GL_TRIANGLES);
      EmitGlyphShape(shape);
      glEnd();
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
