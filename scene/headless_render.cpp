#include "scene/headless_render.h"

#include <algorithm>
#include <cmath>

#include "common/program_state.h"
#include "render/offscreen_context.h"
#include "scene/camera_gl.h"
#include "scene/legend.h"
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
}

void FitBoxToView(Cls4& camera, const Cls1& box, const std::array<float, 16>& orientation, double share) {
  if (!(box.MaxX >= box.MinX) || !(box.MaxY >= box.MinY) || !(box.MaxZ >= box.MinZ)) return;
  const std::array<double, 16> view = camera.ModelViewMatrix();
  double lowX = 0.0, highX = 0.0, lowY = 0.0, highY = 0.0;
  for (int corner = 0; corner < 8; ++corner) {
    const double p[3] = {(corner & 1) ? box.MaxX : box.MinX, (corner & 2) ? box.MaxY : box.MinY,
                         (corner & 4) ? box.MaxZ : box.MinZ};
    double w[3];
    for (int r = 0; r < 3; ++r)
      w[r] = orientation[r] * p[0] + orientation[4 + r] * p[1] + orientation[8 + r] * p[2];
    const double x = view[0] * w[0] + view[4] * w[1] + view[8] * w[2] + view[12];
    const double y = view[1] * w[0] + view[5] * w[1] + view[9] * w[2] + view[13];
    if (corner == 0 || x < lowX) lowX = x;
    if (corner == 0 || x > highX) highX = x;
    if (corner == 0 || y < lowY) lowY = y;
    if (corner == 0 || y > highY) highY = y;
  }
  const double width = highX - lowX, height = highY - lowY;
  const double aspect = static_cast<double>(camera.ScreenHeight) / camera.ScreenWidth;
  const double volume = std::max(height, width * aspect) / share;
  if (!(volume > 0.0) || !std::isfinite(volume)) return;
  // Move eye and reference point together along the view's right (s) and up (u) directions.
  const double cx = (lowX + highX) / 2.0, cy = (lowY + highY) / 2.0;
  const double shift[3] = {cx * view[0] + cy * view[1], cx * view[4] + cy * view[5],
                           cx * view[8] + cy * view[9]};
  camera.SetRef(static_cast<float>(camera.RefPos().x + shift[0]),
                static_cast<float>(camera.RefPos().y + shift[1]),
                static_cast<float>(camera.RefPos().z + shift[2]));
  camera.SetEye(static_cast<float>(camera.EyePos().x + shift[0]),
                static_cast<float>(camera.EyePos().y + shift[1]),
                static_cast<float>(camera.EyePos().z + shift[2]));
  camera.SetViewRect(0.0f, static_cast<float>(volume));
}

void ZoomToFit(Cls4& camera, Cls8& drawScene, bool showPI, const SceneExtras& extras,
               const SceneDrawState& drawState) {
  if (drawScene.Count() == 0) return;
  Cls1 box = drawScene.GetBox(0, showPI, drawState.planeCurveBox);
  const int32_t kind = State().SceneKind;
  if (kind == 3 || kind == 6) {
    const SceneScaling scaling = FrameScaling(box, extras);
    box = scaling.ShownBox(scaling.framed);
    if (extras.labels == LabelStyle::kScreen) {
      FitBoxToView(camera, box, OrientationMatrix(drawScene, drawState), kFitShare);
      return;
    }
  }
  if (kind == 7) {
    // Colour maps lie flat: scene X across and scene Z upwards in the plane z = 0, while the
    // box's Y is the magnitude that only colours them. Fit what is drawn.
    camera.ZoomAll(box.MinX, box.MinZ, 0.0f, box.MaxX, box.MaxZ, 0.0f);
  } else {
    camera.ZoomAll(box.MinX, box.MinY, box.MinZ, box.MaxX, box.MaxY, box.MaxZ);
  }
  // The doubled volume leaves room for the labels drawn in the scene around the box.
  camera.Zoom(2.0f);
}

bool RenderScene(Cls8& drawScene, Cls3& axes, const HeadlessRenderOptions& options, SceneDrawState& drawState,
                 QImage& image, std::string& error, std::vector<std::string>* problems) {
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
  SetScreen(camera, options.width, options.height);
  // The view volume takes the picture's shape, so a picture that is not square is undistorted.
  camera.SetViewRect(camera.VolWidth, camera.VolHeight);
  if (options.projectType) camera.ProjectType = *options.projectType;
  if (options.view) {
    ApplyPresetView(drawScene, *options.view);
    drawState.trackballActive = false;
  }
  if (options.fit) ZoomToFit(camera, drawScene, axes.ShowPI, options.extras, drawState);

  frame.SetSceneExtras(options.extras);
  frame.CompileScene(drawScene, axes, drawState);
  if (options.markRoots) {
    // After the compile: a mark's height comes from the tables the graphs were drawn from.
    std::vector<std::string> ignored;
    frame.SetRootMarks(SearchAndMarkAll(drawScene, problems ? *problems : ignored));
  }
  int32_t step = options.frame;
  frame.Display(step, drawScene, camera, light, drawState);
  if (options.legend) {
    if (const std::optional<LegendSpec> legend = SceneLegend(drawScene))
      DrawLegendGl(QSize(options.width, options.height), *legend);
  }
  image = context.ReadImage();
  frame.Release();
  return true;
}

}  // namespace quillon
