// Frames per second of the main window while the user drags with the trackball over a
// 200 x 200 surface in an 800 x 600 drawing area: every step recompiles the scene and
// draws it (software OpenGL on these machines). The baseline in the same run is a pan
// drag, which redraws the compiled lists without recompiling them.
//
// Needs an X server; without DISPLAY the benchmark restarts itself under xvfb-run.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/draw_area.h"
#include "app/gl_format.h"
#include "app/main_window.h"
#include "common/message_sink.h"
#include "common/program_state.h"

namespace quillon {
namespace {

constexpr int kSteps = 200;
constexpr int kAreaWidth = 800;
constexpr int kAreaHeight = 600;

// The window with one 200 x 200 surface, its drawing area exactly 800 x 600.
std::unique_ptr<frmF1> MakeWindow() {
  ResetProgramState();
  auto window = std::make_unique<frmF1>();
  window->show();
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    const QSize area = window->picDraw()->size();
    window->resize(window->size() + QSize(kAreaWidth - area.width(), kAreaHeight - area.height()));
  }
  QCoreApplication::processEvents();
  ProgramState& state = State();
  state.SceneKind = 3;
  auto graph =
      std::make_shared<Cls9>(Cls9().Init(1, "", 2, 3, "", "", "sin(z)", kSteps, kSteps, -3.0f, 3.0f, -3.0f,
                                         3.0f, 0, 0, 0, 0, 1, 4, 3, 3, false, false, false, 0));
  graph->FunForm = 2;
  graph->VarX = 1;
  graph->VarY = 2;
  graph->VarZ = 3;
  graph->ColorR = 3;
  graph->ColorG = 4;
  graph->ColorB = 5;
  state.LastGraphID = 1;
  window->Document().AddGraph(graph);
  window->RefreshGraphList();
  window->findChild<QAction*>("mnuViewISO")->trigger();
  window->findChild<QAction*>("mnuViewZoomAll")->trigger();
  window->picDraw()->repaint();
  return window;
}

void Send(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, {});
  QApplication::sendEvent(widget, &event);
}

// One frame: a drag step, then the event loop runs until the drawing area has drawn the
// frame it asked for (and GL has finished), as it would for a user's drag.
void DragFrames(benchmark::State& state, const char* mode) {
  auto window = MakeWindow();
  DrawArea* area = window->picDraw();
  if (area->size() != QSize(kAreaWidth, kAreaHeight) || !area->Initialized()) {
    state.SkipWithError("drawing area not 800 x 600 with a context");
    return;
  }
  window->findChild<QAction*>(mode)->trigger();
  const QPoint centre = area->rect().center();
  Send(area, QEvent::MouseButtonPress, centre, Qt::LeftButton);
  int step = 0;
  const int compilesBefore = area->CompileCount();
  for (auto _ : state) {
    // Back and forth along a small circle so the scene keeps turning.
    const double t = 0.15 * ++step;
    const QPoint at = centre + QPoint(int(60 * std::cos(t)), int(40 * std::sin(t)));
    const int framesBefore = area->FrameCount();
    Send(area, QEvent::MouseMove, at, Qt::LeftButton);
    area->update();
    while (area->FrameCount() == framesBefore) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    area->makeCurrent();
    area->context()->functions()->glFinish();
    area->doneCurrent();
  }
  Send(area, QEvent::MouseButtonRelease, centre, Qt::NoButton);
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["compiles_per_frame"] =
      double(area->CompileCount() - compilesBefore) / double(std::max<int64_t>(1, state.iterations()));
}

void BM_TrackballDrag200x200(benchmark::State& state) {
  DragFrames(state, "barTrackBall");
}
void BM_PanDrag200x200_Baseline(benchmark::State& state) {
  DragFrames(state, "barMove");
}

BENCHMARK(BM_TrackballDrag200x200)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_PanDrag200x200_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("QUILLON_BENCH_NO_XVFB")) {
    // Run again under a virtual X server; the marker keeps it from recursing.
    setenv("QUILLON_BENCH_NO_XVFB", "1", 1);
    std::vector<char*> args{const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                            const_cast<char*>("-screen 0 1280x1024x24")};
    for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
    return 1;
  }
  quillon::InstallDefaultGlFormat();
  QApplication app(argc, argv);
  quillon::RecordingSink quiet;  // no message box may block a benchmark
  quillon::SetMessageSink(&quiet);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quillon::SetMessageSink(nullptr);
  return 0;
}
