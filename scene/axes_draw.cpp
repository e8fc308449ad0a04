#include "scene/axes_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/program_state.h"

namespace quillon {

std::string FormatTickLabel(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string s(text);
  if (s == "-0.0") s = "0.0";
  return s;
}

int32_t FrameIntervals(int32_t count) {
  return std::clamp(count, 1, 500);
}

void Draw(Cls3& axes, int32_t /*gtpGraphType*/, float& MinX, float& MaxX, float& MinY, float& MaxY,
          float& MinZ, float& MaxZ, float sceneUnit, const FrameLabelValues* labels) {
  const ProgramState& state = State();
  axes.TitleX = state.TitleLetterX;
  axes.TitleY = state.TitleLetterY;
  axes.TitleZ = state.TitleLetterZ;
  switch (state.SceneKind) {
    case 3:
    case 6:
      if (axes.AxisStyle == 1) {
        DrawBoxFrame(axes, MinX, MaxX, MinY, MaxY, MinZ, MaxZ, labels);
      } else {
        DrawOriginAxes(MinX, MaxX, MinY, MaxY, MinZ, MaxZ);
      }
      break;
    case 2:
    case 5:
      // The plane curves of these kinds get a shallow box of fixed depth.
      DrawBoxFrame(axes, MinX, MaxX, MinY, MaxY, 0.0f, 3.0f);
      break;
    case 7:
      DrawColorMapFrame(axes, MinX, MaxX, MinY, MaxY, MinZ, MaxZ);
      break;
    case 1:
    case 4:
      DrawPlaneAxes(axes, MinX, MaxX, MinY, MaxY, sceneUnit);
      break;
    default:
      break;
  }
}

}  // namespace quillon
