#include "render/offscreen_context.h"

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace quillon {

namespace {

// Frame buffer entry points are resolved at run time: libGL exports them, but going through
// eglGetProcAddress keeps us independent of which GL dispatch library the linker picked.
struct FboApi {
  PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;

  bool Load() {
    if (GenFramebuffers) return true;
    GenFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(eglGetProcAddress("glGenFramebuffers"));
    DeleteFramebuffers =
        reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(eglGetProcAddress("glDeleteFramebuffers"));
    BindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(eglGetProcAddress("glBindFramebuffer"));
    GenRenderbuffers = reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(eglGetProcAddress("glGenRenderbuffers"));
    DeleteRenderbuffers =
        reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(eglGetProcAddress("glDeleteRenderbuffers"));
    BindRenderbuffer = reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(eglGetProcAddress("glBindRenderbuffer"));
    RenderbufferStorage =
        reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(eglGetProcAddress("glRenderbufferStorage"));
    FramebufferRenderbuffer =
        reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(eglGetProcAddress("glFramebufferRenderbuffer"));
    CheckFramebufferStatus =
        reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(eglGetProcAddress("glCheckFramebufferStatus"));
    const bool ok = GenFramebuffers && DeleteFramebuffers && BindFramebuffer && GenRenderbuffers &&
                    DeleteRenderbuffers && BindRenderbuffer && RenderbufferStorage &&
                    FramebufferRenderbuffer && CheckFramebufferStatus;
    if (!ok) GenFramebuffers = nullptr;
    return ok;
  }
};

FboApi& Fbo() {
  static FboApi api;
  return api;
}

std::string EglErrorText(const char* step) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
  return std::string(step) + " failed (EGL error " + code + ")";
}

}  // namespace

OffscreenContext::~OffscreenContext() {
  Destroy();
}

bool OffscreenContext::Fail(const std::string& message) {
  error_ = message;
  Destroy();
  return false;
}

OffscreenContext::OffscreenContext(int32_t width, int32_t height) {
  if (!Create(width, height)) throw std::runtime_error("OpenGL offscreen context: " + error_);
}

bool OffscreenContext::Create(int32_t width, int32_t height) {
  Destroy();
  error_.clear();
  if (width <= 0 || height <= 0) return Fail("frame buffer size must be positive");

  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return Fail("EGL is unavailable: eglGetPlatformDisplayEXT not found");
  EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY) return Fail(EglErrorText("eglGetPlatformDisplayEXT(surfaceless)"));
  EGLint major = 0, minor = 0;
  if (!eglInitialize(dpy, &major, &minor)) return Fail(EglErrorText("eglInitialize"));
  display_ = dpy;
  if (!eglBindAPI(EGL_OPENGL_API)) return Fail(EglErrorText("eglBindAPI(EGL_OPENGL_API)"));

  const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                  EGL_PBUFFER_BIT,
                                  EGL_RENDERABLE_TYPE,
                                  EGL_OPENGL_BIT,
                                  EGL_RED_SIZE,
                                  8,
                                  EGL_GREEN_SIZE,
                                  8,
                                  EGL_BLUE_SIZE,
                                  8,
                                  EGL_DEPTH_SIZE,
                                  16,
                                  EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  // Surfaceless contexts need no config on Mesa; use one when it is offered, else none.
  if (!eglChooseConfig(dpy, configAttribs, &config, 1, &count) || count < 1) config = EGL_NO_CONFIG_KHR;

  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                   EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, contextAttribs);
  if (ctx == EGL_NO_CONTEXT) return Fail(EglErrorText("eglCreateContext(compatibility profile)"));
  context_ = ctx;
  if (!eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx)) return Fail(EglErrorText("eglMakeCurrent"));

  if (!Fbo().Load()) return Fail("frame buffer objects are not supported by this OpenGL");
  if (!AllocateBuffers(width, height)) return false;
  return true;
}

bool OffscreenContext::AllocateBuffers(int32_t width, int32_t height) {
  FboApi& f = Fbo();
  if (fbo_ == 0) {
    GLuint ids[2] = {0, 0};
    f.GenFramebuffers(1, ids);
    fbo_ = ids[0];
    f.GenRenderbuffers(2, ids);
    colorBuffer_ = ids[0];
    depthBuffer_ = ids[1];
  }
  f.BindFramebuffer(GL_FRAMEBUFFER, fbo_);
  f.BindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  f.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  f.BindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  f.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  f.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  f.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
  const GLenum status = f.CheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", status);
    return Fail(std::string("frame buffer incomplete (status ") + code + ")");
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  glViewport(0, 0, width, height);
  width_ = width;
  height_ = height;
  return true;
}

bool OffscreenContext::Resize(int32_t width, int32_t height) {
  if (!context_) return false;
  if (width <= 0 || height <= 0) {
    error_ = "frame buffer size must be positive";
    return false;
  }
  if (!MakeCurrent()) return false;
  return AllocateBuffers(width, height);
}

bool OffscreenContext::MakeCurrent() {
  if (!context_) return false;
  if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
    error_ = EglErrorText("eglMakeCurrent");
    return false;
  }
  if (fbo_ != 0) Fbo().BindFramebuffer(GL_FRAMEBUFFER, fbo_);
  return true;
}

QImage OffscreenContext::ReadImage() {
  if (!context_ || width_ <= 0 || height_ <= 0) return {};
  MakeCurrent();
  glFinish();
  QImage image(width_, height_, QImage::Format_RGBA8888);
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * height_ * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  const size_t rowBytes = static_cast<size_t>(width_) * 4;
  for (int32_t y = 0; y < height_; ++y) {
    std::memcpy(image.scanLine(y), pixels.data() + static_cast<size_t>(height_ - 1 - y) * rowBytes, rowBytes);
  }
  return image;
}

void OffscreenContext::Destroy() {
  EGLDisplay dpy = display_;
  if (context_) {
    if (eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) && fbo_ != 0) {
      FboApi& f = Fbo();
      GLuint rbs[2] = {colorBuffer_, depthBuffer_};
      f.BindFramebuffer(GL_FRAMEBUFFER, 0);
      f.DeleteRenderbuffers(2, rbs);
      GLuint fb = fbo_;
      f.DeleteFramebuffers(1, &fb);
    }
    eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(dpy, context_);
  }
  // The display is reference-counted by the driver per process; it is left initialised so that
  // other contexts on the same display stay usable.
  context_ = nullptr;
  display_ = nullptr;
  fbo_ = colorBuffer_ = depthBuffer_ = 0;
  width_ = height_ = 0;
}

}  // namespace quillon
