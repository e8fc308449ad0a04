// The picture commands: the drawing area read back at its pixel size, Copy As BMP on the
// clipboard, and printing through QPrinter (to a PDF file here).

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "app/export_commands.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

// A drawing area that clears to one colour.
class FlatArea : public QOpenGLWidget, protected QOpenGLFunctions {
 protected:
  void initializeGL() override { initializeOpenGLFunctions(); }
  void paintGL() override {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
};

QImage Picture(int width, int height, QRgb color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

}  // namespace

class CommandsExportTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;

 private slots:
  void init() {
    ResetProgramState();
    doc_ = std::make_unique<SceneDocument>();
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
  }
  void cleanup() { scope_.reset(); }

  void captureReadsTheDrawingAreaAtItsPixelSize() {
    FlatArea area;
    area.resize(160, 120);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    const QImage picture = ExportCommands::CaptureDrawingArea(&area);
    QCOMPARE(picture.size(), area.size() * area.devicePixelRatio());
    const QColor color = picture.pixelColor(80, 60);
    QVERIFY(std::abs(color.red() - 51) <= 1);
    QVERIFY(std::abs(color.green() - 102) <= 1);
    QVERIFY(std::abs(color.blue() - 153) <= 1);
  }

  void copyAsBmpNeedsAShownGraph() {
    int captures = 0;
    ExportCommands exports(*doc_, [&captures] {
      ++captures;
      return Picture(64, 48, qRgb(255, 0, 0));
    });
    QApplication::clipboard()->setText(QStringLiteral("text"));
    QVERIFY(!exports.CopyAsBmp());
    QCOMPARE(captures, 0);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("text"));

    AddSurface(*doc_, "z");
    QVERIFY(exports.CopyAsBmp());
    QCOMPARE(captures, 1);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(64, 48));
    QCOMPARE(copied.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(exports.Picture().size(), QSize(64, 48));
  }

  void printDrawsThePictureOnAPdfPage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("print.pdf"));
    ExportCommands exports(*doc_, [] { return Picture(200, 100, qRgb(0, 0, 255)); });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // With no graph the empty scene is printed all the same.
    QVERIFY(exports.Print(&printer));
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Image"));
    QVERIFY(sink_->Requests().empty());
  }

  void printKeepsThePhysicalSizeOfThePicture() {
    QCOMPARE(ExportCommands::PrintRect(QSize(200, 100), 96, 96, 1200, 1200), QRect(0, 0, 2500, 1250));
    QCOMPARE(ExportCommands::PrintRect(QSize(200, 100), 96, 96, 96, 96), QRect(0, 0, 200, 100));
    QCOMPARE(ExportCommands::PrintRect(QSize(200, 100), 0, 0, 600, 600), QRect(0, 0, 200, 100));
  }
};

QUILLON_REGISTER_TEST(CommandsExportTest);

}  // namespace quillon::test

#include "commands_export_test.moc"
