#pragma once
// Windows bitmap (BMP) files and packed device-independent bitmaps in memory: read, build
// from a picture, write, with the header fields exposed read-only.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/message_sink.h"

namespace quillon {

// A bitmap: 14-byte file header, the information bytes (40-byte header and any colour table)
// and the pixel bytes.
class cDIB {
 public:
  static constexpr uint16_t kBitmapType = 19778;  // "BM"
  static constexpr int32_t kFileHeaderSize = 14;
  static constexpr int32_t kInfoHeaderSize = 40;

  // Reads a BMP file. A missing file ("File does not exist:"), a file that cannot be opened
  // ("File is locked - cannot access:" or the operating system's reason) and a file that is not a
  // whole bitmap ("File is not a supported bitmap format:") are reported through the message
  // sink and give false, leaving the object as it was.
  bool CreateFromFile(const std::string& FileName);

  // Takes a packed bitmap (40-byte information header directly followed by the pixel bytes)
  // of `size` bytes. Only bitmaps without a colour table: false when BitCount is below 16,
  // SizeImage is not positive or the data is shorter than the header says. No messages.
  bool CreateFromPackedDIBPointer(const void* pDIB, size_t size);

  // Reads a bitmap from the bytes of a whole file: the checks of CreateFromFile after the file
  // was opened, without messages. False (object unchanged) when it is not a complete bitmap.
  bool CreateFromFileBytes(const uint8_t* data, size_t size);

  // A 24-bit bottom-up bitmap of a picture (as a screen capture is saved).
  bool CreateFromImage(const QImage& picture);

  // Writes file header, information bytes and pixel bytes from the start of the file. An
  // existing file is replaced whole (a longer old file does not leave a tail behind). False
  // when nothing is loaded or the file cannot be written.
  bool WriteToFile(const std::string& FileName) const;

  // The file as WriteToFile writes it (empty when nothing is loaded).
  std::vector<uint8_t> FileBytes() const;

  bool IsLoaded() const { return fileType_ == kBitmapType; }

  // File header.
  uint16_t FileType() const { return fileType_; }
  int32_t SizeFileHeader() const { return fileSize_; }
  uint16_t Reserved1() const { return reserved1_; }
  uint16_t Reserved2() const { return reserved2_; }
  int32_t BitOffset() const { return bitOffset_; }
  // Information header.
  int32_t SizeInfoHeader() const { return Field32(0); }
  int32_t Width() const { return Field32(4); }
  int32_t Height() const { return Field32(8); }
  int16_t Planes() const { return Field16(12); }
  int16_t BitCount() const { return Field16(14); }
  int32_t Compression() const { return Field32(16); }
  int32_t SizeImage() const { return Field32(20); }
  int32_t XPPM() const { return Field32(24); }
  int32_t YPPM() const { return Field32(28); }
  int32_t ClrUsed() const { return Field32(32); }
  int32_t ClrImportant() const { return Field32(36); }
  // Information bytes and pixel bytes.
  const uint8_t* PointerToBitmapInfo() const { return info_.empty() ? nullptr : info_.data(); }
  int32_t SizeBitmapInfo() const { return static_cast<int32_t>(info_.size()); }
  const uint8_t* PointerToBits() const { return bits_.empty() ? nullptr : bits_.data(); }
  int32_t SizeBits() const { return static_cast<int32_t>(bits_.size()); }

 private:
  int32_t Field32(size_t offset) const;
  int16_t Field16(size_t offset) const;

  uint16_t fileType_ = 0;
  int32_t fileSize_ = 0;
  uint16_t reserved1_ = 0;
  uint16_t reserved2_ = 0;
  int32_t bitOffset_ = 0;
  std::vector<uint8_t> info_;  // from file offset 14 up to BitOffset
  std::vector<uint8_t> bits_;
};

// The message CreateFromFile shows when a file exists but opening it failed with errno.
MessageRequest DibOpenFailureMessage(int errnoValue, const std::string& fileName);

}  // namespace quillon
