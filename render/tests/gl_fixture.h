#pragma once
// A test fixture that gives every test a fresh headless OpenGL context (so GL state cannot leak
// from one test into the next) with identity matrices and a pixel-exact projection helper.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "common/program_state.h"
#include "render/offscreen_context.h"

namespace quillon::testing {

class GlTest : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 64;
  static constexpr int32_t kHeight = 64;

  void SetUp() override {
    ResetProgramState();
    context_ = std::make_unique<OffscreenContext>();
    ASSERT_TRUE(context_->Create(kWidth, kHeight)) << context_->Error();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  void TearDown() override {
    context_.reset();
    ResetProgramState();
  }

  // Maps object coordinates (x, y) in -1..1 straight to the window (identity matrices) and
  // returns the window coordinate GL reports for them.
  static float WindowX(float x) { return (x + 1.0f) * 0.5f * kWidth; }
  static float WindowY(float y) { return (y + 1.0f) * 0.5f * kHeight; }

  OffscreenContext& Context() { return *context_; }

 private:
  std::unique_ptr<OffscreenContext> context_;
};

}  // namespace quillon::testing
