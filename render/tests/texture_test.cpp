// Textures in a real context: sizes after scaling, uploaded bytes, the "MOT" branch, the
// names that make no texture, and the registry that lets compiles delete them.

#include "render/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstring>

#include "common/message_sink.h"
#include "render/tests/gl_fixture.h"
#include "render/texture_registry.h"

namespace quillon {
namespace {

using testing::GlTest;

class TextureTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    CreatedTextures().Forget();
    ASSERT_TRUE(dir_.isValid());
  }
  void TearDown() override {
    CreatedTextures().Forget();
    GlTest::TearDown();
  }

  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  std::string SavePicture(const char* name, int w, int h, const char* format) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb((x * 5) & 255, (y * 9) & 255, 200));
    const std::string path = Path(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
  }

  std::string WriteBytes(const char* name, const QByteArray& bytes) {
    const std::string path = Path(name);
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }

  static QByteArray Mot(int32_t w, int32_t h, const std::vector<uint8_t>& pixels) {
    QByteArray b(8, 0);
    std::memcpy(b.data(), &w, 4);
    std::memcpy(b.data() + 4, &h, 4);
    b.append(reinterpret_cast<const char*>(pixels.data()), static_cast<qsizetype>(pixels.size()));
    return b;
  }

  static QSize BoundTextureSize() {
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    return {w, h};
  }

  static std::vector<uint8_t> BoundTextureRgb(QSize size) {
    std::vector<uint8_t> out(static_cast<size_t>(size.width() * size.height() * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    return out;
  }

  QTemporaryDir dir_;
};

TEST_F(TextureTest, WidePictureIsScaledToPowersOfTwo) {
  Cls15 tex;
  ASSERT_TRUE(tex.LoadGLTextures(SavePicture("wide.bmp", 300, 100, "BMP")));
  EXPECT_EQ(tex.ImgWidth(), 256);
  EXPECT_EQ(tex.ImgHeight(), 128);
  EXPECT_EQ(tex.TextureImg().size(), 256u * 128u * 3u);
  EXPECT_EQ(BoundTextureSize(), QSize(256, 128));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<uint32_t>(bound), tex.Texture1());
  GLint minFilter = 0, magFilter = 0, internal = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  EXPECT_TRUE(internal == 4 || internal == GL_RGBA || internal == GL_RGBA8) << internal;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, PowerOfTwoPictureIsUploadedUnchanged) {
  const std::string path = SavePicture("square.BMP", 64, 64, "BMP");
  Cls15 tex;
  ASSERT_TRUE(tex.LoadGLTextures(path));
  ASSERT_EQ(BoundTextureSize(), QSize(64, 64));
  const auto rgb = BoundTextureRgb({64, 64});
  EXPECT_EQ(rgb, tex.TextureImg());
  // Bottom-up rows: texture row 0 is the picture's last row.
  const QImage picture(QString::fromStdString(path));
  const QRgb bottomLeft = picture.pixel(0, 63);
  EXPECT_EQ(rgb[0], qRed(bottomLeft));
  EXPECT_EQ(rgb[1], qGreen(bottomLeft));
  EXPECT_EQ(rgb[2], qBlue(bottomLeft));
  const QRgb topRight = picture.pixel(63, 0);
  const size_t last = rgb.size() - 3;
  EXPECT_EQ(rgb[last], qRed(topRight));
  EXPECT_EQ(rgb[last + 1], qGreen(topRight));
}

TEST_F(TextureTest, JpegAndGifAreDecodedWithoutAnApplicationObject) {
  Cls15 jpg;
  EXPECT_TRUE(jpg.LoadGLTextures(SavePicture("photo.jpg", 20, 10, "JPG")));
  EXPECT_EQ(BoundTextureSize(), QSize(32, 16));
  // A 1 x 1 GIF (red pixel).
  const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                               0x00, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00,
                               0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
  Cls15 g;
  ASSERT_TRUE(
      g.LoadGLTextures(WriteBytes("dot.gif", QByteArray(reinterpret_cast<const char*>(gif), sizeof gif))));
  EXPECT_EQ(g.TextureImg(), (std::vector<uint8_t>{255, 0, 0}));
}

TEST_F(TextureTest, ThreePixelWidePictureBecomesFourWide) {
  Cls15 tex;
  ASSERT_TRUE(tex.LoadGLTextures(SavePicture("narrow.bmp", 3, 5, "BMP")));
  EXPECT_EQ(BoundTextureSize(), QSize(4, 8));
  GLint unpack = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
  EXPECT_EQ(unpack, 1);
  GLint pack = 0;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
  EXPECT_EQ(pack, 4);  // restored after scaling
}

