// Texture bytes without GL: 24-bit rows of decoded pictures, their reordering to R, G, B,
// the "MOT" reader's refusals and power-of-two sides.

#include "render/texture_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>
#include <vector>

namespace quillon {
namespace {

// A picture whose every pixel has its own colour: (10 x + 1, 20 y + 2, 7 (x + y) + 3).
QImage DistinctPicture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(10 * x + 1, 20 * y + 2, 7 * (x + y) + 3));
  return image;
}

TEST(TextureImageTest, ThreePixelWideRowsArePaddedThenReadBackUnpadded) {
  const QImage picture = DistinctPicture(3, 2);
  const std::vector<uint8_t> rows = PictureTo24BitRows(picture);
  EXPECT_EQ(Dib24RowBytes(3), 12);
  ASSERT_EQ(rows.size(), 24u);
  // Row 0 is the bottom of the picture (image row 1), blue first.
  EXPECT_EQ(rows[0], 7 * (0 + 1) + 3);
  EXPECT_EQ(rows[1], 20 * 1 + 2);
  EXPECT_EQ(rows[2], 1);
  EXPECT_EQ(rows[9], 0);  // padding
  EXPECT_EQ(rows[11], 0);

  const auto tex = TextureFromPicture(picture);
  ASSERT_TRUE(tex);
  EXPECT_EQ(tex->width, 3);
  EXPECT_EQ(tex->height, 2);
  ASSERT_EQ(tex->pixels.size(), 18u);
  for (int y = 0; y < 2; ++y) {  // y counts from the bottom
    const int imageRow = 1 - y;  // QImage counts from the top
    for (int x = 0; x < 3; ++x) {
      const size_t i = 3 * (y * 3 + x);
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_EQ(tex->pixels[i], 10 * x + 1);
      EXPECT_EQ(tex->pixels[i + 1], 20 * imageRow + 2);
      EXPECT_EQ(tex->pixels[i + 2], 7 * (x + imageRow) + 3);
    }
  }
}

TEST(TextureImageTest, NullPictureAndShortRowsAreRefused) {
  EXPECT_FALSE(TextureFromPicture(QImage()));
  EXPECT_TRUE(PictureTo24BitRows(QImage()).empty());
  std::vector<uint8_t> rows(23);  // one byte short of 3 x 2 with padding
  EXPECT_FALSE(TextureFrom24BitRows(rows.data(), rows.size(), 3, 2));
  EXPECT_FALSE(TextureFrom24BitRows(rows.data(), rows.size(), 0, 2));
}

std::vector<uint8_t> Mot(int32_t w, int32_t h, size_t pixelBytes) {
  std::vector<uint8_t> data(8 + pixelBytes);
  std::memcpy(data.data(), &w, 4);  // little-endian host
  std::memcpy(data.data() + 4, &h, 4);
  for (size_t i = 0; i < pixelBytes; ++i) data[8 + i] = static_cast<uint8_t>(i * 7);
  return data;
}

TEST(MotImageTest, ReadsPixelsInFileOrder) {
  const auto data = Mot(2, 3, 18);
  const auto image = ParseMotImage(data.data(), data.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 3);
  EXPECT_EQ(image->pixels, std::vector<uint8_t>(data.begin() + 8, data.end()));
  // Trailing bytes beyond the pixels are ignored.
  const auto longer = Mot(2, 3, 20);
  ASSERT_TRUE(ParseMotImage(longer.data(), longer.size()));
  EXPECT_EQ(ParseMotImage(longer.data(), longer.size())->pixels.size(), 18u);
}

TEST(MotImageTest, TruncatedOversizedAndNonPositiveAreRefused) {
  EXPECT_FALSE(ParseMotImage(nullptr, 0));
  const auto header = Mot(1, 1, 0);
  EXPECT_FALSE(ParseMotImage(header.data(), 7));
  const auto truncated = Mot(2, 3, 17);
  EXPECT_FALSE(ParseMotImage(truncated.data(), truncated.size()));
  // Sides whose product wraps 32 bits (65536 x 65536 x 3) or claims gigabytes.
  const auto wrap = Mot(65536, 65536, 12);
  EXPECT_FALSE(ParseMotImage(wrap.data(), wrap.size()));
  const auto huge = Mot(0x7fffffff, 0x7fffffff, 3);
  EXPECT_FALSE(ParseMotImage(huge.data(), huge.size()));
  for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-1, 1}, {1, -5}}) {
    const auto bad = Mot(w, h, 30);
    EXPECT_FALSE(ParseMotImage(bad.data(), bad.size())) << w << "x" << h;
  }
}

TEST(TextureImageTest, PowerOfTwoSides) {
  EXPECT_EQ(PowerOfTwoSide(300, 256), 256);
  EXPECT_EQ(PowerOfTwoSide(100, 256), 128);
  EXPECT_EQ(PowerOfTwoSide(64, 256), 64);
  EXPECT_EQ(PowerOfTwoSide(1, 256), 1);
  EXPECT_EQ(PowerOfTwoSide(3, 256), 4);
  EXPECT_EQ(PowerOfTwoSide(129, 256), 256);
  EXPECT_EQ(PowerOfTwoSide(300, 64), 64);  // a smaller GL limit wins
}

}  // namespace
}  // namespace quillon
