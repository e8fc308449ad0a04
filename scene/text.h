#pragma once
// Text in the scene: the three fonts built into display lists (one list per character code
// 0..127), outline text placed in model space and bitmap text at a raster position.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

// The list bases of the program's fonts; 0 while a font is not built.
struct SceneFonts {
  uint32_t LabelFont = 0;   // outline, tick labels
  uint32_t TitleFont = 0;   // bold outline, axis titles
  uint32_t BitmapFont = 0;  // raster text of the flat frames
};

// The one set of fonts of the running program (lists of the current context).
SceneFonts& Fonts();

// Number of lists a font reserves: one per character code 0..127.
inline constexpr int32_t kFontListCount = 128;
// Depth of the outline glyphs, in em units.
inline constexpr float kGlyphExtrusion = 0.1f;

// Builds an outline font: filled glyphs one em = one unit tall with a front cap at z = 0, a
// back cap at z = -extrusion and side walls; each list ends by moving to the next glyph.
// "Arial" resolves to Liberation Sans, "Verdana" to DejaVu Sans. Sets the colour first. On
// failure shows "Unable to create font" and leaves listBase 0.
void CreateOutlineFont(uint32_t& listBase, const std::string& faceName, int32_t height, int32_t weight,
                       bool italic, int32_t colour);

// Builds the bitmap font ("Verdana", 12 pixels) into listBase: one glBitmap per code that
// draws the glyph and advances the raster position. Same failure rule.
void CreateBitmapFont(uint32_t& listBase);

// Frees a font's lists and sets its base to 0.
void DeleteFont(uint32_t& listBase);

// Each outline font's glyph advances in em units, by list base (filled when a font is built).
std::map<uint32_t, std::array<float, kFontListCount>>& GlyphAdvances();

// Builds the program's three fonts; false when any could not be built.
bool CreateSceneFonts();
void DeleteSceneFonts();

// Outline text at (x, y, z), scaled by 0.8 and rotated by rotation[0] degrees about
// (rotation[1], rotation[2], rotation[3]); the colour, when given, is set first.
void DrawText3D(uint32_t listBase, const std::string& text, float x, float y, float z,
                const std::array<float, 4>& rotation, std::optional<int32_t> colour = std::nullopt);

// The same with another scale than 0.8 (crowded tick labels are drawn smaller).
void DrawText3DScaled(uint32_t listBase, const std::string& text, float x, float y, float z,
                      const std::array<float, 4>& rotation, float scale,
                      std::optional<int32_t> colour = std::nullopt);

// The width DrawText3D gives a text with an outline font, in scene units (the glyphs'
// advances at the 0.8 scale); 0 for a font that is not built.
double Text3DWidth(uint32_t listBase, const std::string& text);

// Bitmap text in black at raster position (x, y, z).
void DrawText2D(float z, float x, float y, const std::string& text);

// Current colour from 0x00BBGGRR.
void SetColor(int32_t colour);

// The text's character codes (Latin-1; '?' for characters it cannot hold), then a 0.
std::vector<uint8_t> TextToCodes(const std::string& text);

// The face that stands in for a requested face name on this system.
std::string ResolveFaceName(const std::string& faceName);

}  // namespace quillon
