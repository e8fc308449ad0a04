// quillon: the window. The document named on the command line is opened at start-up.
//
//   quillon [DOCUMENT] [--screenshot OUT.png] [--quit-after-first-frame]
//
// --screenshot saves picDraw's picture (its framebuffer, in device pixels) once the first
// frame has been drawn; --quit-after-first-frame ends the program right after that frame.
// Together they let scripts and tests check what the window shows. While quitting after
// the first frame, messages go to standard error instead of message boxes.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QImage>
#include <QTimer>
#include <cstdio>

#include "app/draw_area.h"
#include "app/gl_format.h"
#include "app/main_window.h"
#include "app/qt_message_sink.h"
#include "common/message_sink.h"

int main(int argc, char** argv) {
  quillon::InstallDefaultGlFormat();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(quillon::kAppTitle));
  QApplication::setApplicationVersion("1.0.2");
  // The desktop matches the window with its entry; the icon is the installed theme's, or the
  // one beside the program in the build tree.
  QGuiApplication::setDesktopFileName(QStringLiteral("quillon"));
  QApplication::setWindowIcon(QIcon::fromTheme(
      QStringLiteral("quillon"), QIcon(QApplication::applicationDirPath() + QStringLiteral("/quillon.svg"))));

  QCommandLineParser parser;
  parser.setApplicationDescription("Plots functions of one complex variable.");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot("screenshot", "Save the drawing area's first frame as an image.",
                                      "file");
  const QCommandLineOption quitAfterFirstFrame("quit-after-first-frame",
                                               "Quit once the first frame is drawn.");
  parser.addOption(screenshot);
  parser.addOption(quitAfterFirstFrame);
  parser.addPositionalArgument("document", "A document (.zvt) to open.");
  parser.process(app);

  const bool quitEarly = parser.isSet(quitAfterFirstFrame);
  quillon::QtMessageSink boxes;
  if (!quitEarly) quillon::SetMessageSink(&boxes);

  quillon::frmF1 window;
  // The command line names one document; a path with spaces may arrive in pieces.
  window.OpenDocument(parser.positionalArguments().join(' '));
  window.show();

  const QString shotFile = parser.value(screenshot);
  if (!shotFile.isEmpty() || quitEarly) {
    auto* area = window.picDraw();
    QObject::connect(
        area, &quillon::DrawArea::frameDrawn, &app,
        [area, shotFile, quitEarly] {
          QTimer::singleShot(0, area, [area, shotFile, quitEarly] {
            static bool done = false;
            if (done) return;
            done = true;
            int status = 0;
            if (!shotFile.isEmpty() && !area->grabFramebuffer().save(shotFile)) {
              std::fprintf(stderr, "quillon: could not save %s\n", qPrintable(shotFile));
              status = 1;
            }
            if (quitEarly) QApplication::exit(status);
          });
        },
        Qt::QueuedConnection);
  }
  const int status = app.exec();
  quillon::SetMessageSink(nullptr);
  return status;
}
