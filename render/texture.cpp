#include "render/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QFile>
#include <algorithm>
#include <cctype>

#include "common/message_sink.h"
#include "render/texture_registry.h"

namespace quillon {

namespace {

// The three letters that pick the loader, upper-cased.
std::string Extension(const std::string& name) {
  std::string ext = name.size() >= 3 ? name.substr(name.size() - 3) : name;
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& name, QByteArray& out) {
  QFile file(QString::fromStdString(name));
  if (!file.open(QIODevice::ReadOnly)) return false;
  out = file.readAll();
  return file.error() == QFileDevice::NoError;
}

}  // namespace

bool Cls15::LoadGLTextures(const std::string& FileName) {
  if (FileName.empty()) return false;
  // Raw "MOT" files are not pictures the decoder knows; they go straight to their own reader.
  QImage picture;
  if (Extension(FileName) != "MOT") {
    if (!picture.load(QString::fromStdString(FileName))) return false;
  }
  if (!LoadBMP(FileName, picture)) return false;

  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (ImgWidth() > maxSize || ImgHeight() > maxSize) return false;  // only unscaled MOT images

  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == 0) return false;
  texture1_ = name;
  CreatedTextures().Record(name);
  glBindTexture(GL_TEXTURE_2D, name);
  // Texture rows are packed tightly (3 bytes per pixel), whatever the width.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, ImgWidth(), ImgHeight(), 0, GL_RGB, GL_UNSIGNED_BYTE,
               image_.pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return true;
}

bool Cls15::LoadBMP(const std::string& FileName, const QImage& Pic) {
  const std::string ext = Extension(FileName);
  if (ext == "BMP" || ext == "JPG" || ext == "GIF") return CreateMapImage(Pic);
  if (ext == "MOT") {
    QByteArray bytes;
    if (!ReadFileBytes(FileName, bytes)) return false;
    auto image =
        ParseMotImage(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
    if (!image) return false;
    image_ = std::move(*image);  // uploaded as it is, without scaling
    return true;
  }
  return false;
}

bool Cls15::CreateMapImage(const QImage& Pic) {
  return FixPictureRGBA(Pic);
}

bool Cls15::FixPictureRGBA(const QImage& Pic) {
  auto image = TextureFromPicture(Pic);
  if (!image) return false;
  image_ = std::move(*image);
  return ScaleImg();
}

bool Cls15::ScaleImg() {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize <= 0 || image_.width <= 0 || image_.height <= 0) return false;
  const int32_t limit = Min(256, maxSize);
  const int32_t newWidth = PowerOfTwoSide(image_.width, limit);
  const int32_t newHeight = PowerOfTwoSide(image_.height, limit);
  if (newWidth == image_.width && newHeight == image_.height) return true;

  std::vector<uint8_t> scaled(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight) * Components());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // GLU writes its output with the pack alignment; the new rows are packed tightly too.
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const GLint rc = gluScaleImage(GL_RGB, image_.width, image_.height, GL_UNSIGNED_BYTE, image_.pixels.data(),
                                 newWidth, newHeight, GL_UNSIGNED_BYTE, scaled.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  if (rc != 0) {
    MsgBox("ValidateTextureSize : gluScaleImage failure", kAppTitle, MsgIcon::None, MsgButtons::Ok);
    return false;
  }
  image_.pixels = std::move(scaled);
  image_.width = newWidth;
  image_.height = newHeight;
  return true;
}

}  // namespace quillon
