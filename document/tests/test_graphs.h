#pragma once
// Graphs and fixtures shared by the document tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/scene_document.h"
#include "graph/graph.h"

namespace quillon::testing_support {

// A surface as the 3D function dialog builds it.
inline std::shared_ptr<Cls9> DialogSurface(int32_t id, const std::string& name, const std::string& f) {
  auto g = std::make_shared<Cls9>();
  g->ID = id;
  g->NameS = name;
  g->GraphType = 2;
  g->CoordType = 3;
  g->FunForm = 2;
  g->ExpressZ = f;
  g->StepU = 4;
  g->StepV = 4;
  g->MinU = -2;
  g->MaxU = 2;
  g->MinV = -2;
  g->MaxV = 2;
  g->Material = 4;
  g->LineWidth = 1;
  g->VarX = 1;
  g->VarY = 3;
  g->VarZ = 2;
  g->ColorR = 3;
  g->ColorG = 4;
  g->ColorB = 5;
  return g;
}

// A colour map as the colour map dialog builds it.
inline std::shared_ptr<Cls9> DialogColorMap(int32_t id, const std::string& f) {
  auto g = DialogSurface(id, "map", f);
  g->GraphType = 13;
  g->FillStyle = 3;
  g->FirstColor = 255;
  g->VarY = 5;
  return g;
}

// Resets the program-wide state and records message boxes.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }

  RecordingSink sink_;
  ScopedMessageSink scoped_{&sink_};
};

}  // namespace quillon::testing_support
