#include "app/progress_task.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <memory>

namespace quillon {

void RunWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const std::function<void()>& work) {
  QProgressDialog progress(label, QString(), 0, 0, parent);
  progress.setObjectName(QStringLiteral("ExportProgress"));
  progress.setWindowTitle(title);
  progress.setWindowModality(Qt::WindowModal);
  progress.setCancelButton(nullptr);
  progress.setMinimumDuration(400);
  progress.setValue(0);

  QEventLoop loop;
  std::unique_ptr<QThread> thread(QThread::create(work));
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  thread->start();
  // The dialog is window-modal: the window repaints but takes no command meanwhile.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  thread->wait();
}

}  // namespace quillon
