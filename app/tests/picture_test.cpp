// What picDraw shows: a white picture with nothing drawn, a surface once a graph is shown,
// and the window's dialog commands with their recompile rule; then the real program
// started on a bundled document, its first frame saved and probed.

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "app/tests/window_fixture.h"
#include "document/document_writer.h"
#include "document/examples.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

// Share of pixels that are not (nearly) white.
double InkShare(const QImage& image) {
  if (image.isNull()) return 0.0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  qint64 ink = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (qRed(line[x]) < 240 || qGreen(line[x]) < 240 || qBlue(line[x]) < 240) ++ink;
  }
  return double(ink) / (double(rgb.width()) * rgb.height());
}

// Share of clearly coloured pixels (not grey, not white): the lit surface, not the frame.
double ColourShare(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  qint64 coloured = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
      if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++coloured;
    }
  }
  return double(coloured) / (double(rgb.width()) * rgb.height());
}

// Runs a modal dialog's test code as soon as the dialog is up.
void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    if (QWidget* dialog = QApplication::activeModalWidget()) act(dialog);
  });
}

QString SourceDir() {
  return qEnvironmentVariable("QUILLON_SOURCE_DIR", QStringLiteral("."));
}

// The bundled welcome document; written from the same example scene when the checkout does
// not have the file.
QString WelcomeDocument(const QTemporaryDir& dir) {
  const QString bundled = SourceDir() + "/examples/welcome.zvt";
  if (QFile::exists(bundled)) return bundled;
  SceneDocument document;
  if (!BuildExample(document, "welcome")) return QString();
  const EncodeResult encoded = EncodeDocument(BuildDocumentText(document));
  const QString path = dir.filePath("welcome.zvt");
  QFile file(path);
  if (!encoded.ok || !file.open(QIODevice::WriteOnly)) return QString();
  file.write(encoded.bytes.data(), qint64(encoded.bytes.size()));
  return path;
}

}  // namespace

class PictureTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetProgramState(); }

  void emptySceneIsWhiteAndASurfaceIsNot() {
    WindowFixture f;
    frmF1& w = *f.window;
    QVERIFY(w.picDraw()->Initialized());
    QCOMPARE(InkShare(w.picDraw()->grabFramebuffer()), 0.0);  // no graph: not even the axes
    f.AddSurface("z^2", 30);
    Control<QAction>(&w, "mnuViewISO")->trigger();
    Control<QAction>(&w, "mnuViewZoomAll")->trigger();
    const QImage picture = w.picDraw()->grabFramebuffer();
    QCOMPARE(picture.size(), w.picDraw()->PixelSize());
    QVERIFY2(InkShare(picture) > 0.05, qPrintable(QString::number(InkShare(picture))));
    // Hidden again, the picture is white again.
    w.List1()->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(InkShare(w.picDraw()->grabFramebuffer()), 0.0);
  }

  void axisDialogRecompilesOnlyAfterOk() {
    WindowFixture f;
    frmF1& w = *f.window;
    f.AddSurface("z", 4);
    f.Settle();
    int compiles = w.picDraw()->CompileCount();
    QString title;
    WhenModal([&](QWidget* dialog) {
      title = dialog->objectName();
      Control<QPushButton>(dialog, "Command2")->click();
    });
    Control<QAction>(&w, "mnuDrawAxis")->trigger();
    QCOMPARE(title, QString("frmF3"));
    f.Settle();
    QCOMPARE(w.picDraw()->CompileCount(), compiles);

    WhenModal([&](QWidget* dialog) {
      Control<QCheckBox>(dialog, "Check1")->click();
      Control<QPushButton>(dialog, "Command1")->click();
    });
    Control<QAction>(&w, "barCoord")->trigger();
    QVERIFY(!State().AxesChanged);  // cleared once the scene was recompiled
    QVERIFY(!w.Document().Axes.Show);
    f.Settle();
    QVERIFY(w.picDraw()->CompileCount() > compiles);
  }

  void planeScenesGetTheStyleDialog() {
    WindowFixture f;
    State().SceneKind = 1;
    QString name;
    WhenModal([&](QWidget* dialog) {
      name = dialog->objectName();
      Control<QPushButton>(dialog, "Command2")->click();
    });
    Control<QAction>(f.window.get(), "mnuDrawAxis")->trigger();
    QCOMPARE(name, QString("frmF20"));
  }

  void lightAndViewDialogsFromTheWindow() {
    WindowFixture f;
    frmF1& w = *f.window;
    WhenModal([&](QWidget* dialog) {
      SetText(dialog, "Text1", "-5");
      Control<QPushButton>(dialog, "Command1")->click();
    });
    Control<QAction>(&w, "barLight")->trigger();
    QCOMPARE(w.Light().Position(0), -5.0f);

    WhenModal([&](QWidget* dialog) {
      Control<QRadioButton>(dialog, "Option2")->setChecked(true);
      SetText(dialog, "Text2", "7");
      Control<QPushButton>(dialog, "Command1")->click();
    });
    Control<QAction>(&w, "mnuViewSettings")->trigger();
    QCOMPARE(w.Camera().ProjectType, 2);
    QCOMPARE(State().ViewMaxX, 7.0f);
    QVERIFY(Control<QAction>(&w, "barViewPer")->isChecked());
  }

  void programStartsOnADocumentAndShowsIt() {
    QTemporaryDir dir;
    const QString document = WelcomeDocument(dir);
    QVERIFY(!document.isEmpty());
    const QString shot = dir.filePath("first.png");
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QUILLON_EXECUTABLE, {document, "--screenshot", shot, "--quit-after-first-frame"});
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QImage picture(shot);
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() > 100 && picture.height() > 100);
    // The document's surface in its default framing: a small lit picture in the middle.
    QVERIFY2(InkShare(picture) > 0.005, qPrintable(QString::number(InkShare(picture))));
    QVERIFY2(ColourShare(picture) > 0.002, qPrintable(QString::number(ColourShare(picture))));
    const QImage border = picture.copy(0, 0, picture.width(), 10);
    QCOMPARE(InkShare(border), 0.0);
  }

  void programReportsAMissingDocument() {
    QTemporaryDir dir;
    QProcess program;
    program.start(QUILLON_EXECUTABLE, {dir.filePath("missing.zvt"), "--quit-after-first-frame"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);  // the window still comes up, empty
    QVERIFY(!program.readAllStandardError().trimmed().isEmpty());
  }
};

QUILLON_REGISTER_TEST(PictureTest);

}  // namespace quillon::test

#include "picture_test.moc"
