#pragma once
// Little-endian binary fields gathered in a buffer and written to a stream in large pieces.

#include <bit>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <vector>

namespace quillon {

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::ostream& out) : out_(out) { buffer_.reserve(kChunk + 64); }
  ~LittleEndianWriter() { Flush(); }
  LittleEndianWriter(const LittleEndianWriter&) = delete;
  LittleEndianWriter& operator=(const LittleEndianWriter&) = delete;

  void U8(uint8_t value) { Put(value, 1); }
  void U16(uint16_t value) { Put(value, 2); }
  void U32(uint32_t value) { Put(value, 4); }
  void F32(float value) { Put(std::bit_cast<uint32_t>(value), 4); }

  void Flush() {
    if (!buffer_.empty())
      out_.write(reinterpret_cast<const char*>(buffer_.data()), std::streamsize(buffer_.size()));
    buffer_.clear();
  }

 private:
  static constexpr size_t kChunk = size_t{1} << 20;

  void Put(uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) buffer_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    if (buffer_.size() >= kChunk) Flush();
  }

  std::ostream& out_;
  std::vector<uint8_t> buffer_;
};

}  // namespace quillon
