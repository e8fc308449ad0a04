#pragma once
// Texture images for surfaces: a picture file (BMP, JPEG, GIF or the raw "MOT" format) made
// into the current OpenGL 2D texture.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "render/texture_image.h"

namespace quillon {

// Loads one picture as the bound 2D texture; one object per load.
class Cls15 {
 public:
  // Decodes the file, builds the texture image, creates and binds a texture (recorded in
  // CreatedTextures()) and uploads it. True when a texture was made; an empty or unreadable
  // name, an undecodable picture, an unsupported extension or a bad "MOT" file make none.
  // Needs a current context.
  bool LoadGLTextures(const std::string& FileName);

  // Chooses the loader by the last three letters of the name: "BMP", "JPG", "GIF" take the
  // decoded picture, "MOT" reads the raw file. True when the texture image was built.
  bool LoadBMP(const std::string& FileName, const QImage& Pic);

  // Takes the size from the decoded picture and calls FixPictureRGBA.
  bool CreateMapImage(const QImage& Pic);

  // Reads the picture as 24-bit rows, reorders them to R, G, B and brings the image to
  // power-of-two sides (ScaleImg). False for a null picture.
  bool FixPictureRGBA(const QImage& Pic);

  // Scales the image to the smallest power-of-two sides not below min(256, GL limit, side)
  // with gluScaleImage. False when the GL limit is not positive or scaling fails (shown as
  // "ValidateTextureSize : gluScaleImage failure").
  bool ScaleImg();

  static int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
  static int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }

  int32_t ImgWidth() const { return image_.width; }
  int32_t ImgHeight() const { return image_.height; }
  static constexpr int32_t Components() { return 3; }
  static constexpr uint32_t GLFormat() { return 0x1907; }  // GL_RGB
  const std::vector<uint8_t>& TextureImg() const { return image_.pixels; }
  uint32_t Texture1() const { return texture1_; }

  // Replaces the image (for tools and tests that build it themselves).
  void SetImage(TextureImage image) { image_ = std::move(image); }

 private:
  TextureImage image_;
  uint32_t texture1_ = 0;
};

}  // namespace quillon
