#pragma once
// Texture pixel data before it reaches OpenGL: decoded pictures turned into 24-bit rows and
// R, G, B texture bytes, the raw "MOT" image format, and power-of-two texture sides. Pure
// functions with no GL, so they can be tested and fuzzed on their own.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

// An RGB texture image: 3 bytes per pixel, pixels along a row, rows from the bottom of the
// picture to the top, no row padding.
struct TextureImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
};

// Bytes of one 24-bit device-independent row of `width` pixels: 3 per pixel, padded to 4.
int64_t Dib24RowBytes(int64_t width);

// A decoded picture as 24-bit device-independent rows: bottom-up, B, G, R per pixel, each row
// padded to a multiple of 4 bytes. Empty for a null picture.
std::vector<uint8_t> PictureTo24BitRows(const QImage& picture);

// Reorders 24-bit rows (as above) of a w x h picture into texture bytes R, G, B with no
// padding: pixel (x, y) of row y (from the bottom) lands at 3 (y w + x). Nullopt when the rows
// are too short for the size.
std::optional<TextureImage> TextureFrom24BitRows(const uint8_t* rows, size_t size, int32_t w, int32_t h);

// Both steps for a decoded picture; nullopt for a null picture.
std::optional<TextureImage> TextureFromPicture(const QImage& picture);

// Parses a "MOT" file: 32-bit little-endian width and height, then width x height pixels of
// R, G, B. Nullopt when a side is not positive or the pixels run past the end of the data
// (extra trailing bytes are ignored).
std::optional<TextureImage> ParseMotImage(const uint8_t* data, size_t size);

// The smallest power of two not below min(limit, side), for side >= 1.
int32_t PowerOfTwoSide(int32_t side, int32_t limit);

}  // namespace quillon
