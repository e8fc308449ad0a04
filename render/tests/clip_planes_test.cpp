// A clipped surface is cut at its clip planes: no vertex GL draws lies outside the range, and
// the cut reaches the planes (cells are cut, not dropped). Checked through feedback capture.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graph/clip_range.h"
#include "graph/codes.h"
#include "render/feedback_capture.h"
#include "render/graph_draw.h"
#include "render/tests/gl_fixture.h"
#include "render/tests/surface_test_support.h"

namespace quillon {
namespace {

using testing::MakeSurface;
using testing::OrthoView;
using testing::Position;
using testing::VerticesOf;

// A pole of height 8 over the middle of an 8 x 8 grid; elsewhere below 1.
Position Pole(int32_t k, int32_t j) {
  const float d2 = static_cast<float>((k - 4) * (k - 4) + (j - 4) * (j - 4));
  return {static_cast<float>(k - 4), 1.0f / (d2 + 0.125f), static_cast<float>(j - 4)};
}

class ClipPlanesTest : public testing::GlTest {};

TEST_F(ClipPlanesTest, NoVertexOutsideTheClipRangeInAnyModel) {
  const OrthoView view{kWidth};
  struct Case {
    const char* name;
    ClipMode mode;
    float min, max;
    int32_t show;
  } cases[] = {
      {"automatic surface", ClipMode::kAutomatic, 0, 0, shw::kSurface},
      {"range surface", ClipMode::kRange, 0.2f, 0.6f, shw::kSurface},
      {"range grid", ClipMode::kRange, 0.2f, 0.6f, shw::kGrid},
      {"off", ClipMode::kOff, 0, 0, shw::kSurface},
  };
  for (const Case& c : cases) {
    Cls9 g = MakeSurface(8, 8, Pole);
    g.VarX = quantity::kX;
    g.VarY = quantity::kU;
    g.VarZ = quantity::kY;
    g.Show = c.show;
    g.Extras.clip = c.mode;
    g.Extras.clipMin = c.min;
    g.Extras.clipMax = c.max;
    const auto range = ResolveClipRange(g);
    const float low = range ? range->first : 0.0f;
    const float high = range ? range->second : 8.0f;
    int32_t step = 0;
    Cls1 planeCurveBox = Cls1::Empty();
    std::string resultText;
    const auto all = FeedbackCapture().Capture([&] { Draw(g, step, planeCurveBox, resultText); });
    const auto kind = c.show == shw::kGrid ? FeedbackKind::Line : FeedbackKind::Polygon;
    const auto vertices = VerticesOf(all, kind);
    ASSERT_FALSE(vertices.empty()) << c.name;
    float lowest = 1e9f, highest = -1e9f;
    for (const FeedbackVertex& v : vertices) {
      const float y = view.Object(v)[1];
      lowest = std::min(lowest, y);
      highest = std::max(highest, y);
    }
    const float pixel = 1e-3f;  // feedback coordinates are not rounded to pixels
    EXPECT_GE(lowest, low - pixel) << c.name;
    EXPECT_LE(highest, high + pixel) << c.name;
    // The cut surface reaches the upper plane: cells are cut there, not left out.
    EXPECT_GE(highest, high - pixel) << c.name;
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0)) << c.name;
  }
}

}  // namespace
}  // namespace quillon
