#include "common/program_state.h"

namespace quillon {
namespace {
ProgramState g_state;
}  // namespace

ProgramState& State() {
  return g_state;
}

void ResetProgramState() {
  g_state = ProgramState{};
}

}  // namespace quillon
