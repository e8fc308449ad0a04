#pragma once
// Material presets: the thirteen named OpenGL materials and the object that applies one.

#include <array>
#include <cstdint>

namespace quillon {

// One preset's reflectances (R, G, B, A each) and specular exponent.
struct MaterialPreset {
  std::array<float, 4> ambient;
  std::array<float, 4> diffuse;
  std::array<float, 4> specular;
  std::array<float, 4> emission;
  float shininess;
};

// The presets for codes 1..13 (index code - 1), in the order of the material lists.
const std::array<MaterialPreset, 13>& MaterialPresets();

// A set of OpenGL material parameters that loads a preset and applies it to both faces.
class Cls11 {
 public:
  // Preset code last stored by a caller; SetMaterial neither reads nor writes it.
  int32_t MatType = 0;

  // Element accessors; an index outside 0..3 (0 for Shininess) raises the subscript error
  // and leaves the array unchanged. They make no OpenGL call.
  float Ambient(int32_t intIndex) const;
  void SetAmbient(int32_t intIndex, float value);
  float Diffuse(int32_t intIndex) const;
  void SetDiffuse(int32_t intIndex, float value);
  float Specular(int32_t intIndex) const;
  void SetSpecular(int32_t intIndex, float value);
  float Emission(int32_t intIndex) const;
  void SetEmission(int32_t intIndex, float value);
  float Shininess(int32_t intIndex) const;
  void SetShininess(int32_t intIndex, float value);

  // Codes 1..13 overwrite every component with the preset; any other code keeps the arrays.
  // Then the arrays are applied: GL_DIFFUSE, GL_SPECULAR, GL_SHININESS, GL_EMISSION,
  // GL_AMBIENT, each for GL_FRONT_AND_BACK. Needs a current context.
  void SetMaterial(int32_t materType);

 private:
  std::array<float, 4> ambient_{};
  std::array<float, 4> diffuse_{};
  std::array<float, 4> specular_{};
  std::array<float, 4> emission_{};
  std::array<float, 1> shininess_{};
};

}  // namespace quillon
