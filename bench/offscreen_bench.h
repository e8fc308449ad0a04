#pragma once
// What the drawing benchmarks share: one headless QtGui application, an offscreen OpenGL context
// of the benchmark picture's size and an initialised scene frame (fonts), made once per run.

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "render/offscreen_context.h"
#include "scene/scene_frame.h"

namespace quillon::bench {

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;

struct OffscreenBench {
  OffscreenBench() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quillon_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
    context = std::make_unique<OffscreenContext>(kWidth, kHeight);
    frame.Initialize();
  }
  std::unique_ptr<QGuiApplication> app;
  std::unique_ptr<OffscreenContext> context;
  SceneFrame frame;
};

inline OffscreenBench& Shared() {
  static OffscreenBench bench;
  return bench;
}

}  // namespace quillon::bench
