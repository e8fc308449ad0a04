#pragma once
// picDraw: the OpenGL drawing area. It owns the window's context (through QOpenGLWidget)
// and the compiled scene, runs Initialize once, CompileScene when asked and Display on
// every repaint, gives the camera its size in device pixels and turns mouse drags into
// navigation steps.

#include <QOpenGLWidget>

#include "scene/scene_frame.h"

namespace quillon {

class Cls4;
class Cls10;
class MouseNavigator;
class SceneDocument;

class DrawArea : public QOpenGLWidget {
  Q_OBJECT
 public:
  DrawArea(SceneDocument& document, Cls4& camera, Cls10& light, MouseNavigator& navigator,
           QWidget* parent = nullptr);
  ~DrawArea() override;

  // CompileScene runs before the next Display; several requests between two frames compile
  // once.
  void RequestCompile();
  // The orientation changed but not the content (rotation, preset view): only the small
  // orientation lists are recorded again at the next paint.
  void RequestReorient();
  static void KeepAspect(Cls4& camera);
  // CompileScene now (making the context current) instead of at the next frame.
  void CompileNow();

  bool Initialized() const { return initialized_; }
  int CompileCount() const { return compileCount_; }
  int FrameCount() const { return frameCount_; }
  const SceneFrame& Frame() const { return frame_; }
  // The drawing area's size in device pixels, what the camera is given.
  QSize PixelSize() const;
  // The scene as the drawing area shows it (same lists, camera and light), drawn again into
  // an offscreen frame buffer of `size` pixels: the view keeps its height in scene units and
  // its width follows the picture's shape. A null picture with *error set when the frame
  // buffer cannot be made (no context yet, a size the OpenGL cannot hold, no memory).
  QImage RenderPicture(const QSize& size, QString* error);

 signals:
  // A right click: the graph edit menu goes here (global position).
  void contextMenuRequested(const QPoint& globalPos);
  // After every CompileScene.
  void compiled();
  // After every Display.
  void frameDrawn();

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Compile();
  // Records again what changed since the last frame (a full compile or the orientation).
  void BringListsUpToDate();
  void ReleaseGl();

  SceneDocument& document_;
  Cls4& camera_;
  Cls10& light_;
  MouseNavigator& navigator_;
  SceneFrame frame_;
  bool initialized_ = false;
  bool compilePending_ = true;
  bool reorientPending_ = false;
  int compileCount_ = 0;
  int frameCount_ = 0;
};

}  // namespace quillon
