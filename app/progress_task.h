#pragma once
// The progress of a command's long work: a busy dialog naming the step under way, painted
// before a step that blocks this thread starts, and kept repainting while a step runs on a
// worker thread. The window takes no command meanwhile (the dialog is window-modal).

#include <QProgressDialog>
#include <QString>
#include <functional>

class QWidget;

namespace quillon {

class ProgressSteps {
 public:
  // With showAtOnce the dialog shows from the first step; otherwise only once a step takes
  // longer than a moment.
  ProgressSteps(QWidget* parent, const QString& title, bool showAtOnce);

  // Names the work about to run on this thread and paints the dialog first.
  void Now(const QString& label);
  // Runs `work` on a worker thread and returns when it has ended. Exceptions do not cross the
  // thread: `work` reports its own failures. It must not touch widgets.
  void InBackground(const QString& label, const std::function<void()>& work);

 private:
  QProgressDialog dialog_;
  bool showAtOnce_;
};

}  // namespace quillon
