#include "render/dib.h"

#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "render/texture_image.h"

namespace quillon {

namespace {

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

constexpr int32_t kBiRgb = 0;
constexpr int32_t kBiBitfields = 3;

// Pixel bytes of an uncompressed bitmap whose header leaves SizeImage at 0 (which the format
// allows); -1 when the size cannot be worked out or does not fit 32 bits.
int64_t UncompressedImageBytes(int32_t width, int32_t height, int32_t bitCount) {
  if (width <= 0 || height == 0 || bitCount <= 0 || bitCount > 32) return -1;
  const int64_t absHeight = height < 0 ? -static_cast<int64_t>(height) : height;
  const int64_t stride = (static_cast<int64_t>(width) * bitCount + 31) / 32 * 4;
  const int64_t bytes = stride * absHeight;
  return bytes > std::numeric_limits<int32_t>::max() ? -1 : bytes;
}

MessageRequest Request(std::string text, MsgIcon icon) {
  MessageRequest r;
  r.text = std::move(text);
  r.title = kAppTitle;
  r.icon = icon;
  r.buttons = MsgButtons::Ok;
  return r;
}

void Show(const MessageRequest& r) {
  MsgBox(r.text, r.title, r.icon, r.buttons);
}

}  // namespace

MessageRequest DibOpenFailureMessage(int errnoValue, const std::string& fileName) {
  if (errnoValue == EACCES || errnoValue == EPERM || errnoValue == EBUSY || errnoValue == ETXTBSY)
    return Request("File is locked - cannot access:\r\n" + fileName, MsgIcon::Critical);
  return Request(std::strerror(errnoValue), MsgIcon::Information);
}

int32_t cDIB::Field32(size_t offset) const {
  if (info_.size() < offset + 4) return 0;
  return static_cast<int32_t>(Le32(info_.data() + offset));
}

int16_t cDIB::Field16(size_t offset) const {
  if (info_.size() < offset + 2) return 0;
  return static_cast<int16_t>(Le16(info_.data() + offset));
}

bool cDIB::CreateFromFileBytes(const uint8_t* data, size_t size) {
  if (size < static_cast<size_t>(kFileHeaderSize) || Le16(data) != kBitmapType) return false;
  const uint32_t bitOffset = Le32(data + 10);
  // The information bytes must at least hold the 40-byte header, and lie inside the file.
  if (bitOffset < static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize) || bitOffset > size) return false;
  const uint8_t* info = data + kFileHeaderSize;
  const auto sizeInfoHeader = static_cast<int32_t>(Le32(info));
  if (sizeInfoHeader < kInfoHeaderSize || static_cast<uint32_t>(sizeInfoHeader) > bitOffset - kFileHeaderSize)
    return false;
  const auto width = static_cast<int32_t>(Le32(info + 4));
  const auto height = static_cast<int32_t>(Le32(info + 8));
  const auto bitCount = static_cast<int16_t>(Le16(info + 14));
  const auto compression = static_cast<int32_t>(Le32(info + 16));
  const auto sizeImage = static_cast<int32_t>(Le32(info + 20));
  if (sizeImage < 0) return false;
  int64_t pixelBytes = sizeImage;
  if (sizeImage == 0 && (compression == kBiRgb || compression == kBiBitfields)) {
    pixelBytes = UncompressedImageBytes(width, height, bitCount);
    if (pixelBytes < 0) return false;
  }
  if (static_cast<uint64_t>(bitOffset) + static_cast<uint64_t>(pixelBytes) > size) return false;

  fileType_ = kBitmapType;
  fileSize_ = static_cast<int32_t>(Le32(data + 2));
  reserved1_ = Le16(data + 6);
  reserved2_ = Le16(data + 8);
  bitOffset_ = static_cast<int32_t>(bitOffset);
  info_.assign(info, data + bitOffset);
  bits_.assign(data + bitOffset, data + bitOffset + pixelBytes);
  return true;
}

