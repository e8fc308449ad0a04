#pragma once
// Long work of a command run on another thread while a progress dialog tells what is going
// on and the window keeps repainting. The work must not touch widgets.

#include <QString>
#include <functional>

class QWidget;

namespace quillon {

// Runs `work` on a worker thread and returns when it has ended; a busy progress dialog with
// `label` shows when it takes longer than a moment. The work's exceptions do not cross the
// thread: `work` reports its own failures.
void RunWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const std::function<void()>& work);

}  // namespace quillon
