// Sampling on a worker thread for the graph dialogs: the window keeps turning, a progress
// dialog appears only for slow work and its Cancel stops the work; errors come back with
// the point where they happened.

#include "graph/dialogs/sampling_runner.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <thread>

#include "common/runtime_error.h"
#include "graph/sampling.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

// Work that takes `milliseconds` unless cancelled, counting 100 units.
SamplingRunner::Job SlowJob(int milliseconds) {
  return [milliseconds](SamplingControl& control) {
    for (int i = 0; i < 100; ++i) {
      if (control.cancel.load()) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds / 100));
      control.done.store(i + 1);
    }
    return true;
  };
}

QProgressDialog* VisibleProgress() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && progress->isVisible())
      return progress;
  }
  return nullptr;
}

}  // namespace

class DialogsSamplingRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetProgramState(); }

  void quickWorkShowsNoProgress() {
    QDialog parent;
    SamplingRunner runner(&parent);
    QCOMPARE(runner.RunJob(SlowJob(50), 100), SamplingRunner::Outcome::kSampled);
    QVERIFY(!runner.ProgressWasShown());
    QVERIFY(!SamplingRunner::Busy());
  }

  void slowWorkShowsProgressAndTheEventLoopKeepsTurning() {
    QDialog parent;
    parent.show();
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);
    bool busyDuringRun = false;
    QTimer::singleShot(100, [&busyDuringRun] { busyDuringRun = SamplingRunner::Busy(); });
    SamplingRunner runner(&parent);
    QCOMPARE(runner.RunJob(SlowJob(900), 100), SamplingRunner::Outcome::kSampled);
    QVERIFY(runner.ProgressWasShown());
    QVERIFY(busyDuringRun);
    // A frozen loop would not tick at all; a loaded machine still gives several.
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QVERIFY(VisibleProgress() == nullptr);
  }

  void cancelInTheProgressDialogStopsTheWork() {
    QDialog parent;
    parent.show();
    // What the user does: the dialog's Cancel button, as soon as the dialog is there (however
    // late a loaded machine shows it).
    QTimer clickWhenShown;
    connect(&clickWhenShown, &QTimer::timeout, [] {
      if (QProgressDialog* progress = VisibleProgress()) {
        if (auto* button = progress->findChild<QPushButton*>()) button->click();
      }
    });
    clickWhenShown.start(20);
    SamplingRunner runner(&parent);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runner.RunJob(SlowJob(20000), 100), SamplingRunner::Outcome::kCancelled);
    QVERIFY(clock.elapsed() < 15000);
  }

  void inputToTheDialogIsHeldBackWhileSampling() {
    QDialog parent;
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    bool rejected = false;
    connect(&parent, &QDialog::rejected, [&rejected] { rejected = true; });
    QTimer::singleShot(50, [&parent] { QTest::keyClick(&parent, Qt::Key_Escape); });
    SamplingRunner runner(&parent);
    QCOMPARE(runner.RunJob(SlowJob(200), 100), SamplingRunner::Outcome::kSampled);
    QVERIFY(!rejected);
    QVERIFY(parent.isVisible());
  }

  void errorsAndMissingValuesComeBack() {
    SamplingRunner runner(nullptr);
    std::optional<RuntimeError> error;
    const auto outcome =
        runner.RunJob([](SamplingControl&) -> bool { throw RuntimeError::Overflow(); }, 0, &error);
    QCOMPARE(outcome, SamplingRunner::Outcome::kError);
    QVERIFY(error.has_value());
    QCOMPARE(error->Number(), err::kOverflow);
    QCOMPARE(runner.RunJob([](SamplingControl&) { return false; }, 0), SamplingRunner::Outcome::kNoValue);
  }

  void errorMessageNamesTheErrorAndThePoint() {
    const std::string text = SamplingRunner::ErrorMessage(RuntimeError::DivisionByZero(), 0.5f, -1.25f);
    QCOMPARE(text,
             RuntimeError::DivisionByZero().Description() + " at x = 0.5, y = -1.25 (z = 0.5 - 1.25i).");
  }

  void graphSamplingCanBeCancelled() {
    RecordingSink sink;
    ScopedMessageSink scope(&sink);
    QDialog parent;
    parent.show();
    Cls8::GraphPtr graph = MakeSurface("z^2", "latched", 50);
    QTimer cancelWhenShown;
    connect(&cancelWhenShown, &QTimer::timeout, [] {
      if (QProgressDialog* progress = VisibleProgress()) progress->cancel();
    });
    cancelWhenShown.start(20);
    // The latch: the sampling starts only once the progress dialog's Cancel has reached it,
    // so no machine is fast enough to finish first (the bound only turns a hang into a failure).
    const auto latchedSampling = [](Cls9& g, const SamplingOptions& options) {
      QElapsedTimer waited;
      waited.start();
      while (!options.cancel->load() && waited.elapsed() < 20000)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return SampleGraph(g, options);
    };
    SamplingRunner runner(&parent);
    QVERIFY(!runner.Run(*graph, latchedSampling));
    QCOMPARE(runner.LastOutcome(), SamplingRunner::Outcome::kCancelled);
    QVERIFY(runner.ProgressWasShown());
    QVERIFY2(sink.Requests().empty(), qPrintable(Texts(sink)));
  }

  void graphSamplingReportsTheFailingPoint() {
    RecordingSink sink;
    ScopedMessageSink scope(&sink);
    Cls8::GraphPtr graph = MakeSurface("1/(z-0.5)", "pole", 4);  // x = 0.5 at k = 3, y = 0 at j = 2
    graph->Extras.stopAtFirstError = true;
    SamplingRunner runner(nullptr);
    QVERIFY(!runner.Run(*graph));
    QCOMPARE(runner.LastOutcome(), SamplingRunner::Outcome::kError);
    QVERIFY2(sink.Requests().size() == 1, qPrintable(Texts(sink)));
    QCOMPARE(sink.Requests()[0].title, std::string("Error"));
    QCOMPARE(sink.Requests()[0].text,
             SamplingRunner::ErrorMessage(RuntimeError::DivisionByZero(), 0.5f, 0.0f));
  }

  void syntaxErrorsAreReportedByTheCompilerOnThisThread() {
    RecordingSink sink;
    ScopedMessageSink scope(&sink);
    Cls8::GraphPtr graph = MakeSurface("(z", "bad", 4);
    SamplingRunner runner(nullptr);
    QVERIFY(!runner.Run(*graph));
    QVERIFY2(sink.Requests().size() == 1, qPrintable(Texts(sink)));
    QCOMPARE(sink.Requests()[0].title, std::string("Syntax Error"));
  }
};

QUILLON_REGISTER_TEST(DialogsSamplingRunnerTest);

}  // namespace quillon::test

#include "sampling_runner_test.moc"
