#include "scene/model/light.h"

#include "common/runtime_error.h"

namespace quillon {

float Cls10::Position(int32_t i) const {
  CheckIndex(i, 4);
  return position_[i];
}
void Cls10::SetPosition(int32_t i, float v) {
  CheckIndex(i, 4);
  position_[i] = v;
}
float Cls10::Diffuse(int32_t i) const {
  CheckIndex(i, 4);
  return diffuse_[i];
}
void Cls10::SetDiffuse(int32_t i, float v) {
  CheckIndex(i, 4);
  diffuse_[i] = v;
}
float Cls10::Amission(int32_t i) const {
  CheckIndex(i, 4);
  return amission_[i];
}
void Cls10::SetAmission(int32_t i, float v) {
  CheckIndex(i, 4);
  amission_[i] = v;
}
float Cls10::Specular(int32_t i) const {
  CheckIndex(i, 4);
  return specular_[i];
}
void Cls10::SetSpecular(int32_t i, float v) {
  CheckIndex(i, 4);
  specular_[i] = v;
}
float Cls10::GlobalAmbient(int32_t i) const {
  CheckIndex(i, 1);
  return globalAmbient_;
}
void Cls10::SetGlobalAmbient(int32_t i, float v) {
  CheckIndex(i, 1);
  globalAmbient_ = v;
}
float Cls10::TwoSides(int32_t i) const {
  CheckIndex(i, 1);
  return twoSides_;
}
void Cls10::SetTwoSides(int32_t i, float v) {
  CheckIndex(i, 1);
  twoSides_ = v;
}

}  // namespace quillon
