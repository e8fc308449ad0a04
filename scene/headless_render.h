#pragma once
// Draws a scene into an offscreen picture with the window's own frame code: the
// window's start-up state, the camera set to the picture's size, CompileScene and Display.

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/model/axes_frame.h"
#include "scene/model/camera.h"
#include "scene/model/container.h"
#include "scene/model/light.h"
#include "scene/model/scene_draw_state.h"
#include "scene/model/scene_extras.h"

namespace quillon {

// The preset views of the view toolbar.
enum class PresetView { Front, Right, Top, Iso };

// Sets the container's angles for a preset view. The caller drops any free mouse rotation
// (trackballActive), so that the angles are what is shown.
void ApplyPresetView(Cls8& drawScene, PresetView view);

// "Zoom to Fit". With screen labels a 3D scene's box, as drawn (scaled to a cube when the
// scene asks for one) and as turned by the scene's orientation, is centred and fills
// kFitShare of the drawing area in the direction it is longest on screen relative to the
// area, so at least that share of the area's shorter side. Otherwise (3D text, colour maps,
// plane scenes) the box of frame 0 is fitted and the volume doubled, which leaves room for
// the labels drawn in the scene. Nothing without graphs.
inline constexpr double kFitShare = 0.86;
// drawState gives the orientation shown (the mouse's rotation, or the scene's angles).
void ZoomToFit(Cls4& camera, Cls8& drawScene, bool showPI, const SceneExtras& extras,
               const SceneDrawState& drawState);

// Centres the camera on a box (scene coordinates, turned by `orientation`) and sizes the view
// volume so the box's projection fills `share` of the drawing area where it fits tightest.
void FitBoxToView(Cls4& camera, const Cls1& box, const std::array<float, 16>& orientation, double share);

struct HeadlessRenderOptions {
  int32_t width = 600;
  int32_t height = 600;
  std::optional<PresetView> view;      // none: the document's own orientation
  std::optional<int32_t> projectType;  // none: the camera's default (orthographic)
  bool fit = false;
  SceneExtras extras;   // box mode and label style (a document's own, or a new scene's)
  bool legend = false;  // the colouring legend in the corner (when a graph is coloured from w)
  // o and x over every zero and pole of each drawn graph's function inside its domain, as the
  // window marks the selected graph's while its "Zeros and Poles" list is open.
  bool markRoots = false;
  int32_t frame = 1;  // the animation frame shown (the program's CurrentFrame)
};

// Renders the shown graphs and the axes frame (a document's DrawScene and Axes) into
// `image`; drawState is read and left as the window's frame code reads and leaves it (a preset
// view drops the mouse rotation). Needs a QGuiApplication (fonts); makes its own context.
// False with `error` set when no context can be made.
// `problems` receives what kept marks off a graph (nothing when markRoots is off).
bool RenderScene(Cls8& drawScene, Cls3& axes, const HeadlessRenderOptions& options, SceneDrawState& drawState,
                 QImage& image, std::string& error, std::vector<std::string>* problems = nullptr);

}  // namespace quillon
