#include "document/state_exchange.h"

#include "common/program_state.h"

namespace quillon {

SamplingSettings ProgramSamplingSettings() {
  ProgramState& state = State();
  if (state.FrameCount == 0) state.FrameCount = 1;
  SamplingSettings settings;
  settings.frameCount = state.FrameCount;
  settings.view = {state.ViewMinX, state.ViewMaxX, state.ViewMinY,
                   state.ViewMaxY, state.ViewMinZ, state.ViewMaxZ};
  return settings;
}

}  // namespace quillon
