#pragma once
// A picture written to a file whose format its extension names: PNG, JPEG and BMP hold the
// pixels; PDF and SVG hold the pixels as one embedded image on a page or canvas of the
// picture's size, with whatever the overlay draws kept as vectors (text stays text). Files
// are written whole or not at all.

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quillon {

enum class PictureFormat { kPng, kJpeg, kBmp, kPdf, kSvg };

// The format an extension names (.png, .jpg or .jpeg, .bmp, .pdf, .svg; case ignored).
std::optional<PictureFormat> PictureFormatOf(const QString& fileName);

// Draws over the picture in its pixel coordinates (0..width, 0..height), after the pixels:
// the place for what a scene draws on top of its frame, such as a legend or screen labels.
using PictureOverlay = std::function<void(QPainter& painter, const QSize& size)>;

// The largest side a picture may have, in pixels.
inline constexpr int32_t kMaxPictureSide = 8192;

// Memory a picture of this size takes from drawing to file (frame buffer, depth buffer, the
// pixels read back and one copy for encoding), for the check before anything is allocated.
uint64_t PictureMemoryBytes(int32_t width, int32_t height);

// Nothing when a picture of this size may be made; otherwise the sentence for the user (a
// side outside 1..kMaxPictureSide, or more memory than the machine allows).
std::optional<std::string> RefusePictureSize(int32_t width, int32_t height);

// Writes a drawn frame in the format of the name's extension, opaque as the screen shows it
// (the alpha OpenGL leaves in a frame buffer is dropped, the colours kept). False with the file
// name and the reason in *error (unknown extension, a file that cannot be written, an encoder
// failure).
bool WritePicture(const QString& fileName, const QImage& picture, QString* error,
                  const PictureOverlay& overlay = {});

}  // namespace quillon
