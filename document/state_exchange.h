#pragma once
// The program-wide state handed to the layers below and taken back from them. Sampling and
// drawing take what they read as parameters and return what they compute; the document layer
// and the window layers are the only ones that read these settings out of the program-wide
// state and write results back into it.

#include "graph/sampling.h"
#include "scene/model/scene_draw_state.h"

namespace quillon {

// FrameCount and the view intervals, for sampling. A FrameCount of 0 is taken as 1 when
// sampling, and the program-wide FrameCount is set to 1 first, so that what documents save and
// what the scene compiles agree with the steps the markers were sampled with.
SamplingSettings ProgramSamplingSettings();

// What compiling and displaying the scene read from the program-wide state, and storing back
// what they left there (the orientation and whether the mouse set it, the box the plane curves
// leave and the Result box's text).
SceneDrawState LoadSceneDrawState();
void StoreSceneDrawState(const SceneDrawState& drawState);

}  // namespace quillon
