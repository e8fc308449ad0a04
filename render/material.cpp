#include "render/material.h"

#include <GL/gl.h>

#include "common/runtime_error.h"

namespace quillon {

namespace {

// The constants are single-precision as stored; the "f" literals round them the same way.
const std::array<MaterialPreset, 13> kPresets{{
    // 1 Artdeco
    {{0.936975f, 0.0923259f, 0.42843f, 0.0f},
     {0.536861f, 0.0529003f, 0.24549f, 0.832432f},
     {0.805292f, 0.765198f, 0.747416f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     106.551296f},
    // 2 Autumn
    {{0.098983f, 0.0565609f, 0.0320604f, 0.0f},
     {0.395932f, 0.226244f, 0.128242f, 0.0f},
     {1.0f, 0.464407f, 0.4753f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     127.30816f},
    // 3 Glass
    {{0.187004f, 0.0748842f, 0.0f, 0.34747f},
     {0.748016f, 0.299537f, 0.0f, 0.34747f},
     {0.836364f, 0.836364f, 0.836364f, 0.34747f},
     {0.0f, 0.0f, 0.0f, 0.34747f},
     117.915136f},
    // 4 Metal
    {{0.133333f, 0.0925319f, 0.0f, 0.0f},
     {0.49697f, 0.344891f, 0.0f, 0.0f},
     {1.0f, 0.887978f, 0.0f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     118.690944f},
    // 5 Neon
    {{0.0f, 0.0f, 0.0f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     {0.622449f, 0.622449f, 0.622449f, 0.0f},
     {0.0188407f, 0.940276f, 1.0f, 0.0f},
     6.5306112f},
    // 6 Recoco
    {{0.187004f, 0.180659f, 0.0672271f, 0.0f},
     {0.748016f, 0.722635f, 0.268909f, 0.0f},
     {0.412121f, 0.412121f, 0.412121f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     103.175808f},
    // 7 Santefe
    {{0.20373f, 0.0832482f, 0.0832482f, 0.0f},
     {0.799639f, 0.326749f, 0.326749f, 0.0f},
     {0.327377f, 0.135466f, 0.0f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     9.7959168f},
    // 8 Sheen
    {{0.0f, 0.00107338f, 0.0785714f, 0.0f},
     {0.0f, 0.00429352f, 0.314286f, 0.0f},
     {0.364672f, 0.833805f, 0.909091f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     81.454592f},
    // 9 Silky
    {{0.171143f, 0.170799f, 0.171534f, 0.0f},
     {0.684572f, 0.683198f, 0.686136f, 0.0f},
     {0.693878f, 0.0335554f, 0.313623f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     9.1428608f},
    // 10 Spring
    {{0.253968f, 0.228701f, 0.0798059f, 0.0f},
     {1.0f, 0.900511f, 0.314236f, 0.0f},
     {0.872449f, 0.247119f, 0.254214f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     128.0f},
    // 11 Summer
    {{0.098983f, 0.0565609f, 0.0320604f, 0.0f},
     {0.395932f, 0.226244f, 0.128242f, 0.0f},
     {0.192616f, 0.110064f, 0.0623879f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     3.459456f},
    // 12 Tropical
    {{0.226102f, 0.193685f, 0.0207668f, 0.0f},
     {0.904409f, 0.774741f, 0.0830671f, 0.0f},
     {0.0955906f, 0.0955906f, 0.0955906f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     10.0f},
    // 13 Winter
    {{0.0486486f, 0.0486486f, 0.0486486f, 0.0f},
     {0.205405f, 0.205405f, 0.205405f, 0.0f},
     {0.686486f, 0.676818f, 0.684159f, 0.0f},
     {0.0f, 0.0f, 0.0f, 0.0f},
     128.0f},
}};

template <size_t N>
float Get(const std::array<float, N>& a, int32_t i) {
  CheckIndex(i, N);
  return a[static_cast<size_t>(i)];
}

template <size_t N>
void Set(std::array<float, N>& a, int32_t i, float v) {
  CheckIndex(i, N);
  a[static_cast<size_t>(i)] = v;
}

}  // namespace

const std::array<MaterialPreset, 13>& MaterialPresets() {
  return kPresets;
}

float Cls11::Ambient(int32_t i) const {
  return Get(ambient_, i);
}
void Cls11::SetAmbient(int32_t i, float v) {
  Set(ambient_, i, v);
}
float Cls11::Diffuse(int32_t i) const {
  return Get(diffuse_, i);
}
void Cls11::SetDiffuse(int32_t i, float v) {
  Set(diffuse_, i, v);
}
float Cls11::Specular(int32_t i) const {
  return Get(specular_, i);
}
void Cls11::SetSpecular(int32_t i, float v) {
  Set(specular_, i, v);
}
float Cls11::Emission(int32_t i) const {
  return Get(emission_, i);
}
void Cls11::SetEmission(int32_t i, float v) {
  Set(emission_, i, v);
}
float Cls11::Shininess(int32_t i) const {
  return Get(shininess_, i);
}
void Cls11::SetShininess(int32_t i, float v) {
  Set(shininess_, i, v);
}

void Cls11::SetMaterial(int32_t materType) {
  if (materType >= 1 && materType <= 13) {
    const MaterialPreset& p = kPresets[static_cast<size_t>(materType - 1)];
    ambient_ = p.ambient;
    diffuse_ = p.diffuse;
    specular_ = p.specular;
    emission_ = p.emission;
    shininess_[0] = p.shininess;
  }
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, shininess_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission_.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient_.data());
}

}  // namespace quillon
