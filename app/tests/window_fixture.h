#pragma once
// A shown main window for the GUI tests, with message boxes recorded, and a helper that
// adds a sampled 3D surface graph the way the graph dialog does (kept for undo, so the
// document counts as changed).

#include <QtTest>
#include <memory>
#include <string>

#include "app/draw_area.h"
#include "app/main_window.h"
#include "app/undo_commands.h"
#include "app/window_commands.h"
#include "common/message_sink.h"
#include "common/program_state.h"
#include "graph/graph.h"

namespace quillon::test {

class WindowFixture {
 public:
  WindowFixture() : scoped_(&sink) {
    ResetProgramState();
    window = std::make_unique<frmF1>();
    window->resize(1000, 700);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) throw std::runtime_error("window not exposed");
  }

  // A "3D Surface  w=" graph of f over [-2, 2] x [-2, 2]: x, y and |w| on the scene axes.
  Cls8::GraphPtr AddSurface(const std::string& function, int32_t steps = 20) {
    ProgramState& state = State();
    state.SceneKind = 3;
    auto graph = std::make_shared<Cls9>(Cls9().Init(state.LastGraphID + 1, "", 2, 3, "", "", function, steps,
                                                    steps, -2.0f, 2.0f, -2.0f, 2.0f, 0, 0, 0, 0, 1, 4, 3, 3,
                                                    false, false, false, 0));
    graph->FunForm = 2;
    graph->VarX = 1;
    graph->VarY = 2;
    graph->VarZ = 5;
    graph->ColorR = 3;
    graph->ColorG = 4;
    graph->ColorB = 5;
    DocumentHistory& history = window->Commands().history;
    const SceneSettings before = history.Settings();
    const auto first = static_cast<int32_t>(window->Document().Items().size());
    state.LastGraphID = graph->ID;
    window->Document().AddGraph(graph);
    history.Push(new AddGraphsCommand(history.Target(), QStringLiteral("3D Graph"), before, first));
    window->RefreshGraphList();
    window->RecompileAndRepaint();
    return graph;
  }

  // Lets pending repaints (and the compiles they carry) run.
  void Settle() {
    QCoreApplication::processEvents();
    window->picDraw()->grabFramebuffer();
  }

  RecordingSink sink;
  std::unique_ptr<frmF1> window;

 private:
  ScopedMessageSink scoped_;
};

}  // namespace quillon::test
