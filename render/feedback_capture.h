#pragma once
// Records what a piece of OpenGL drawing produces, through feedback mode: window coordinates
// and colours of every point, line and polygon, so tests can check geometry without pixels.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace quillon {

// One vertex as feedback mode reports it (GL_3D_COLOR in RGBA mode).
struct FeedbackVertex {
  float x = 0.0f;  // window coordinates
  float y = 0.0f;
  float z = 0.0f;  // depth in 0..1
  std::array<float, 4> color{0.0f, 0.0f, 0.0f, 0.0f};
};

enum class FeedbackKind { Point, Line, Polygon, Bitmap, DrawPixel, CopyPixel, PassThrough };

// One primitive: a point (1 vertex), a line (2), a polygon (3 or more; Mesa splits quads into
// triangles) or an image/pass-through token (0 vertices; `token` holds the pass-through value).
struct FeedbackPrimitive {
  FeedbackKind kind = FeedbackKind::Point;
  // True for the first segment of a line strip/loop (GL_LINE_RESET_TOKEN).
  bool lineReset = false;
  float token = 0.0f;
  std::vector<FeedbackVertex> vertices;
};

// Runs drawing in glRenderMode(GL_FEEDBACK) and parses the buffer; needs a current context.
class FeedbackCapture {
 public:
  explicit FeedbackCapture(int32_t initialFloats = 1 << 16) : initialFloats_(initialFloats) {}

  // Calls `draw` in feedback mode (again with a larger buffer whenever it overflows) and
  // returns the primitives in the order GL produced them. `draw` must be repeatable. An
  // exception from `draw` leaves render mode restored and is passed on.
  std::vector<FeedbackPrimitive> Capture(const std::function<void()>& draw);

  // The same for a display list. Mesa 22.3 merges consecutive glBegin/glEnd pairs of different
  // primitive kinds (quads then lines, say) that have no other command between them into one
  // draw, and its feedback path then loses primitives or crashes. Lists whose kinds are
  // separated by any command (a colour, a line width, a material) are reported correctly;
  // for anything else capture the drawing itself with Capture().
  std::vector<FeedbackPrimitive> CaptureList(uint32_t list);

  // Only the primitives of one kind.
  static std::vector<FeedbackPrimitive> OfKind(const std::vector<FeedbackPrimitive>& all, FeedbackKind kind);

  // Size of the buffer the last capture needed (in floats).
  int32_t BufferFloats() const { return bufferFloats_; }

 private:
  int32_t initialFloats_;
  int32_t bufferFloats_ = 0;
};

// Parses a raw GL_3D_COLOR feedback buffer of `count` floats (exposed for tests).
std::vector<FeedbackPrimitive> ParseFeedback3DColor(const float* data, int32_t count);

}  // namespace quillon
