#include "scene/headless_render.h"

#include "common/program_state.h"
#include "render/offscreen_context.h"
#include "scene/root_marks.h"
#include "scene/scene_frame.h"

namespace quillon {

void ApplyPresetView(Cls8& drawScene, PresetView view) {
  drawScene.RotRoll = 0.0f;
  drawScene.RotPitch = 0.0f;
  drawScene.RotYaw = 0.0f;
  switch (view) {
    case PresetView::Front:
      break;
    case PresetView::Right:
      drawScene.RotYaw = 90.0f;
      break;
    case PresetView::Top:
      drawScene.RotPitch = -90.0f;
      break;
    case PresetView::Iso:
      drawScene.RotPitch = -15.0f;
      drawScene.RotYaw = 45.0f;
      break;
  }
  State().TrackballActive = false;
}

void ZoomToFit(Cls4& camera, Cls8& drawScene, bool showPI) {
  if (drawScene.Count() == 0) return;
  const Cls1 box = drawScene.GetBox(0, showPI);
  if (State().SceneKind == 7) {
    // Colour maps lie flat: scene X across and scene Z upwards in the plane z = 0, while the
    // box's Y is the magnitude that only colours them. Fit what is drawn.
    camera.ZoomAll(box.MinX, box.MinZ, 0.0f, box.MaxX, box.MaxZ, 0.0f);
  } else {
    camera.ZoomAll(box.MinX, box.MinY, box.MinZ, box.MaxX, box.MaxY, box.MaxZ);
  }
  camera.Zoom(2.0f);
}

bool RenderScene(Cls8& drawScene, Cls3& axes, const HeadlessRenderOptions& options, QImage& image,
                 std::string& error, std::vector<std::string>* problems) {
  OffscreenContext context;
  if (!context.Create(options.width, options.height)) {
    error = context.Error();
    return false;
  }
  SceneFrame frame;
  // A font that cannot be built has been reported; drawing goes on without it.
  frame.Initialize();

  Cls4 camera;
  Cls10 light;
  camera.SetScreen(options.width, options.height);
  // The view volume takes the picture's shape, so a picture that is not square is undistorted.
  camera.SetViewRect(camera.VolWidth, camera.VolHeight);
  if (options.projectType) camera.ProjectType = *options.projectType;
  if (options.view) ApplyPresetView(drawScene, *options.view);
  if (options.fit) ZoomToFit(camera, drawScene, axes.ShowPI);

  frame.CompileScene(drawScene, axes);
  if (options.markRoots) {
    // After the compile: a mark's height comes from the tables the graphs were drawn from.
    std::vector<std::string> ignored;
    frame.SetRootMarks(SearchAndMarkAll(drawScene, problems ? *problems : ignored));
  }
  int32_t step = State().CurrentFrame;
  frame.Display(step, drawScene, camera, light);
  image = context.ReadImage();
  frame.Release();
  return true;
}

}  // namespace quillon
