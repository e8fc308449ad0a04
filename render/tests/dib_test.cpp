// Bitmap files through cDIB: round trips, the header fields, packed bitmaps, refusals and the
// three messages.

#include "render/dib.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "common/message_sink.h"

namespace quillon {
namespace {

QImage Picture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 30, y * 40, 90 + x + y));
  return image;
}

QByteArray ReadAll(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void WriteAll(const std::string& path, const QByteArray& bytes) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A packed bitmap: 40-byte header then `pixels` bytes.
std::vector<uint8_t> Packed(int32_t w, int32_t h, int16_t bits, int32_t sizeImage, size_t pixels) {
  std::vector<uint8_t> p(40 + pixels, 0);
  auto put32 = [&](size_t at, int32_t v) { std::memcpy(p.data() + at, &v, 4); };
  auto put16 = [&](size_t at, int16_t v) { std::memcpy(p.data() + at, &v, 2); };
  put32(0, 40);
  put32(4, w);
  put32(8, h);
  put16(12, 1);
  put16(14, bits);
  put32(20, sizeImage);
  for (size_t i = 0; i < pixels; ++i) p[40 + i] = static_cast<uint8_t>(i + 1);
  return p;
}

class DibTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  RecordingSink sink_;
  ScopedMessageSink guard_{&sink_};
  QTemporaryDir dir_;
};

TEST_F(DibTest, PictureRoundTripsThroughFileAndDecoder) {
  const QImage picture = Picture(3, 4);  // 3 pixels wide: rows padded to 12 bytes
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromImage(picture));
  EXPECT_EQ(dib.FileType(), 19778);
  EXPECT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Height(), 4);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(dib.Planes(), 1);
  EXPECT_EQ(dib.SizeImage(), 48);
  EXPECT_EQ(dib.BitOffset(), 54);
  EXPECT_EQ(dib.SizeFileHeader(), 54 + 48);
  const std::string path = Path("out.bmp");
  ASSERT_TRUE(dib.WriteToFile(path));

  // Qt's own decoder reads the file back as the same picture.
  QImage decoded(QString::fromStdString(path));
  ASSERT_FALSE(decoded.isNull());
  EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), picture);

  cDIB again;
  ASSERT_TRUE(again.CreateFromFile(path));
  EXPECT_EQ(again.FileBytes(), dib.FileBytes());
  EXPECT_EQ(again.SizeBitmapInfo(), 40);
  EXPECT_EQ(std::memcmp(again.PointerToBits(), dib.PointerToBits(), 48), 0);
  EXPECT_TRUE(sink_.Requests().empty());
}

TEST_F(DibTest, ForeignBitmapIsReadAndRewrittenByteForByte) {
  // Qt writes a standard 24-bit BMP; reading and writing it must not change a byte.
  const std::string in = Path("qt.bmp");
  ASSERT_TRUE(Picture(5, 2).save(QString::fromStdString(in), "BMP"));
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromFile(in));
  EXPECT_EQ(dib.Width(), 5);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.SizeInfoHeader(), 40);
  EXPECT_EQ(dib.SizeBitmapInfo(), dib.BitOffset() - 14);
  const std::string out = Path("copy.bmp");
  ASSERT_TRUE(dib.WriteToFile(out));
  EXPECT_EQ(ReadAll(out), ReadAll(in));
}

TEST_F(DibTest, ZeroSizeImageOfUncompressedBitmapIsWorkedOut) {
  // The format lets uncompressed bitmaps leave SizeImage at 0.
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromImage(Picture(3, 2)));
  std::vector<uint8_t> bytes = dib.FileBytes();
  std::memset(bytes.data() + 14 + 20, 0, 4);
  cDIB read;
  ASSERT_TRUE(read.CreateFromFileBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(read.SizeImage(), 0);
  EXPECT_EQ(read.SizeBits(), 24);
  EXPECT_EQ(read.FileBytes(), bytes);
}

TEST_F(DibTest, WritingReplacesLongerFileWhole) {
  const std::string path = Path("long.bmp");
  WriteAll(path, QByteArray(5000, 'x'));
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromImage(Picture(2, 2)));
  ASSERT_TRUE(dib.WriteToFile(path));
  const QByteArray written = ReadAll(path);
  EXPECT_EQ(written.size(), 54 + 16);
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), dib.FileBytes());
}

TEST_F(DibTest, WriteFailuresAreReported) {
  cDIB empty;
  EXPECT_FALSE(empty.WriteToFile(Path("never.bmp")));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("never.bmp"))));
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromImage(Picture(2, 2)));
  EXPECT_FALSE(dib.WriteToFile(Path("no/such/folder/x.bmp")));
  EXPECT_FALSE(dib.WriteToFile(dir_.path().toStdString()));  // a folder
  EXPECT_FALSE(dib.WriteToFile(""));
}

