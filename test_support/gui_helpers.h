#pragma once
// Small helpers of the window tests: finding controls by objectName (failing loudly when a
// control is missing), scripted colour choices, typing into boxes.

#include <QLineEdit>
#include <QtTest>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>

#include "scene/dialogs/color_chooser.h"

namespace quillon::test {

template <class T>
T* Control(const QObject* root, const QString& name) {
  T* child = root->findChild<T*>(name);
  if (!child) throw std::runtime_error("no control named " + name.toStdString());
  return child;
}

inline void SetText(const QObject* root, const QString& name, const QString& text) {
  Control<QLineEdit>(root, name)->setText(text);
}

inline QString Text(const QObject* root, const QString& name) {
  return Control<QLineEdit>(root, name)->text();
}

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
