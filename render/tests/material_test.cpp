// Material presets reach OpenGL for both faces exactly as tabled; accessors check indices.

#include "render/material.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "common/runtime_error.h"
#include "render/tests/gl_fixture.h"

namespace quillon {
namespace {

using testing::GlTest;

std::array<float, 4> ReadMaterial(GLenum face, GLenum pname) {
  std::array<float, 4> v{-1, -1, -1, -1};
  glGetMaterialfv(face, pname, v.data());
  return v;
}

float ReadShininess(GLenum face) {
  float s = -1;
  glGetMaterialfv(face, GL_SHININESS, &s);
  return s;
}

class MaterialTest : public GlTest {
 protected:
  void ExpectApplied(const MaterialPreset& p) {
    for (GLenum face : {GL_FRONT, GL_BACK}) {
      EXPECT_EQ(ReadMaterial(face, GL_AMBIENT), p.ambient);
      EXPECT_EQ(ReadMaterial(face, GL_DIFFUSE), p.diffuse);
      EXPECT_EQ(ReadMaterial(face, GL_SPECULAR), p.specular);
      EXPECT_EQ(ReadMaterial(face, GL_EMISSION), p.emission);
      EXPECT_EQ(ReadShininess(face), p.shininess);
    }
  }
};

TEST_F(MaterialTest, EveryPresetReachesBothFacesExactly) {
  for (int32_t code = 1; code <= 13; ++code) {
    SCOPED_TRACE(code);
    Cls11 m;
    m.SetMaterial(code);
    ExpectApplied(MaterialPresets()[code - 1]);
    // The object holds what it applied.
    EXPECT_EQ(m.Diffuse(3), MaterialPresets()[code - 1].diffuse[3]);
    EXPECT_EQ(m.Shininess(0), MaterialPresets()[code - 1].shininess);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MaterialTest, TableFacts) {
  const auto& t = MaterialPresets();
  // Artdeco alone has a non-zero diffuse alpha; Glass gives every vector alpha 0.34747.
  EXPECT_FLOAT_EQ(t[0].diffuse[3], 0.832432f);
  for (const auto& v : {t[2].ambient, t[2].diffuse, t[2].specular, t[2].emission}) EXPECT_EQ(v[3], 0.34747f);
  // Neon: black ambient and diffuse, the one emission colour.
  EXPECT_EQ(t[4].ambient, (std::array<float, 4>{0, 0, 0, 0}));
  EXPECT_EQ(t[4].diffuse, (std::array<float, 4>{0, 0, 0, 0}));
  EXPECT_EQ(t[4].emission, (std::array<float, 4>{0.0188407f, 0.940276f, 1.0f, 0.0f}));
  int emitting = 0;
  for (size_t i = 0; i < t.size(); ++i)
    if (i != 2 && (t[i].emission[0] != 0 || t[i].emission[1] != 0 || t[i].emission[2] != 0)) ++emitting;
  EXPECT_EQ(emitting, 1);
  // Autumn and Summer share ambient and diffuse, differ in specular and shininess.
  EXPECT_EQ(t[1].ambient, t[10].ambient);
  EXPECT_EQ(t[1].diffuse, t[10].diffuse);
  EXPECT_NE(t[1].specular, t[10].specular);
  EXPECT_NE(t[1].shininess, t[10].shininess);
  EXPECT_EQ(t[0].shininess, 106.551296f);
  EXPECT_EQ(t[12].shininess, 128.0f);
}

TEST_F(MaterialTest, CodeOutsidePresetsAppliesCurrentArrays) {
  for (int32_t code : {0, 14, -3}) {
    SCOPED_TRACE(code);
    // Leave a preset in GL first so that the all-zero material is visible.
    Cls11 previous;
    previous.SetMaterial(1);
    Cls11 m;
    m.SetMaterial(code);
    ExpectApplied(MaterialPreset{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0.0f});
  }
  // An object whose arrays were set by hand applies them unchanged.
  Cls11 custom;
  custom.SetDiffuse(0, 0.25f);
  custom.SetShininess(0, 7.0f);
  custom.SetMaterial(99);
  EXPECT_EQ(ReadMaterial(GL_FRONT, GL_DIFFUSE), (std::array<float, 4>{0.25f, 0, 0, 0}));
  EXPECT_EQ(ReadShininess(GL_BACK), 7.0f);
}

TEST_F(MaterialTest, LaterPresetLeavesNoTraceOfEarlier) {
  Cls11 m;
  m.SetMaterial(1);
  m.SetEmission(1, 0.5f);  // even a hand-set component is overwritten
  m.SetMaterial(3);
  ExpectApplied(MaterialPresets()[2]);
  EXPECT_EQ(m.Emission(1), 0.0f);
  EXPECT_EQ(m.Emission(3), 0.34747f);
}

TEST(MaterialAccessTest, IndexErrorsLeaveArraysUnchanged) {
  Cls11 m;
  m.SetAmbient(2, 0.5f);
  for (int32_t bad : {-1, 4}) {
    try {
      m.SetAmbient(bad, 9.0f);
      FAIL() << "no error for index " << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
    }
    EXPECT_THROW(m.Diffuse(bad), RuntimeError);
    EXPECT_THROW(m.Specular(bad), RuntimeError);
    EXPECT_THROW(m.SetEmission(bad, 1.0f), RuntimeError);
  }
  EXPECT_THROW(m.Shininess(1), RuntimeError);
  EXPECT_THROW(m.SetShininess(1, 3.0f), RuntimeError);
  EXPECT_EQ(m.Ambient(2), 0.5f);
  EXPECT_EQ(m.Ambient(3), 0.0f);
  EXPECT_EQ(m.Shininess(0), 0.0f);
}

}  // namespace
}  // namespace quillon
