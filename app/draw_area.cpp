#include "app/draw_area.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <utility>

#include "app/mouse_navigator.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/scene_document.h"
#include "scene/camera.h"
#include "scene/model/light.h"

namespace quillon {

DrawArea::DrawArea(SceneDocument& document, Cls4& camera, Cls10& light, MouseNavigator& navigator,
                   QWidget* parent)
    : QOpenGLWidget(parent), document_(document), camera_(camera), light_(light), navigator_(navigator) {
  setObjectName("picDraw");
  setFocusPolicy(Qt::ClickFocus);
}

DrawArea::~DrawArea() {
  // ~QOpenGLWidget destroys the context after this object has stopped being a DrawArea, so
  // the context must not call back into it: free the lists here, with the context still alive.
  if (QOpenGLContext* glContext = context()) disconnect(glContext, nullptr, this, nullptr);
  ReleaseGl();
}

QSize DrawArea::PixelSize() const {
  const qreal ratio = devicePixelRatioF();
  return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void DrawArea::initializeGL() {
  if (!context() || !context()->isValid()) {
    MsgBox("ChoosePixelFormat failed", kAppTitle, MsgIcon::Critical);
    return;
  }
  // The lists and fonts belong to this context; free them with it.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &DrawArea::ReleaseGl, Qt::UniqueConnection);
  frame_.Initialize();  // a font that cannot be built has been reported; drawing goes on
  initialized_ = true;
  compilePending_ = true;
}

void DrawArea::ReleaseGl() {
  if (!initialized_) return;
  makeCurrent();
  frame_.Release();
  doneCurrent();
  initialized_ = false;
}

void DrawArea::resizeGL(int, int) {
  const QSize pixels = PixelSize();
  camera_.SetScreen(pixels.width(), pixels.height());
  KeepAspect(camera_);
}

void DrawArea::KeepAspect(Cls4& camera) {
  // The view volume follows the drawing area's shape (its height is kept), so a window that
  // is not square shows the scene undistorted.
  camera.SetViewRect(camera.VolWidth, camera.VolHeight);
}

void DrawArea::RequestCompile() {
  compilePending_ = true;
  update();
}

void DrawArea::SetRootMarks(std::vector<RootMark> marks) {
  frame_.SetRootMarks(std::move(marks));
  update();
}

void DrawArea::RequestReorient() {
  reorientPending_ = true;
  update();
}

void DrawArea::CompileNow() {
  if (!initialized_) {
    RequestCompile();
    return;
  }
  makeCurrent();
  Compile();
  doneCurrent();
  update();
}

void DrawArea::Compile() {
  compilePending_ = false;
  try {
    frame_.CompileScene(document_.DrawScene, document_.Axes);
  } catch (const RuntimeError& error) {
    // A graph whose drawing fails leaves the lists as far as they were recorded.
    MsgBox(error.Description(), kAppTitle, MsgIcon::Critical);
  }
  ++compileCount_;
  emit compiled();
}

void DrawArea::paintGL() {
  if (!initialized_) return;
  // QOpenGLWidget draws into its own framebuffer sized in device pixels; keep the camera's
  // viewport on it even if a resize reached us before the context did.
  const QSize pixels = PixelSize();
  camera_.SetScreen(pixels.width(), pixels.height());
  KeepAspect(camera_);
  if (compilePending_) {
    Compile();
  } else if (reorientPending_) {
    try {
      frame_.CompileOrientation(document_.DrawScene, document_.Axes);
    } catch (const RuntimeError& error) {
      MsgBox(error.Description(), kAppTitle, MsgIcon::Critical);
    }
    ++compileCount_;
    emit compiled();
  }
  reorientPending_ = false;
  try {
    frame_.Display(State().CurrentFrame, document_.DrawScene, camera_, light_);
  } catch (const RuntimeError& error) {
    MsgBox(error.Description(), kAppTitle, MsgIcon::Critical);
  }
  ++frameCount_;
  emit frameDrawn();
}

void DrawArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    navigator_.MouseDown(static_cast<float>(event->position().x()),
                         static_cast<float>(event->position().y()));
  } else if (event->button() == Qt::RightButton) {
    emit contextMenuRequested(event->globalPosition().toPoint());
  }
}

void DrawArea::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::LeftButton) return;
  const auto effect =
      navigator_.MouseMove(static_cast<float>(event->position().x()),
                           static_cast<float>(event->position().y()), width(), height(), camera_);
  if (effect == MouseNavigator::Effect::Recompile)
    RequestReorient();
  else if (effect == MouseNavigator::Effect::Repaint)
    update();
}

}  // namespace quillon