bool cDIB::CreateFromFile(const std::string& FileName) {
  std::error_code ec;
  const std::filesystem::path path(FileName);
  const bool exists = !FileName.empty() && std::filesystem::is_regular_file(path, ec);
  const uintmax_t length = exists ? std::filesystem::file_size(path, ec) : 0;
  if (!exists || ec) {
    Show(Request("File does not exist:\r\n" + FileName, MsgIcon::Critical));
    return false;
  }
  const MessageRequest notBitmap =
      Request("File is not a supported bitmap format:\r\n" + FileName, MsgIcon::Information);
  // Offsets and sizes in a bitmap are 32-bit, so no whole bitmap is larger than this.
  if (length > static_cast<uintmax_t>(std::numeric_limits<int32_t>::max()) * 2) {
    Show(notBitmap);
    return false;
  }

  errno = 0;
  std::FILE* file = std::fopen(FileName.c_str(), "rb");
  if (!file) {
    Show(DibOpenFailureMessage(errno, FileName));
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
  const bool readError = std::ferror(file) != 0;
  const int readErrno = errno;
  std::fclose(file);
  if (readError) {
    Show(Request(std::strerror(readErrno), MsgIcon::Information));
    return false;
  }
  bytes.resize(got);  // the file may have shrunk since its length was read
  if (!CreateFromFileBytes(bytes.data(), bytes.size())) {
    Show(notBitmap);
    return false;
  }
  return true;
}

bool cDIB::CreateFromPackedDIBPointer(const void* pDIB, size_t size) {
  if (!pDIB || size < static_cast<size_t>(kInfoHeaderSize)) return false;
  const auto* p = static_cast<const uint8_t*>(pDIB);
  const auto bitCount = static_cast<int16_t>(Le16(p + 14));
  const auto sizeImage = static_cast<int32_t>(Le32(p + 20));
  if (bitCount < 16 || sizeImage <= 0) return false;
  if (static_cast<uint64_t>(kInfoHeaderSize) + static_cast<uint64_t>(sizeImage) > size) return false;
  info_.assign(p, p + kInfoHeaderSize);
  bits_.assign(p + kInfoHeaderSize, p + kInfoHeaderSize + sizeImage);
  fileType_ = kBitmapType;
  fileSize_ = kFileHeaderSize + kInfoHeaderSize + sizeImage;
  reserved1_ = 0;
  reserved2_ = 0;
  bitOffset_ = kFileHeaderSize + kInfoHeaderSize;
  return true;
}

bool cDIB::CreateFromImage(const QImage& picture) {
  const std::vector<uint8_t> rows = PictureTo24BitRows(picture);
  if (rows.empty() || rows.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()) - 54)
    return false;
  std::vector<uint8_t> packed;
  packed.reserve(kInfoHeaderSize + rows.size());
  PutLe32(packed, kInfoHeaderSize);
  PutLe32(packed, static_cast<uint32_t>(picture.width()));
  PutLe32(packed, static_cast<uint32_t>(picture.height()));  // positive: rows bottom-up
  PutLe16(packed, 1);                                        // planes
  PutLe16(packed, 24);                                       // bits per pixel
  PutLe32(packed, kBiRgb);
  PutLe32(packed, static_cast<uint32_t>(rows.size()));
  PutLe32(packed, static_cast<uint32_t>(picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 0));
  PutLe32(packed, static_cast<uint32_t>(picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : 0));
  PutLe32(packed, 0);  // colours used
  PutLe32(packed, 0);  // important colours
  packed.insert(packed.end(), rows.begin(), rows.end());
  return CreateFromPackedDIBPointer(packed.data(), packed.size());
}

std::vector<uint8_t> cDIB::FileBytes() const {
  if (!IsLoaded()) return {};
  std::vector<uint8_t> out;
  out.reserve(kFileHeaderSize + info_.size() + bits_.size());
  PutLe16(out, fileType_);
  PutLe32(out, static_cast<uint32_t>(fileSize_));
  PutLe16(out, reserved1_);
  PutLe16(out, reserved2_);
  PutLe32(out, static_cast<uint32_t>(bitOffset_));
  out.insert(out.end(), info_.begin(), info_.end());
  out.insert(out.end(), bits_.begin(), bits_.end());
  return out;
}

bool cDIB::WriteToFile(const std::string& FileName) const {
  if (!IsLoaded() || FileName.empty()) return false;
  const std::vector<uint8_t> bytes = FileBytes();
  // Written to a temporary file and renamed over the old one, so a longer old file leaves no
  // tail and a failed write leaves the old file intact.
  QSaveFile file(QString::fromStdString(FileName));
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto written =
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  if (written != static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace quillon
