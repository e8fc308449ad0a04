#pragma once
// A headless OpenGL compatibility context (EGL surfaceless on Mesa) rendering into a frame
// buffer object of a chosen size, so the command line and the tests draw with no X server.

#include <QImage>
#include <cstdint>
#include <string>

namespace quillon {

// A current-able OpenGL context with its own colour + depth frame buffer object.
class OffscreenContext {
 public:
  OffscreenContext() = default;
  // Creates the context at once; throws std::runtime_error with the failure text when it cannot.
  OffscreenContext(int32_t width, int32_t height);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // Opens the display, creates the context, makes it current and binds an FBO of w x h
  // pixels (RGBA8 colour, 24-bit depth). False with Error() set when any step fails; the
  // object may then be destroyed or Create tried again.
  bool Create(int32_t width, int32_t height);

  // Reallocates the FBO's buffers at the new size (contents are undefined afterwards).
  bool Resize(int32_t width, int32_t height);

  // Makes this context current and binds its FBO and viewport-sized draw buffer.
  bool MakeCurrent();

  // Reads the FBO back as a top-down RGBA image (GL rows are bottom-up, so they are flipped).
  QImage ReadImage();

  bool IsValid() const { return context_ != nullptr; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& message);
  bool AllocateBuffers(int32_t width, int32_t height);
  void Destroy();

  void* display_ = nullptr;  // EGLDisplay
  void* context_ = nullptr;  // EGLContext
  uint32_t fbo_ = 0;
  uint32_t colorBuffer_ = 0;
  uint32_t depthBuffer_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::string error_;
};

}  // namespace quillon
