#include "scene/text.h"

#include <GL/gl.h>

#include <QByteArray>
#include <QString>
#include <map>

#include "common/color.h"

namespace quillon {

namespace {

// The codes that have a glyph list. Codes above 127 are dropped rather than handed to GL:
// with the list base added they would name whatever other lists follow the font.
std::vector<GLubyte> GlyphCodes(const std::string& text) {
  std::vector<GLubyte> codes;
  for (uint8_t c : TextToCodes(text)) {
    if (c == 0) break;
    if (c < kFontListCount) codes.push_back(c);
  }
  return codes;
}

}  // namespace

std::map<uint32_t, std::array<float, kFontListCount>>& GlyphAdvances() {
  static std::map<uint32_t, std::array<float, kFontListCount>> advances;
  return advances;
}

SceneFonts& Fonts() {
  static SceneFonts fonts;
  return fonts;
}

std::string ResolveFaceName(const std::string& faceName) {
  if (faceName == "Arial") return "Liberation Sans";
  if (faceName == "Verdana") return "DejaVu Sans";
  return faceName;
}

void DeleteFont(uint32_t& listBase) {
  if (listBase != 0) glDeleteLists(listBase, kFontListCount);
  GlyphAdvances().erase(listBase);
  listBase = 0;
}

bool CreateSceneFonts() {
  SceneFonts& f = Fonts();
  CreateOutlineFont(f.LabelFont, "Arial", -6, 400, false, 0);
  CreateOutlineFont(f.TitleFont, "Arial", -8, 700, false, 0);
  CreateBitmapFont(f.BitmapFont);
  return f.LabelFont != 0 && f.TitleFont != 0 && f.BitmapFont != 0;
}

void DeleteSceneFonts() {
  SceneFonts& f = Fonts();
  DeleteFont(f.LabelFont);
  DeleteFont(f.TitleFont);
  DeleteFont(f.BitmapFont);
}

void SetColor(int32_t colour) {
  const ColorParts c = SplitColor(colour);
  glColor3d(c.r, c.g, c.b);
}

std::vector<uint8_t> TextToCodes(const std::string& text) {
  const QByteArray latin = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toLatin1();
  std::vector<uint8_t> codes(latin.begin(), latin.end());
  codes.push_back(0);
  return codes;
}

double Text3DWidth(uint32_t listBase, const std::string& text) {
  const auto found = GlyphAdvances().find(listBase);
  if (listBase == 0 || found == GlyphAdvances().end()) return 0.0;
  double width = 0.0;
  for (GLubyte c : GlyphCodes(text)) width += found->second[c];
  return 0.8 * width;
}

void DrawText3D(uint32_t listBase, const std::string& text, float x, float y, float z,
                const std::array<float, 4>& rotation, std::optional<int32_t> colour) {
  DrawText3DScaled(listBase, text, x, y, z, rotation, 0.8f, colour);
}

void DrawText3DScaled(uint32_t listBase, const std::string& text, float x, float y, float z,
                      const std::array<float, 4>& rotation, float scale, std::optional<int32_t> colour) {
  glPushAttrib(GL_POLYGON_BIT | GL_LIST_BIT);
  glPushMatrix();
  glListBase(listBase);
  glTranslatef(x, y, z);
  glScalef(scale, scale, scale);
  if (rotation[0] != 0.0f) glRotatef(rotation[0], rotation[1], rotation[2], rotation[3]);
  if (colour) SetColor(*colour);
  // Each outline glyph is a closed solid wound counter-clockwise seen from outside, so the
  // faces turned away are hidden anyway; culling drops them before they reach the
  // rasteriser, where the many small triangles of labels cost more to set up than to fill.
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  const std::vector<GLubyte> codes = GlyphCodes(text);
  if (listBase != 0 && !codes.empty()) {
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  }
  glPopMatrix();
  glPopAttrib();
}

void DrawText2D(float z, float x, float y, const std::string& text) {
  glColor3d(0.0, 0.0, 0.0);
  glRasterPos3f(x, y, z);
  if (text.empty()) return;
  const std::vector<GLubyte> codes = GlyphCodes(text);
  if (Fonts().BitmapFont == 0 || codes.empty()) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(Fonts().BitmapFont);
  glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  glPopAttrib();
}

}  // namespace quillon
