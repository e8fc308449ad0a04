// Fuzzes the readers of outside image data: BMP files (from memory and through a temporary
// file), packed bitmaps, raw "MOT" textures and decoded pictures turned into texture bytes.

#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "render/dib.h"
#include "render/texture_image.h"

namespace {

using namespace quillon;

const std::string& TempPath() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/quillon_fuzz_image_" + std::to_string(getpid()) +
           ".bmp";
  }();
  return path;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingSink sink;
  static ScopedMessageSink guard(&sink);
  sink.Clear();

  // BMP from memory; whatever is accepted must write back to bytes that read the same.
  {
    cDIB dib;
    if (dib.CreateFromFileBytes(data, size)) {
      const std::vector<uint8_t> bytes = dib.FileBytes();
      Check(bytes.size() <= size);
      cDIB again;
      Check(again.CreateFromFileBytes(bytes.data(), bytes.size()));
      Check(again.FileBytes() == bytes);
    }
  }

  // BMP through a file, as the program reads it; a refusal is reported exactly once.
  if (std::FILE* f = std::fopen(TempPath().c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
    cDIB dib;
    const bool ok = dib.CreateFromFile(TempPath());
    Check(sink.Requests().size() == (ok ? 0u : 1u));
    std::remove(TempPath().c_str());
  }

  // Packed bitmap.
  {
    cDIB dib;
    if (dib.CreateFromPackedDIBPointer(data, size)) {
      Check(dib.BitOffset() == 54);
      Check(static_cast<size_t>(dib.SizeBits()) + 40 <= size);
    }
  }

  // Raw texture.
  if (auto mot = ParseMotImage(data, size)) {
    Check(mot->width > 0 && mot->height > 0);
    Check(mot->pixels.size() == 3ull * mot->width * mot->height);
  }

  // 24-bit rows of a small picture whose size comes from the first two bytes.
  if (size >= 2) {
    const int32_t w = 1 + data[0] % 64;
    const int32_t h = 1 + data[1] % 64;
    if (auto tex = TextureFrom24BitRows(data + 2, size - 2, w, h)) Check(tex->pixels.size() == 3ull * w * h);
  }

  // Decoded pictures of a modest size (the decoders are not ours; their size claims are
  // checked first so the run does not spend its time allocating).
  {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize claimed = reader.size();
    if (claimed.isValid() && static_cast<int64_t>(claimed.width()) * claimed.height() <= 65536) {
      const QImage picture = reader.read();
      if (auto tex = TextureFromPicture(picture))
        Check(tex->pixels.size() == 3ull * picture.width() * picture.height());
    }
  }
  return 0;
}
