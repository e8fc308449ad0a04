#pragma once
// A colour chooser for the dialog tests that answers from a script instead of opening
// QColorDialog.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "scene/dialogs/color_chooser.h"

namespace quillon::test {

// Installs a colour chooser that answers from a script (nothing = cancelled) and records
// the colours it was opened with; restores QColorDialog when destroyed.
class ScriptedColors {
 public:
  ScriptedColors() {
    SetColorChooser([this](int32_t initial, QWidget*) -> std::optional<int32_t> {
      opened.push_back(initial);
      if (answers.empty()) return std::nullopt;
      const std::optional<int32_t> answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~ScriptedColors() { SetColorChooser({}); }

  std::deque<std::optional<int32_t>> answers;
  std::vector<int32_t> opened;
};

}  // namespace quillon::test