TEST_F(TextureTest, MotFileIsUploadedAsItIs) {
  // 3 x 1 pixels: odd row length, not a power of two, no scaling.
  const std::vector<uint8_t> px{1, 2, 3, 4, 5, 6, 7, 8, 9};
  Cls15 tex;
  ASSERT_TRUE(tex.LoadGLTextures(WriteBytes("raw.mot", Mot(3, 1, px))));
  EXPECT_EQ(tex.TextureImg(), px);
  ASSERT_EQ(BoundTextureSize(), QSize(3, 1));
  EXPECT_EQ(BoundTextureRgb({3, 1}), px);
}

TEST_F(TextureTest, BadInputMakesNoTexture) {
  RecordingSink sink;
  ScopedMessageSink guard(&sink);
  const std::vector<uint8_t> px(9, 1);
  const std::string cases[] = {
      "",
      Path("missing.bmp"),
      WriteBytes("corrupt.bmp", QByteArray("BM\x10\x00garbage that is not a bitmap", 31)),
      WriteBytes("short.mot", Mot(3, 2, px)),           // 18 bytes promised, 9 present
      WriteBytes("huge.mot", Mot(100000, 100000, px)),  // 30 GB promised
      WriteBytes("negative.mot", Mot(-3, 1, px)),
      WriteBytes("empty.mot", QByteArray()),
      SavePicture("picture.png", 8, 8, "PNG"),  // decodable, but not a texture extension
      Path("folder.bmp"),
  };
  QDir(dir_.path()).mkdir("folder.bmp");
  for (const std::string& name : cases) {
    SCOPED_TRACE(name);
    Cls15 tex;
    EXPECT_FALSE(tex.LoadGLTextures(name));
    EXPECT_EQ(tex.Texture1(), 0u);
  }
  EXPECT_TRUE(CreatedTextures().Names().empty());
  EXPECT_TRUE(sink.Requests().empty());
}

TEST_F(TextureTest, LoadWhileCompilingAListTexturesWhenTheListRuns) {
  // The scene records its drawing into display lists: the name is made at once, the bind and
  // upload happen when the list is called.
  const std::string path = SavePicture("listed.bmp", 3, 5, "BMP");
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  Cls15 tex;
  ASSERT_TRUE(tex.LoadGLTextures(path));
  glEndList();
  ASSERT_NE(tex.Texture1(), 0u);
  EXPECT_EQ(CreatedTextures().Names(), (std::vector<uint32_t>{tex.Texture1()}));
  glBindTexture(GL_TEXTURE_2D, 0);
  glCallList(list);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<uint32_t>(bound), tex.Texture1());
  ASSERT_EQ(BoundTextureSize(), QSize(4, 8));
  EXPECT_EQ(BoundTextureRgb({4, 8}), tex.TextureImg());
  glDeleteLists(list, 1);
  DeleteTexturesCreatedSinceLastCompile();
  EXPECT_FALSE(glIsTexture(tex.Texture1()));
}

TEST_F(TextureTest, RegistryDeletesEveryTextureMadeSinceTheLastCompile) {
  const std::string path = SavePicture("a.bmp", 16, 16, "BMP");
  Cls15 first, second;
  ASSERT_TRUE(first.LoadGLTextures(path));
  ASSERT_TRUE(second.LoadGLTextures(path));
  EXPECT_NE(first.Texture1(), second.Texture1());
  ASSERT_EQ(CreatedTextures().Names(), (std::vector<uint32_t>{first.Texture1(), second.Texture1()}));
  EXPECT_TRUE(glIsTexture(first.Texture1()));
  DeleteTexturesCreatedSinceLastCompile();
  EXPECT_FALSE(glIsTexture(first.Texture1()));
  EXPECT_FALSE(glIsTexture(second.Texture1()));
  EXPECT_TRUE(CreatedTextures().Names().empty());
  DeleteTexturesCreatedSinceLastCompile();  // nothing left: no GL error
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureHelpersTest, MaxMinAndFixedFormat) {
  EXPECT_EQ(Cls15::Max(3, -4), 3);
  EXPECT_EQ(Cls15::Min(3, -4), -4);
  EXPECT_EQ(Cls15::Components(), 3);
  EXPECT_EQ(Cls15::GLFormat(), static_cast<uint32_t>(GL_RGB));
  Cls15 tex;
  EXPECT_FALSE(tex.FixPictureRGBA(QImage()));
}

}  // namespace
}  // namespace quillon