TEST_F(DibTest, MissingFileMessage) {
  const std::string path = Path("absent.bmp");
  cDIB dib;
  EXPECT_FALSE(dib.CreateFromFile(path));
  ASSERT_EQ(sink_.Requests().size(), 1u);
  const MessageRequest& r = sink_.Requests()[0];
  EXPECT_EQ(r.text, "File does not exist:\r\n" + path);
  EXPECT_EQ(r.title, kAppTitle);
  EXPECT_EQ(r.icon, MsgIcon::Critical);
  EXPECT_EQ(r.buttons, MsgButtons::Ok);
  EXPECT_FALSE(dib.IsLoaded());
}

TEST_F(DibTest, NotABitmapMessageAndObjectUnchanged) {
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromImage(Picture(2, 2)));
  const auto before = dib.FileBytes();
  QByteArray png;
  {
    const std::string p = Path("pic.png");
    ASSERT_TRUE(Picture(2, 2).save(QString::fromStdString(p), "PNG"));
    png = ReadAll(p);
  }
  std::vector<uint8_t> good = before;
  const QByteArray truncated(reinterpret_cast<const char*>(good.data()),
                             static_cast<qsizetype>(good.size() - 1));
  QByteArray badOffset(reinterpret_cast<const char*>(good.data()), static_cast<qsizetype>(good.size()));
  badOffset[10] = 20;  // pixels would start inside the information header
  const std::pair<const char*, QByteArray> files[] = {
      {"png.bmp", png},
      {"empty.bmp", QByteArray()},
      {"tiny.bmp", QByteArray("BM", 2)},
      {"truncated.bmp", truncated},
      {"offset.bmp", badOffset},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    sink_.Clear();
    const std::string path = Path(name);
    WriteAll(path, bytes);
    EXPECT_FALSE(dib.CreateFromFile(path));
    ASSERT_EQ(sink_.Requests().size(), 1u);
    EXPECT_EQ(sink_.Requests()[0].text, "File is not a supported bitmap format:\r\n" + path);
    EXPECT_EQ(sink_.Requests()[0].icon, MsgIcon::Information);
    EXPECT_EQ(sink_.Requests()[0].title, kAppTitle);
    EXPECT_EQ(dib.FileBytes(), before);
  }
}

TEST(DibOpenFailureTest, LockedOrOtherErrors) {
  const MessageRequest locked = DibOpenFailureMessage(EACCES, "/x/y.bmp");
  EXPECT_EQ(locked.text, "File is locked - cannot access:\r\n/x/y.bmp");
  EXPECT_EQ(locked.icon, MsgIcon::Critical);
  EXPECT_EQ(locked.title, kAppTitle);
  const MessageRequest other = DibOpenFailureMessage(EIO, "/x/y.bmp");
  EXPECT_EQ(other.text, std::strerror(EIO));
  EXPECT_EQ(other.icon, MsgIcon::Information);
}

TEST(PackedDibTest, TakesBitmapsWithoutColourTable) {
  const auto p = Packed(2, 2, 24, 16, 16);
  cDIB dib;
  ASSERT_TRUE(dib.CreateFromPackedDIBPointer(p.data(), p.size()));
  EXPECT_EQ(dib.FileType(), 19778);
  EXPECT_EQ(dib.SizeFileHeader(), 54 + 16);
  EXPECT_EQ(dib.Reserved1(), 0);
  EXPECT_EQ(dib.Reserved2(), 0);
  EXPECT_EQ(dib.BitOffset(), 54);
  EXPECT_EQ(dib.SizeBitmapInfo(), 40);
  EXPECT_EQ(std::memcmp(dib.PointerToBitmapInfo(), p.data(), 40), 0);
  EXPECT_EQ(dib.SizeBits(), 16);
  EXPECT_EQ(dib.PointerToBits()[0], 1);
  EXPECT_EQ(dib.PointerToBits()[15], 16);
  const auto file = dib.FileBytes();
  EXPECT_EQ(file.size(), 70u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
}

TEST(PackedDibTest, RefusesPaletteEmptyAndShortBitmaps) {
  cDIB dib;
  const auto eightBit = Packed(2, 2, 8, 4, 4);
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(eightBit.data(), eightBit.size()));
  const auto noImage = Packed(2, 2, 24, 0, 0);
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(noImage.data(), noImage.size()));
  const auto negative = Packed(2, 2, 32, -16, 16);
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(negative.data(), negative.size()));
  const auto shortData = Packed(2, 2, 24, 1000, 16);  // header promises more than is there
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(shortData.data(), shortData.size()));
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(eightBit.data(), 39));
  EXPECT_FALSE(dib.CreateFromPackedDIBPointer(nullptr, 100));
  EXPECT_FALSE(dib.IsLoaded());
  EXPECT_FALSE(dib.CreateFromImage(QImage()));
}

}  // namespace
}  // namespace quillon
