// File > Export Picture and Export Surface in the shown window: the size dialog filled in,
// names from a scripted file chooser, the files read back, failures reported.

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/picture_size_dialog.h"
#include "app/tests/window_fixture.h"
#include "export/tests/mesh_readers.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class CommandsFileExportTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QByteArray savedXdg_;
  std::unique_ptr<WindowFixture> f_;
  std::unique_ptr<ScriptedFileChooser> chooser_;

  QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
  void Trigger(const char* action) { Find<QAction>(f_->window.get(), action)->trigger(); }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    savedXdg_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", Path("data").toUtf8());
    f_ = std::make_unique<WindowFixture>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    f_->window->Commands().files.SetChooser(*chooser_);
  }
  void cleanup() {
    f_.reset();
    chooser_.reset();
    qputenv("XDG_DATA_HOME", savedXdg_);
    dir_.reset();
  }

  void exportPictureDrawsAtTheSizeTypedInTheDialog() {
    f_->AddSurface("z^2");
    f_->Settle();
    const QSize area = f_->window->picDraw()->PixelSize();
    QSize offered;
    // The real dialog: it offers the drawing area's size; a new width keeps the proportions.
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<PictureSizeDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      offered = dialog->ChosenSize();
      Find<QSpinBox>(dialog, "txtPictureWidth")->setValue(2 * area.width());
      dialog->accept();
    });
    chooser_->Script(Path("picture"), 1);  // the PNG filter gives the extension
    Trigger("mnuFileExportPicture");
    QCOMPARE(offered, area);
    QVERIFY2(f_->sink.Requests().empty(), qPrintable(Texts(f_->sink)));
    QImageReader reader(Path("picture.png"));
    QCOMPARE(reader.size(), area * 2);
    const QImage picture = reader.read();
    QVERIFY(picture.pixelColor(area.width(), area.height()) != QColor(Qt::white));
    QCOMPARE(f_->window->picDraw()->grabFramebuffer().size(), area);  // the window keeps its view
  }

  void exportSurfaceWritesTheCheckedSurfaces() {
    f_->AddSurface("z^2", 12);
    f_->AddSurface("1/z", 10);
    f_->window->Document().SetChecked(1, false);
    chooser_->Script(Path("mesh.ply"), 3);
    Trigger("mnuFileExportSurface");
    QVERIFY2(f_->sink.Requests().empty(), qPrintable(Texts(f_->sink)));
    const ReadMesh mesh = ReadPly(Path("mesh.ply").toStdString());
    QCOMPARE(QString::fromStdString(mesh.error), QString());
    QCOMPARE(mesh.faces.size(), size_t{2 * 12 * 12});
    const auto extent = mesh.Extent();  // x and y over [-2, 2]
    QCOMPARE(extent[0], -2.0f);
    QCOMPARE(extent[3], 2.0f);
  }

  void exportFailuresAreReported() {
    Trigger("mnuFileExportSurface");
    QUILLON_EXPECT_ONE_MESSAGE(f_->sink, "There is no checked surface to export.", "Export Surface",
                               MsgIcon::Information);
    QVERIFY(chooser_->Requests().empty());
    f_->sink.Clear();
    f_->AddSurface("z");
    chooser_->Script(Path("missing/mesh.stl"), 1);
    Trigger("mnuFileExportSurface");
    QCOMPARE(f_->sink.Requests().size(), size_t{1});
    const QString text = QString::fromStdString(f_->sink.Requests()[0].text);
    QVERIFY2(text.startsWith("The surface \"mesh.stl\" could not be exported: ") && text.contains("missing"),
             qPrintable(text));
  }
};

QUILLON_REGISTER_TEST(CommandsFileExportTest);

}  // namespace quillon::test

#include "commands_file_export_test.moc"
