#include "app/progress_task.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <memory>

namespace quillon {

ProgressSteps::ProgressSteps(QWidget* parent, const QString& title, bool showAtOnce)
    : dialog_(QString(), QString(), 0, 0, parent), showAtOnce_(showAtOnce) {
  dialog_.setObjectName(QStringLiteral("ExportProgress"));
  dialog_.setWindowTitle(title);
  dialog_.setWindowModality(Qt::WindowModal);
  dialog_.setCancelButton(nullptr);
  dialog_.setMinimumDuration(showAtOnce ? 0 : 400);
}

void ProgressSteps::Now(const QString& label) {
  dialog_.setLabelText(label);
  if (showAtOnce_) {
    dialog_.show();
    dialog_.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void ProgressSteps::InBackground(const QString& label, const std::function<void()>& work) {
  dialog_.setLabelText(label);
  dialog_.setValue(0);
  QEventLoop loop;
  std::unique_ptr<QThread> thread(QThread::create(work));
  // Queued to this thread: a work that ends before the loop runs still ends it.
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  thread->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  thread->wait();
}

}  // namespace quillon
