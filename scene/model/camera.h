#pragma once
// The camera: view volume, drawing-area size, eye and reference points, up vector and
// projection type, with the maths of fitting, zooming, panning and its matrices. No OpenGL:
// scene/camera_gl.h sets the viewport and loads the matrices.

#include <array>
#include <cstdint>

#include "graph/box.h"
#include "graph/point.h"

namespace quillon {

// The camera of the scene: view volume, eye, reference point, up vector, projection type.
class Cls4 {
 public:
  int32_t ProjectType = 1;  // 1 orthographic, 2 perspective
  float ScreenHeight = 200.0f;
  float ScreenWidth = 200.0f;
  float VolHeight = 40.0f;
  float VolWidth = 40.0f;
  float VolNear = 0.001f;
  float VolFar = 2000.0f;
  float Volleft = 0.0f;
  float VolRight = 0.0f;
  float VolTop = 0.0f;
  float VolBottom = 0.0f;

  float VecUp(int32_t lngIndex) const;  // subscript error outside 0..2
  void SetVecUp(int32_t lngIndex, float value);
  Cls2& RefPos() { return refPos_; }
  Cls2& EyePos() { return eyePos_; }
  const Cls2& RefPos() const { return refPos_; }
  const Cls2& EyePos() const { return eyePos_; }

  void GetViewRect(float& Wide, float& Height) const;
  void SetVecup(float x, float y, float z);
  void SetRef(float x, float y, float z);
  void SetEye(float x, float y, float z);
  // VolHeight = Height, VolWidth = Height x ScreenWidth / ScreenHeight.
  void SetViewRect(float Wide, float Height);
  // The drawing area's size in pixels; a height of 0 counts as 1. SetScreen (camera_gl.h) also
  // sets the viewport.
  void SetScreenSize(int32_t x, int32_t y);
  void MoveView(float dx, float dy);
  void ZoomAll(float MinX, float MinY, float MinZ, float MaxX, float MaxY, float MaxZ);
  void Zoom(float scal);

  // What Projection does besides loading: sets the volume's left, right, bottom and top and
  // returns the projection matrix for the scene's box (which only the perspective type reads);
  // after a perspective projection the orthographic volume keeps a small near distance.
  std::array<double, 16> UpdateProjection(const Cls1& sceneBox);

  // The matrices Projection loads, column-major as GL takes them (for tests and picking).
  std::array<double, 16> ProjectionMatrix(const Cls1& sceneBox) const;
  std::array<double, 16> ModelViewMatrix() const;

  // The near distance of the perspective frustum for a scene box: 1000 - E (E the largest
  // extent), or, when the scene is as deep as the eye distance, a small positive fraction
  // of the far distance so the frustum stays valid. An empty (inverted) box counts as E = 0.
  double PerspectiveNear(const Cls1& sceneBox) const;

 private:
  std::array<float, 3> vecUp_{0.0f, 1.0f, 0.0f};
  Cls2 refPos_;
  Cls2 eyePos_ = Cls2{}.Init(0.0f, 0.0f, 1000.0f);
};

}  // namespace quillon
