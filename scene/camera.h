#pragma once
// The camera: view volume, drawing-area size, eye and reference points, up vector and
// projection type. The matrices are computed as maths; only Projection loads them into GL.

#include <array>
#include <cstdint>

#include "graph/box.h"
#include "graph/point.h"

namespace quillon {

class Cls8;

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
  // glViewport(0, 0, x, y); a height of 0 counts as 1.
  void SetScreen(int32_t x, int32_t y);
  void MoveView(float dx, float dy);
  void ZoomAll(float MinX, float MinY, float MinZ, float MaxX, float MaxY, float MaxZ);
  void Zoom(float scal);

  // Loads the projection and model-view matrices; the perspective near distance comes from
  // the scene's box for frame 0.
  void Projection(Cls8& drawScene);

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
