#include "render/feedback_capture.h"

#include <GL/gl.h>

#include <stdexcept>

namespace quillon {

namespace {

// Values of GL_3D_COLOR in RGBA mode: x, y, z, r, g, b, a.
constexpr int32_t kVertexFloats = 7;

bool ReadVertex(const float* data, int32_t count, int32_t& i, FeedbackVertex& v) {
  if (i + kVertexFloats > count) return false;
  v.x = data[i];
  v.y = data[i + 1];
  v.z = data[i + 2];
  v.color = {data[i + 3], data[i + 4], data[i + 5], data[i + 6]};
  i += kVertexFloats;
  return true;
}

}  // namespace

std::vector<FeedbackPrimitive> ParseFeedback3DColor(const float* data, int32_t count) {
  std::vector<FeedbackPrimitive> out;
  int32_t i = 0;
  while (i < count) {
    const int token = static_cast<int>(data[i++]);
    FeedbackPrimitive p;
    int32_t vertices = 0;
    switch (token) {
      case GL_POINT_TOKEN:
        p.kind = FeedbackKind::Point;
        vertices = 1;
        break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        p.kind = FeedbackKind::Line;
        p.lineReset = token == GL_LINE_RESET_TOKEN;
        vertices = 2;
        break;
      case GL_POLYGON_TOKEN:
        p.kind = FeedbackKind::Polygon;
        if (i >= count) return out;
        vertices = static_cast<int32_t>(data[i++]);
        if (vertices < 0) return out;
        break;
      case GL_BITMAP_TOKEN:
        p.kind = FeedbackKind::Bitmap;
        vertices = 1;
        break;
      case GL_DRAW_PIXEL_TOKEN:
        p.kind = FeedbackKind::DrawPixel;
        vertices = 1;
        break;
      case GL_COPY_PIXEL_TOKEN:
        p.kind = FeedbackKind::CopyPixel;
        vertices = 1;
        break;
      case GL_PASS_THROUGH_TOKEN:
        p.kind = FeedbackKind::PassThrough;
        if (i >= count) return out;
        p.token = data[i++];
        break;
      default:
        // Not a token we know: the rest of the buffer cannot be interpreted.
        return out;
    }
    for (int32_t k = 0; k < vertices; ++k) {
      FeedbackVertex v;
      if (!ReadVertex(data, count, i, v)) return out;
      p.vertices.push_back(v);
    }
    out.push_back(std::move(p));
  }
  return out;
}

std::vector<FeedbackPrimitive> FeedbackCapture::Capture(const std::function<void()>& draw) {
  int32_t size = initialFloats_ > 0 ? initialFloats_ : 1024;
  constexpr int32_t kMaxFloats = 1 << 28;
  std::vector<float> buffer;
  for (;;) {
    buffer.assign(static_cast<size_t>(size), 0.0f);
    glFeedbackBuffer(size, GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    try {
      draw();
    } catch (...) {
      // GL must not keep writing into the buffer after it is gone.
      glRenderMode(GL_RENDER);
      throw;
    }
    const GLint used = glRenderMode(GL_RENDER);
    if (used >= 0) {
      bufferFloats_ = size;
      return ParseFeedback3DColor(buffer.data(), used);
    }
    if (size >= kMaxFloats) throw std::runtime_error("feedback buffer overflow beyond 1 GiB");
    size *= 4;
  }
}

std::vector<FeedbackPrimitive> FeedbackCapture::CaptureList(uint32_t list) {
  return Capture([list] { glCallList(list); });
}

std::vector<FeedbackPrimitive> FeedbackCapture::OfKind(const std::vector<FeedbackPrimitive>& all,
                                                       FeedbackKind kind) {
  std::vector<FeedbackPrimitive> out;
  for (const auto& p : all)
    if (p.kind == kind) out.push_back(p);
  return out;
}

}  // namespace quillon
