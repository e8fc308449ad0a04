#include "app/draw_area.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "app/mouse_navigator.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/scene_document.h"
#include "document/state_exchange.h"
#include "graph/codes.h"
#include "graph/sample_value.h"
#include "graph/value_readout.h"
#include "graph/view_sampling.h"
#include "scene/camera_gl.h"
#include "scene/legend.h"
#include "scene/model/light.h"
#include "scene/view_pick.h"

namespace quillon {

DrawArea::DrawArea(SceneDocument& document, Cls4& camera, Cls10& light, MouseNavigator& navigator,
                   QWidget* parent)
    : QOpenGLWidget(parent),
      document_(document),
      camera_(camera),
      light_(light),
      navigator_(navigator),
      resampler_(document) {
  setObjectName("picDraw");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);  // for the value readout
  // A sharper picture of a zoomed colour map is part of the compiled scene.
  connect(&resampler_, &MapResampler::viewSampled, this, [this] {
    compilePending_ = true;
    update();
  });
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
  SetScreen(camera_, pixels.width(), pixels.height());
  KeepAspect(camera_);
}

void DrawArea::KeepAspect(Cls4& camera) {
  // The view volume follows the drawing area's shape (its height is kept), so a window that
  // is not square shows the scene undistorted.
  camera.SetViewRect(camera.VolWidth, camera.VolHeight);
}

void DrawArea::RequestCompile() {
  compilePending_ = true;
  resampler_.SceneChanged();
  programs_.clear();
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
  RunCompile(false);
}

void DrawArea::RunCompile(bool orientationOnly) {
  SceneDrawState drawState = LoadSceneDrawState();
  std::optional<std::string> failure;
  try {
    frame_.SetSceneExtras(document_.Extras);
    if (orientationOnly) {
      frame_.CompileOrientation(document_.DrawScene, document_.Axes, drawState);
    } else {
      frame_.CompileScene(document_.DrawScene, document_.Axes, drawState);
    }
  } catch (const RuntimeError& error) {
    // A graph whose drawing fails leaves the lists as far as they were recorded.
    failure = error.Description();
  } catch (const std::bad_alloc&) {
    failure = orientationOnly
                  ? "Out of memory while turning the scene."
                  : "Out of memory while drawing the scene: the graphs are drawn as far as they fit.";
  }
  // What the compile left counts even when it stopped part way.
  StoreSceneDrawState(drawState);
  if (failure) MsgBox(*failure, kAppTitle, MsgIcon::Critical);
  ++compileCount_;
  emit compiled();
}

void DrawArea::BringListsUpToDate() {
  if (compilePending_) {
    Compile();
  } else if (reorientPending_) {
    RunCompile(true);
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
    SetScreen(camera, size.width(), size.height());
    KeepAspect(camera);
    try {
      frame_.Display(State().CurrentFrame, document_.DrawScene, camera, light_, LoadSceneDrawState());
      if (document_.Extras.legend) {
        if (const std::optional<LegendSpec> legend = SceneLegend(document_.DrawScene))
          DrawLegendGl(size, *legend);
      }
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
  SetScreen(camera_, pixels.width(), pixels.height());
  KeepAspect(camera_);
  BringListsUpToDate();
  try {
    frame_.Display(State().CurrentFrame, document_.DrawScene, camera_, light_, LoadSceneDrawState());
    if (State().SceneKind == 7) resampler_.ViewShown(CurrentViewTransform(camera_, document_.DrawScene));
    if (document_.Extras.legend) {
      if (const std::optional<LegendSpec> legend = SceneLegend(document_.DrawScene))
        DrawLegendGl(pixels, *legend);
    }
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
  if (event->buttons() == Qt::NoButton) {
    emit hoverReadout(ReadoutAt(event->position().x(), event->position().y()));
    return;
  }
  if (event->buttons() != Qt::LeftButton) return;
  const auto effect =
      navigator_.MouseMove(static_cast<float>(event->position().x()),
                           static_cast<float>(event->position().y()), width(), height(), camera_);
  if (effect == MouseNavigator::Effect::Recompile)
    RequestReorient();
  else if (effect == MouseNavigator::Effect::Repaint)
    update();
}

void DrawArea::leaveEvent(QEvent* event) {
  emit hoverReadout(QString());
  QOpenGLWidget::leaveEvent(event);
}

QString DrawArea::ReadoutAt(double x, double y) {
  if (!initialized_ || document_.DrawScene.Count() == 0) return QString();
  const qreal ratio = devicePixelRatioF();
  const ViewTransform view = CurrentViewTransform(camera_, document_.DrawScene);
  if (State().SceneKind == 7) return MapReadout(view, x * ratio, y * ratio);
  return SurfaceReadout(view, x * ratio, y * ratio);
}

QString DrawArea::MapReadout(const ViewTransform& view, double x, double y) {
  const std::optional<std::array<double, 2>> at = PickOnMapPlane(view, x, y);
  if (!at) return QString();
  // The map drawn last lies on top.
  const auto& entries = document_.DrawScene.FunSurfs();
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    const Cls9& g = *entry->graph;
    if (g.GraphType != gtp::kColorMap || g.VarX != quantity::kX || g.VarZ != quantity::kY) continue;
    const std::optional<MapPlacement> place = PlacementOf(g);
    if (!place) continue;
    const double zx = place->PlaneX((*at)[0]), zy = place->PlaneY((*at)[1]);
    if (zx < g.MinU || zx > g.MaxU || zy < g.MinV || zy > g.MaxV) continue;
    auto program = programs_.find(g.ExpressZ);
    if (program == programs_.end()) program = programs_.emplace(g.ExpressZ, CompileQuietly(g.ExpressZ)).first;
    if (!program->second) continue;
    return QString::fromStdString(ReadoutText({zx, zy}, EvaluateAt(*program->second, zx, zy)));
  }
  return QString();
}

QString DrawArea::SurfaceReadout(const ViewTransform& view, double x, double y) {
  makeCurrent();
  float depth = 1.0f;
  const int pixelX = static_cast<int>(x), pixelY = view.viewport[3] - 1 - static_cast<int>(y);
  if (pixelX >= 0 && pixelY >= 0 && pixelX < view.viewport[2])
    glReadPixels(pixelX, pixelY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  doneCurrent();
  if (!(depth < 1.0f)) return QString();  // the background
  const std::optional<std::array<double, 3>> at = Unproject(view, x, y, depth);
  if (!at) return QString();
  const Cls9* best = nullptr;
  GridHit bestHit;
  for (const Cls8::Entry& entry : document_.DrawScene.FunSurfs()) {
    const Cls9& g = *entry.graph;
    if (g.GraphType != gtp::kSurface) continue;
    const std::optional<GridHit> hit = NearestGridPoint(g, (*at)[0], (*at)[1], (*at)[2]);
    if (hit && (best == nullptr || hit->distance < bestHit.distance)) {
      best = &g;
      bestHit = *hit;
    }
  }
  if (best == nullptr) return QString();
  const int32_t k = bestHit.k, j = bestHit.j;
  const ComplexValue z{best->QuantityX.at(k, j), best->QuantityY.at(k, j)};
  const float u = best->QuantityU.at(k, j), v = best->QuantityV.at(k, j);
  const std::optional<ComplexValue> w =
      HasValue(u) && HasValue(v) ? std::optional<ComplexValue>(ComplexValue{u, v}) : std::nullopt;
  return QString::fromStdString(ReadoutText(z, w));
}

}  // namespace quillon
