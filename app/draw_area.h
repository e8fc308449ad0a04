#pragma once
// picDraw: the OpenGL drawing area. It owns the window's context (through QOpenGLWidget)
// and the compiled scene, runs Initialize once, CompileScene when asked and Display on
// every repaint, gives the camera its size in device pixels and turns mouse drags into
// navigation steps.

#include <QOpenGLWidget>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/map_resampler.h"
#include "expr/program.h"
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
  MapResampler& Resampler() { return resampler_; }
  // The status bar text for the point under window position (x, y) in widget pixels: the
  // colour map's f(z) evaluated there, or the surface grid point the depth there hits.
  QString ReadoutAt(double x, double y);
  int CompileCount() const { return compileCount_; }
  int FrameCount() const { return frameCount_; }
  const SceneFrame& Frame() const { return frame_; }
  // Zero and pole marks over the picture from the next frame on (empty: none).
  void SetRootMarks(std::vector<RootMark> marks);
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
  // The value under the mouse as the status bar shows it; empty where there is none.
  void hoverReadout(const QString& text);

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Compile();
  // Records again what changed since the last frame (a full compile or the orientation).
  void BringListsUpToDate();
  // CompileScene, or CompileOrientation only, with the program's values; stores back what it
  // left and reports a drawing failure.
  void RunCompile(bool orientationOnly);
  void ReleaseGl();
  QString MapReadout(const ViewTransform& view, double x, double y);
  QString SurfaceReadout(const ViewTransform& view, double x, double y);

  SceneDocument& document_;
  Cls4& camera_;
  Cls10& light_;
  MouseNavigator& navigator_;
  MapResampler resampler_;
  // Compiled w = f(z) of the graphs the mouse last passed over, by expression text.
  std::map<std::string, std::optional<CompiledProgram>> programs_;
  SceneFrame frame_;
  bool initialized_ = false;
  bool compilePending_ = true;
  bool reorientPending_ = false;
  int compileCount_ = 0;
  int frameCount_ = 0;
};

}  // namespace quillon
