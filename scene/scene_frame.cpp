#include "scene/scene_frame.h"

#include <GL/gl.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/program_state.h"
#include "graph/codes.h"
#include "render/graph_draw.h"
#include "render/texture_registry.h"
#include "scene/axes_draw.h"
#include "scene/camera_gl.h"
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

namespace {

Quat AnglesRotation(const Cls8& drawScene) {
  const Quat roll = AxisToQuat({0.0f, 0.0f, 1.0f}, drawScene.RotRoll * kDegreesToRadians);
  const Quat pitch = AxisToQuat({1.0f, 0.0f, 0.0f}, drawScene.RotPitch * kDegreesToRadians);
  const Quat yaw = AxisToQuat({0.0f, 1.0f, 0.0f}, drawScene.RotYaw * kDegreesToRadians);
  // Roll first, then pitch, then yaw; a later mouse rotation continues from the result.
  return AddQuats(AddQuats(roll, pitch), yaw);
}

bool IsBoxKind(int32_t kind) {
  return kind == 3 || kind == 6;
}

// Draws a premultiplied RGBA picture (top row first) with its top left corner at window pixel
// (x, y) of a drawing area `height` pixels high, blended over what is there.
void DrawOverlayImage(const QImage& image, int x, int y, int height) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_FOG);
  glDisable(GL_CLIP_PLANE0);
  glDisable(GL_CLIP_PLANE1);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelZoom(1.0f, -1.0f);
  // The raster position starts at the lower left corner and is moved by an empty bitmap, so
  // it stays valid wherever the picture goes.
  glRasterPos2f(-1.0f, -1.0f);
  glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(x), static_cast<float>(height - y), nullptr);
  glDrawPixels(image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
  glPixelZoom(1.0f, 1.0f);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace

std::array<float, 16> OrientationMatrix(const Cls8& drawScene, const SceneDrawState& drawState) {
  return BuildRotMatrix(drawState.trackballActive ? drawState.currentRotation : AnglesRotation(drawScene));
}

SceneScaling FrameScaling(const Cls1& box, const SceneExtras& extras) {
  if (!IsBoxKind(State().SceneKind)) return ScalingFor(box, BoxScale::kTrueScale);
  return ScalingFor(box, extras.box, kSceneBoxPadding);
}

void SceneFrame::ApplyOrientation(const Cls8& drawScene, SceneDrawState& drawState) {
  // Without a mouse rotation the angles are what is shown, and a later drag continues from them.
  if (!drawState.trackballActive) drawState.currentRotation = AnglesRotation(drawScene);
  orientation_ = BuildRotMatrix(drawState.currentRotation);
  glMultMatrixf(orientation_.data());
}

ScreenProjection SceneFrame::OverlayProjection(const Cls4& camera) const {
  ScreenProjection p;
  p.width = camera.ScreenWidth;
  p.height = camera.ScreenHeight;
  std::array<double, 16> rotation{};
  for (size_t i = 0; i < 16; ++i) rotation[i] = orientation_[i];
  p.matrix = ScreenProjection::Multiply(camera.ProjectionMatrix(compiledBox_),
                                        ScreenProjection::Multiply(camera.ModelViewMatrix(), rotation));
  return p;
}

void SceneFrame::DrawOverlay(const Cls4& camera) const {
  if (!labels_.active) return;
  const ScreenProjection projection = OverlayProjection(camera);
  const std::vector<PlacedLabel> labels = LayoutFrameLabels(labels_, projection);
  if (labels.empty()) return;
  QRectF area;
  for (const PlacedLabel& label : labels) area = area.united(label.rect);
  const QRect pixels = area.toAlignedRect().intersected(
      QRect(0, 0, static_cast<int>(projection.width), static_cast<int>(projection.height)));
  if (pixels.isEmpty()) return;
  QImage image(pixels.size(), QImage::Format_RGBA8888_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.translate(-pixels.topLeft());
    PaintFrameLabels(painter, labels_, projection);
  }
  DrawOverlayImage(image, pixels.x(), pixels.y(), static_cast<int>(projection.height));
}

// Ends the list being compiled even when a run-time error leaves the drawing early, so the
// context is never left recording; the error itself goes on to the caller.
struct ListRecording {
  explicit ListRecording(uint32_t list) { glNewList(list, GL_COMPILE); }
  ~ListRecording() { glEndList(); }
  ListRecording(const ListRecording&) = delete;
  ListRecording& operator=(const ListRecording&) = delete;
};

void SceneFrame::CompileContent(uint32_t list, Cls8& drawScene, Cls3& axes, Cls1 box, int32_t frame,
                                SceneDrawState& drawState) {
  const ListRecording recording(list);
  const bool anyShown = drawScene.Count() > 0;
  if (anyShown && IsPlaneKind(State().SceneKind)) {
    DrawBackground(axes, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ);
    Draw2DGrid(axes, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinZ, box.MaxZ, drawScene.SceneUnit);
  }
  // In a cube the graphs are drawn scaled; the frame is drawn at the scaled box with the
  // true values as its labels.
  const SceneScaling scaling = FrameScaling(box, extras_);
  const Cls1 shown = scaling.ShownBox(scaling.framed);
  auto scaled = [&](auto&& draw) {
    if (scaling.IsIdentity()) {
      draw();
      return;
    }
    glPushMatrix();
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_NORMALIZE);
    glScaled(scaling.scale[0], scaling.scale[1], scaling.scale[2]);
    glTranslated(-scaling.centre[0], -scaling.centre[1], -scaling.centre[2]);
    draw();
    glPopAttrib();
    glPopMatrix();
  };
  scaled([&] { Draw(drawScene, frame, drawState.planeCurveBox, drawState.resultText); });
  const bool text3D = extras_.labels == LabelStyle::kText3D;
  labels_ = FrameLabelSet{};
  if (anyShown) {
    if (axes.Show) {
      Cls1 frameBox = shown;
      const FrameLabelValues values{scaling.framed, text3D};
      Draw(axes, gtp::kSurface, frameBox.MinX, frameBox.MaxX, frameBox.MinY, frameBox.MaxY, frameBox.MinZ,
           frameBox.MaxZ, drawScene.SceneUnit, &values);
      if (!text3D && IsBoxKind(State().SceneKind) && axes.AxisStyle == 1) {
        labels_.active = true;
        labels_.shown = shown;
        labels_.values = scaling.framed;
        // User X runs along scene z, user Y along scene x, user Z along scene y.
        labels_.intervals = {FrameIntervals(axes.LabelNumY), FrameIntervals(axes.LabelNumZ),
                             FrameIntervals(axes.LabelNumX)};
        labels_.titles = {axes.TitleY, axes.TitleZ, axes.TitleX};
      }
    }
    // Point markers are drawn once more over the frame so that it never hides them.
    scaled([&] {
      for (const Cls8::Entry& entry : drawScene.FunSurfs()) {
        if (entry.graph->GraphType != gtp::kPoint) continue;
        int32_t step = entry.graph->Animation ? frame : 0;
        Draw(*entry.graph, step, drawState.planeCurveBox, drawState.resultText);
      }
    });
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

void SceneFrame::CompileScene(Cls8& drawScene, Cls3& axes, SceneDrawState& drawState) {
  Cls1 box = drawScene.GetBox(0, axes.ShowPI, drawState.planeCurveBox);
  compiledBox_ = box;
  DeleteLists();
  DeleteContentLists();
  DeleteCompiledTextures();

  if (drawScene.Animation()) {
    const int32_t frames = std::max(drawState.frameCount, 0);
    Cls1 all = Cls1::Empty();
    for (int32_t i = 0; i <= frames; ++i) {
      const Cls1 b = drawScene.GetBox(i, axes.ShowPI, drawState.planeCurveBox);
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
    for (int32_t h = 0; h <= frames; ++h)
      CompileContent(contentBase_ + h, drawScene, axes, all, h, drawState);
  } else {
    contentBase_ = glGenLists(1);
    if (contentBase_ == 0) return;
    contentCount_ = 1;
    CompileContent(contentBase_, drawScene, axes, box, 0, drawState);
  }
  CompileOrientation(drawScene, axes, drawState);
}

void SceneFrame::CompileOrientation(Cls8& drawScene, Cls3& axes, SceneDrawState& drawState) {
  if (contentCount_ == 0 || contentAnimated_ != drawScene.Animation()) {
    CompileScene(drawScene, axes, drawState);
    return;
  }
  DeleteLists();
  const uint32_t base = glGenLists(contentCount_);
  if (base == 0) return;
  for (int32_t h = 0; h < contentCount_; ++h) {
    const ListRecording recording(base + h);
    ApplyOrientation(drawScene, drawState);
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

void SceneFrame::Display(int32_t& lngAnimStep, Cls8& drawScene, Cls4& camera, const Cls10& light,
                         const SceneDrawState& drawState) {
  // The camera comes first: OpenGL takes a light's position through the model-view matrix in
  // force when it is given, and only the camera's own look-at keeps the light where it was on
  // the frame before. Given under the previous frame's matrix, the first frame after the
  // camera moved (a new graph, Zoom to Fit) was lit from somewhere else.
  Projection(camera, drawScene, drawState.planeCurveBox);
  SetLight(light);
  glShadeModel(GL_SMOOTH);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  const uint32_t list = ListForFrame(drawScene, lngAnimStep);
  if (list != 0) glCallList(list);
  glPopMatrix();
  DrawRootMarks(rootMarks_, orientation_);
  DrawOverlay(camera);
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
