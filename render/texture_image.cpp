#include "render/texture_image.h"

#include <cstring>
#include <limits>

namespace quillon {

namespace {

uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

int64_t Dib24RowBytes(int64_t width) {
  return (width * 3 + 3) / 4 * 4;
}

std::vector<uint8_t> PictureTo24BitRows(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  const int32_t w = rgb.width();
  const int32_t h = rgb.height();
  const size_t stride = static_cast<size_t>(Dib24RowBytes(w));
  std::vector<uint8_t> rows(stride * static_cast<size_t>(h), 0);
  for (int32_t y = 0; y < h; ++y) {
    // Row y counts from the bottom of the picture.
    const uint8_t* src = rgb.constScanLine(h - 1 - y);
    uint8_t* dst = rows.data() + stride * static_cast<size_t>(y);
    for (int32_t x = 0; x < w; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  return rows;
}

std::optional<TextureImage> TextureFrom24BitRows(const uint8_t* rows, size_t size, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) return std::nullopt;
  const uint64_t stride = static_cast<uint64_t>(Dib24RowBytes(w));
  if (stride * static_cast<uint64_t>(h) > size) return std::nullopt;
  TextureImage image;
  image.width = w;
  image.height = h;
  image.pixels.resize(static_cast<size_t>(3) * static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = rows + stride * static_cast<uint64_t>(y);
    for (int32_t x = 0; x < w; ++x) {
      const size_t i = 3 * (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x));
      image.pixels[i] = row[3 * x + 2];  // red and blue change places
      image.pixels[i + 1] = row[3 * x + 1];
      image.pixels[i + 2] = row[3 * x];
    }
  }
  return image;
}

std::optional<TextureImage> TextureFromPicture(const QImage& picture) {
  if (picture.isNull()) return std::nullopt;
  const std::vector<uint8_t> rows = PictureTo24BitRows(picture);
  return TextureFrom24BitRows(rows.data(), rows.size(), picture.width(), picture.height());
}

std::optional<TextureImage> ParseMotImage(const uint8_t* data, size_t size) {
  if (size < 8) return std::nullopt;
  const auto w = static_cast<int32_t>(ReadLe32(data));
  const auto h = static_cast<int32_t>(ReadLe32(data + 4));
  if (w <= 0 || h <= 0) return std::nullopt;
  // Both sides are below 2^31, so the product fits 64 bits; compare with what the file holds
  // before allocating anything.
  const uint64_t bytes = 3ull * static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
  if (bytes > size - 8) return std::nullopt;
  TextureImage image;
  image.width = w;
  image.height = h;
  image.pixels.assign(data + 8, data + 8 + bytes);
  return image;
}

int32_t PowerOfTwoSide(int32_t side, int32_t limit) {
  const int32_t target = side < limit ? side : limit;
  int32_t p = 1;
  while (p < target && p <= std::numeric_limits<int32_t>::max() / 2) p *= 2;
  return p;
}

}  // namespace quillon
