#include "app/draw_area.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <algorithm>

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

void DrawArea::BringListsUpToDate() {
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
}

QImage DrawArea::RenderPicture(const QSize& size, QString* error) {
  auto fail = [error](const QString& reason) {
    if (error) *error = reason;
    return QImage();
  };
  if (!initialized_) return fail(QStringLiteral("the drawing area has no OpenGL context yet"));
  makeCurrent();
  GLint largest = 0;
  GLint viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  const int limit = std::min({largest, viewport[0], viewport[1]});
  if (size.width() > limit || size.height() > limit) {
    doneCurrent();
    return fail(QStringLiteral("this OpenGL draws at most %1 pixels a side").arg(limit));
  }
  BringListsUpToDate();
  QOpenGLFramebufferObjectFormat format;
  format.setAttachment(QOpenGLFramebufferObject::Depth);
  QImage picture;
  {
    QOpenGLFramebufferObject buffer(size, format);
    if (!buffer.isValid() || !buffer.bind()) {
      doneCurrent();
      return fail(QStringLiteral("no frame buffer of %1 x %2 pixels could be made")
                      .arg(size.width())
                      .arg(size.height()));
    }
    // A copy of the camera takes the picture's size, so the window's view stays as it is.
    Cls4 camera = camera_;
    camera.SetScreen(size.width(), size.height());
    KeepAspect(camera);
    try {
      frame_.Display(State().CurrentFrame, document_.DrawScene, camera, light_);
    } catch (const RuntimeError& runtime) {
      buffer.release();
      doneCurrent();
      return fail(QString::fromStdString(runtime.Description()));
    }
    picture = buffer.toImage();
    buffer.release();
  }
  doneCurrent();
  update();  // the next frame sets the window's own viewport again
  if (picture.isNull()) return fail(QStringLiteral("there is not enough memory for the picture"));
  return picture;
}

void DrawArea::paintGL() {
  if (!initialized_) return;
  // QOpenGLWidget draws into its own framebuffer sized in device pixels; keep the camera's
  // viewport on it even if a resize reached us before the context did.
  const QSize pixels = PixelSize();
  camera_.SetScreen(pixels.width(), pixels.height());
  KeepAspect(camera_);
  BringListsUpToDate();
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
