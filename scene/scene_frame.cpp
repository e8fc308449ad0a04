#include "scene/scene_frame.h"

#include <GL/gl.h>

#include <algorithm>

#include "common/program_state.h"
#include "graph/codes.h"
#include "render/graph_draw.h"
#include "render/texture_registry.h"
#include "scene/axes_draw.h"
#include "scene/container_draw.h"
#include "scene/light_gl.h"
#include "scene/model/quaternion.h"
#include "scene/text.h"

namespace quillon {

namespace {

constexpr float kDegreesToRadians = 3.1416f / 180.0f;

bool IsPlaneKind(int32_t kind) {
  return kind == 1 || kind == 4;
}

// Textures made while compiling belong to the lists that use them; they go with the lists.
void DeleteCompiledTextures() {
  DeleteTexturesCreatedSinceLastCompile();
}

}  // namespace

bool SceneFrame::Initialize() {
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_DITHER);
  glDepthFunc(GL_LEQUAL);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  initialized_ = true;
  return CreateSceneFonts();
}

void SceneFrame::ApplyOrientation(const Cls8& drawScene) {
  ProgramState& state = State();
  if (!state.TrackballActive) {
    const Quat roll = AxisToQuat({0.0f, 0.0f, 1.0f}, drawScene.RotRoll * kDegreesToRadians);
    const Quat pitch = AxisToQuat({1.0f, 0.0f, 0.0f}, drawScene.RotPitch * kDegreesToRadians);
    const Quat yaw = AxisToQuat({0.0f, 1.0f, 0.0f}, drawScene.RotYaw * kDegreesToRadians);
    // Roll first, then pitch, then yaw; a later mouse rotation continues from the result.
    state.CurrentRotation = AddQuats(AddQuats(roll, pitch), yaw);
  }
  orientation_ = BuildRotMatrix(state.CurrentRotation);
  glMultMatrixf(orientation_.data());
}

// Ends the list being compiled even when a run-time error leaves the drawing early, so the
// context is never left recording; the error itself goes on to the caller.
struct ListRecording {
  explicit ListRecording(uint32_t list) { glNewList(list, GL_COMPILE); }
  ~ListRecording() { glEndList(); }
  ListRecording(const ListRecording&) = delete;
  ListRecording& operator=(const ListRecording&) = delete;
};

void SceneFrame::CompileContent(uint32_t list, Cls8& drawScene, Cls3& axes, Cls1 box, int32_t frame) {
  const ListRecording recording(list);
  const bool anyShown = drawScene.Count() > 0;
  if (anyShown && IsPlaneKind(State().SceneKind)) {
    DrawBackground(axes, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ);
    Draw2DGrid(axes, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ);
  }
  Draw(drawScene, frame);
  if (anyShown) {
    if (axes.Show) Draw(axes, gtp::kSurface, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ);
    // Point markers are drawn once more over the frame so that it never hides them.
    for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
      if (entry.graph->GraphType != gtp::kPoint) continue;
      int32_t step = entry.graph->Animation ? frame : 0;
      Draw(*entry.graph, step);
    }
  }
}

void SceneFrame::DeleteLists() {
  if (sceneList_ != 0) glDeleteLists(sceneList_, 1);
  if (frameListBase_ != 0 && frameListCount_ > 0) glDeleteLists(frameListBase_, frameListCount_);
  sceneList_ = 0;
  frameListBase_ = 0;
  frameListCount_ = 0;
}

void SceneFrame::DeleteContentLists() {
  if (contentBase_ != 0 && contentCount_ > 0) glDeleteLists(contentBase_, contentCount_);
  contentBase_ = 0;
  contentCount_ = 0;
  contentAnimated_ = false;
}

void SceneFrame::CompileScene(Cls8& drawScene, Cls3& axes) {
  Cls1 box = drawScene.GetBox(0, axes.ShowPI);
  DeleteLists();
  DeleteContentLists();
  DeleteCompiledTextures();

  if (drawScene.Animation()) {
    const int32_t frames = std::max(State().FrameCount, 0);
    Cls1 all = Cls1::Empty();
    for (int32_t i = 0; i <= frames; ++i) {
      const Cls1 b = drawScene.GetBox(i, axes.ShowPI);
      all.MinX = std::min(all.MinX, b.MinX);
      all.MinY = std::min(all.MinY, b.MinY);
      all.MinZ = std::min(all.MinZ, b.MinZ);
      all.MaxX = std::max(all.MaxX, b.MaxX);
      all.MaxY = std::max(all.MaxY, b.MaxY);
      all.MaxZ = std::max(all.MaxZ, b.MaxZ);
    }
    all.MinX -= 0.1f;
    all.MinY -= 0.1f;
    all.MinZ -= 0.1f;
    all.MaxX += 0.1f;
    all.MaxY += 0.1f;
    all.MaxZ += 0.1f;
    contentBase_ = glGenLists(frames + 1);
    if (contentBase_ == 0) return;
    contentCount_ = frames + 1;
    contentAnimated_ = true;
    for (int32_t h = 0; h <= frames; ++h) CompileContent(contentBase_ + h, drawScene, axes, all, h);
  } else {
    contentBase_ = glGenLists(1);
    if (contentBase_ == 0) return;
    contentCount_ = 1;
    CompileContent(contentBase_, drawScene, axes, box, 0);
  }
  CompileOrientation(drawScene, axes);
}

void SceneFrame::CompileOrientation(Cls8& drawScene, Cls3& axes) {
  if (contentCount_ == 0 || contentAnimated_ != drawScene.Animation()) {
    CompileScene(drawScene, axes);
    return;
  }
  DeleteLists();
  const uint32_t base = glGenLists(contentCount_);
  if (base == 0) return;
  for (int32_t h = 0; h < contentCount_; ++h) {
    const ListRecording recording(base + h);
    ApplyOrientation(drawScene);
    glCallList(contentBase_ + h);
  }
  if (contentAnimated_) {
    frameListBase_ = base;
    frameListCount_ = contentCount_;
  } else {
    sceneList_ = base;
  }
}

uint32_t SceneFrame::ListForFrame(const Cls8& drawScene, int32_t lngAnimStep) const {
  if (!drawScene.Animation()) return sceneList_;
  if (frameListCount_ == 0) return 0;
  // Frame f (1-based) is list base + f - 1; frame 0 shares the first. A frame beyond the
  // compiled ones shows the last rather than some unrelated list.
  const int32_t index = std::clamp(lngAnimStep == 0 ? 0 : lngAnimStep - 1, 0, frameListCount_ - 1);
  return frameListBase_ + static_cast<uint32_t>(index);
}

void SceneFrame::Display(int32_t& lngAnimStep, Cls8& drawScene, Cls4& camera, const Cls10& light) {
  // The camera comes first: OpenGL takes a light's position through the model-view matrix in
  // force when it is given, and only the camera's own look-at keeps the light where it was on
  // the frame before. Given under the previous frame's matrix, the first frame after the
  // camera moved (a new graph, Zoom to Fit) was lit from somewhere else.
  camera.Projection(drawScene);
  SetLight(light);
  glShadeModel(GL_SMOOTH);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  const uint32_t list = ListForFrame(drawScene, lngAnimStep);
  if (list != 0) glCallList(list);
  glPopMatrix();
  DrawRootMarks(rootMarks_, orientation_);
  glFinish();
}

void SceneFrame::Release() {
  if (!initialized_) return;
  DeleteLists();
  DeleteContentLists();
  DeleteCompiledTextures();
  DeleteSceneFonts();
  initialized_ = false;
}

}  // namespace quillon
