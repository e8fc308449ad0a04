#pragma once
// The scene's light settings: one light (position and three colours) that the renderer
// mirrors into a second light at the opposite position, and the light-model switches.
// Loading them into OpenGL is SetLight in scene/light_gl.

#include <array>
#include <cstdint>

namespace quillon {

// The scene's light: position, three colours and the light-model switches.
class Cls10 {
 public:
  bool Enabled = true;

  // Indexed properties; an index outside the range raises the subscript error.
  float Position(int32_t lngIndex) const;
  void SetPosition(int32_t lngIndex, float value);
  float Diffuse(int32_t lngIndex) const;
  void SetDiffuse(int32_t lngIndex, float value);
  float Amission(int32_t lngIndex) const;  // ambient colour of both lights
  void SetAmission(int32_t lngIndex, float value);
  float Specular(int32_t lngIndex) const;
  void SetSpecular(int32_t lngIndex, float value);
  float GlobalAmbient(int32_t lngIndex) const;  // index 0 only: 1 on, 0 off
  void SetGlobalAmbient(int32_t lngIndex, float value);
  float TwoSides(int32_t lngIndex) const;  // index 0 only: 1 on, 0 off
  void SetTwoSides(int32_t lngIndex, float value);

  const std::array<float, 4>& PositionArray() const { return position_; }
  const std::array<float, 4>& DiffuseArray() const { return diffuse_; }
  const std::array<float, 4>& AmissionArray() const { return amission_; }
  const std::array<float, 4>& SpecularArray() const { return specular_; }

  bool operator==(const Cls10&) const = default;

 private:
  std::array<float, 4> position_{100.0f, 100.0f, 100.0f, 1.0f};
  std::array<float, 4> diffuse_{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<float, 4> amission_{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<float, 4> specular_{1.0f, 1.0f, 1.0f, 1.0f};
  float globalAmbient_ = 1.0f;
  float twoSides_ = 1.0f;
};

}  // namespace quillon
