#pragma once
// The two-stage frame shared by the window and the headless renderer: CompileScene records
// the orientation, plane background and grid, every shown graph and the axes frame into
// display lists; Display sets the light and projection, clears and calls the current list.
// Works in whatever OpenGL context is current; never touches a widget.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "scene/model/axes_frame.h"
#include "scene/model/camera.h"
#include "scene/model/container.h"
#include "scene/model/light.h"
#include "scene/model/scene_draw_state.h"
#include "scene/model/scene_extras.h"
#include "scene/model/scene_scaling.h"
#include "scene/root_marks.h"
#include "scene/screen_labels.h"

namespace quillon {

class SceneFrame {
 public:
  // The box mode and label style of the next compile (a document's SceneExtras); a frame
  // that is never given them draws as a document without extra settings.
  void SetSceneExtras(const SceneExtras& extras) { extras_ = extras; }
  const SceneExtras& Extras() const { return extras_; }

  // The labels the last compile left for the screen overlay (inactive without a box frame or
  // with 3D text), and the projection that maps them for a camera and drawing-area size.
  const FrameLabelSet& ScreenLabels() const { return labels_; }
  ScreenProjection OverlayProjection(const Cls4& camera) const;

  // Initial GL state (white clear colour, dithering, depth test less-or-equal, clear depth 1)
  // and the three fonts. The context must be current. False when a font could not be built
  // ("Unable to create font" has been shown); drawing continues without that text.
  bool Initialize();

  // Rebuilds the display lists (still list, or frameCount + 1 frame lists when DrawScene is
  // animated); the lists of the previous compile are deleted. drawState carries what the
  // frame reads from the program and what it leaves for it.
  void CompileScene(Cls8& drawScene, Cls3& axes, SceneDrawState& drawState);

  // The same lists after a change of orientation only (a drag rotation, a preset view): each
  // list is the orientation followed by a call of the frame's content, which was recorded by
  // the last CompileScene and is kept, so a rotation does not record every graph again. Falls
  // back to CompileScene when no content has been recorded.
  void CompileOrientation(Cls8& drawScene, Cls3& axes, SceneDrawState& drawState);

  // One frame: camera Projection, SetLight (so the lights stand where the camera's look-at
  // puts them), smooth shading, clear, call the list of the frame, then the screen overlay
  // (tick labels and titles). The caller swaps buffers. drawState: the plane-curve box the
  // camera's perspective frame reads (see Cls8::GetBox).
  void Display(int32_t& lngAnimStep, Cls8& drawScene, Cls4& camera, const Cls10& light,
               const SceneDrawState& drawState);

  // Zero and pole marks drawn over every frame after the scene (none when empty); they follow
  // the scene's orientation without a compile.
  void SetRootMarks(std::vector<RootMark> marks) { rootMarks_ = std::move(marks); }
  const std::vector<RootMark>& RootMarks() const { return rootMarks_; }

  // Frees every list and font; call while the context is still current.
  void Release();

  // The list Display calls for a frame (0 when nothing is compiled for it).
  uint32_t ListForFrame(const Cls8& drawScene, int32_t lngAnimStep) const;

  uint32_t SceneList() const { return sceneList_; }
  uint32_t FrameListBase() const { return frameListBase_; }
  int32_t FrameListCount() const { return frameListCount_; }

 private:
  // Multiplies the model-view matrix by the scene's orientation (see CompileScene).
  void ApplyOrientation(const Cls8& drawScene, SceneDrawState& drawState);
  void CompileContent(uint32_t list, Cls8& drawScene, Cls3& axes, Cls1 box, int32_t frame,
                      SceneDrawState& drawState);
  void DrawOverlay(const Cls4& camera) const;
  void DeleteLists();
  void DeleteContentLists();

  // Content lists: background, graphs and axes frame of each frame, without the orientation.
  uint32_t contentBase_ = 0;
  int32_t contentCount_ = 0;
  bool contentAnimated_ = false;
  // The lists Display calls: orientation, then the content list of the same frame.
  uint32_t sceneList_ = 0;
  uint32_t frameListBase_ = 0;
  int32_t frameListCount_ = 0;
  bool initialized_ = false;
  SceneExtras extras_;
  FrameLabelSet labels_;
  Cls1 compiledBox_;  // the scene box of the last compile, for the overlay's projection
  std::vector<RootMark> rootMarks_;
  // The orientation the lists were recorded with, column-major.
  std::array<float, 16> orientation_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// The scene's orientation as a column-major matrix: the container's angles (roll, then pitch,
// then yaw), or the free mouse rotation while it is active. Changes nothing.
std::array<float, 16> OrientationMatrix(const Cls8& drawScene, const SceneDrawState& drawState);

// The scaling the frame applies to a scene box for the scene kind: a cube only in 3D scenes.
SceneScaling FrameScaling(const Cls1& box, const SceneExtras& extras);

}  // namespace quillon
