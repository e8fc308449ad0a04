#include "graph/dialogs/sampling_runner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <sstream>
#include <thread>

namespace quillon {
namespace {

std::atomic<int> g_runningJobs{0};

// Holds back the user's input to one window while a job runs, so that OK cannot be pressed
// twice and the dialog cannot be closed under the worker. The progress dialog, a window of
// its own, is not affected.
class InputBlocker : public QObject {
 public:
  explicit InputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~InputBlocker() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!window_ || !watched->isWidgetType()) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::Close:
        if (static_cast<QWidget*>(watched)->window() == window_) {
          event->ignore();
          return true;
        }
        return false;
      default:
        return false;
    }
  }

 private:
  QPointer<QWidget> window_;
};

std::string Number(float value) {
  std::ostringstream out;
  out.precision(7);
  out << value;
  return out.str();
}

}  // namespace

bool SamplingRunner::Busy() {
  return g_runningJobs.load() > 0;
}

std::string SamplingRunner::ErrorMessage(const RuntimeError& error, float x, float y) {
  std::string z = Number(x);
  z += y < 0.0f ? " - " + Number(-y) : " + " + Number(y);
  z += "i";
  return error.Description() + " at x = " + Number(x) + ", y = " + Number(y) + " (z = " + z + ").";
}

SamplingRunner::Outcome SamplingRunner::RunJob(const Job& job, int64_t total,
                                               std::optional<RuntimeError>* error) {
  SamplingControl control;
  control.total = total;
  std::atomic<bool> finished{false};
  bool result = false;
  std::optional<RuntimeError> raised;

  ++g_runningJobs;
  progressShown_ = false;
  std::thread worker([&] {
    try {
      result = job(control);
    } catch (const RuntimeError& e) {
      raised = e;
    } catch (const std::bad_alloc&) {
      raised = RuntimeError::OutOfMemory();
    } catch (const std::exception& e) {
      raised = RuntimeError(err::kInvalidProcedureCall, e.what());
    }
    finished.store(true);
  });

  {
    InputBlocker blocker(parent_ ? parent_->window() : nullptr);
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (finished.load()) {
        loop.quit();
        return;
      }
      if (!progress && clock.elapsed() >= kProgressDelayMs) {
        progress =
            std::make_unique<QProgressDialog>(progressLabel_, QStringLiteral("Cancel"), 0, 1000, parent_);
        progress->setObjectName(QStringLiteral("SamplingProgress"));
        progress->setWindowTitle(QStringLiteral("Quillon"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        QObject::connect(progress.get(), &QProgressDialog::canceled, &loop,
                         [&control] { control.cancel.store(true); });
        progress->show();
        progressShown_ = true;
      }
      if (progress) {
        if (progress->wasCanceled()) control.cancel.store(true);
        if (control.total > 0) {
          const double share = static_cast<double>(control.done.load()) / static_cast<double>(control.total);
          progress->setValue(static_cast<int>(std::min(1.0, share) * 999.0));
        } else {
          progress->setRange(0, 0);  // busy indicator when the amount is unknown
        }
      }
    });
    poll.start();
    if (!finished.load()) loop.exec();
    poll.stop();
  }
  worker.join();
  --g_runningJobs;

  if (raised) {
    if (error) *error = raised;
    outcome_ = Outcome::kError;
  } else if (control.cancel.load() && !result) {
    outcome_ = Outcome::kCancelled;
  } else {
    outcome_ = result ? Outcome::kSampled : Outcome::kNoValue;
  }
  return outcome_;
}

}  // namespace quillon
