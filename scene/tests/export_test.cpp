// Exports as the command line and the window make them: a drawn scene written in each picture
// format and read back, and the mesh of a scene's shown surfaces.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "common/program_state.h"
#include "export/graph_mesh.h"
#include "render/picture_file.h"
#include "scene/headless_render.h"
#include "scene/scene_mesh.h"
#include "scene/tests/scene_test_graphs.h"

namespace quillon {
namespace {

bool White(QRgb p) {
  return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    State().SceneKind = 3;
    axes_.SetDefault();
    scene_.Add(testing::GridSurface(20, [](float x, float z) { return x * z / 2; }), "1");
  }
  void TearDown() override { ResetProgramState(); }
  Cls8 scene_;
  Cls3 axes_;
  QTemporaryDir dir_;
};

TEST_F(ExportTest, EachPictureFormatHasTheChosenSizeAndDecodes) {
  HeadlessRenderOptions options;
  options.width = 320;
  options.height = 200;
  options.view = PresetView::Iso;
  options.fit = true;
  QImage picture;
  std::string error;
  SceneDrawState drawState;
  ASSERT_TRUE(RenderScene(scene_, axes_, options, drawState, picture, error)) << error;
  ASSERT_FALSE(White(picture.pixel(160, 100)));
  // A red mark and a word over the frame: pixels in raster files, vector text in SVG.
  const PictureOverlay overlay = [](QPainter& painter, const QSize&) {
    painter.fillRect(QRect(0, 0, 12, 12), Qt::red);
    painter.drawText(QPointF(20, 190), QStringLiteral("Legend"));
  };
  for (const char* name : {"p.png", "p.jpg", "p.JPEG", "p.bmp", "p.pdf", "p.svg"}) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    QString reason;
    ASSERT_TRUE(WritePicture(path, picture, &reason, overlay)) << name << ": " << reason.toStdString();
    QImage back;
    const auto format = PictureFormatOf(path);
    if (format == PictureFormat::kPdf) {
      QFile pdf(path);
      ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
      const QByteArray bytes = pdf.readAll();
      EXPECT_TRUE(bytes.startsWith("%PDF")) << name;
      // 96 pixels to the inch: 240 x 150 points.
      EXPECT_TRUE(QString::fromLatin1(bytes).contains(
          QRegularExpression(R"(/MediaBox \[0 0 240(\.0*)? 150(\.0*)?\])")))
          << name;
      continue;
    }
    if (format == PictureFormat::kSvg) {
      QSvgRenderer svg(path);
      ASSERT_TRUE(svg.isValid()) << name;
      EXPECT_EQ(svg.defaultSize(), QSize(320, 200)) << name;
      EXPECT_EQ(svg.viewBox(), QRect(0, 0, 320, 200)) << name;
      back = QImage(svg.defaultSize(), QImage::Format_RGB32);
      back.fill(Qt::white);
      QPainter painter(&back);
      svg.render(&painter);
      QFile text(path);
      ASSERT_TRUE(text.open(QIODevice::ReadOnly));
      EXPECT_TRUE(text.readAll().contains(">Legend<")) << name;
    } else {
      QImageReader reader(path);
      EXPECT_EQ(reader.size(), QSize(320, 200)) << name;
      back = reader.read();
    }
    ASSERT_EQ(back.size(), QSize(320, 200)) << name;
    EXPECT_FALSE(White(back.pixel(160, 100))) << name;
    const QColor mark = back.pixelColor(5, 5);
    EXPECT_TRUE(mark.red() > 200 && mark.green() < 60) << name;
    if (format == PictureFormat::kPng || format == PictureFormat::kBmp) {
      EXPECT_EQ(back.pixel(160, 100) & 0xFFFFFF, picture.pixel(160, 100) & 0xFFFFFF) << name;
    }
  }
}

TEST_F(ExportTest, PicturesThatCannotBeWrittenSayWhyAndLeaveNothing) {
  const QImage picture(8, 8, QImage::Format_RGB32);
  QString reason;
  EXPECT_FALSE(WritePicture(dir_.filePath("p.gif"), picture, &reason));
  EXPECT_TRUE(reason.contains("unknown extension")) << reason.toStdString();
  const QString missing = dir_.filePath("no/such/p.png");
  EXPECT_FALSE(WritePicture(missing, picture, &reason));
  EXPECT_TRUE(reason.startsWith(missing)) << reason.toStdString();
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
  EXPECT_TRUE(RefusePictureSize(8193, 10));
  EXPECT_TRUE(RefusePictureSize(0, 10));
  EXPECT_FALSE(RefusePictureSize(kMaxPictureSide, kMaxPictureSide));
}

TEST_F(ExportTest, FramesAreWrittenOpaqueWithTheColoursTheScreenShows) {
  // A lit material leaves alpha below 1 in the frame buffer; the window shows the colours as
  // they are, and so does the file.
  for (const QImage::Format format : {QImage::Format_RGBA8888, QImage::Format_ARGB32_Premultiplied}) {
    QImage frame(4, 4, format);
    frame.fill(Qt::transparent);
    uchar* first = frame.scanLine(0);
    if (format == QImage::Format_RGBA8888) {
      first[0] = 200, first[1] = 100, first[2] = 50, first[3] = 128;
    } else {
      first[0] = 50, first[1] = 100, first[2] = 200, first[3] = 128;  // B, G, R, A in memory
    }
    for (const char* name : {"o.png", "o.bmp"}) {
      const QString path = dir_.filePath(QString::fromLatin1(name));
      ASSERT_TRUE(WritePicture(path, frame, nullptr)) << name;
      EXPECT_EQ(QImage(path).pixel(0, 0), qRgb(200, 100, 50)) << name << " " << format;
    }
  }
}

TEST_F(ExportTest, SceneMeshCarriesTheShownSurfacesAsDrawn) {
  // A hole in the middle of the surface, and a colour map lying flat.
  Cls9& surface = *scene_.Item(1);
  surface.SceneY.at(10, 10) = std::numeric_limits<float>::quiet_NaN();
  auto map = testing::GridSurface(
      4, [](float, float) { return 1.0f; }, 2);
  map->GraphType = gtp::kColorMap;
  scene_.Add(map, "2");
  struct Case {
    MeshClip clip;
    size_t surfaceTriangles;  // 0: fewer than unclipped
  } cases[] = {{{MeshClip::Mode::kOff}, 2 * (400 - 4)},
               {{MeshClip::Mode::kAsDrawn}, 2 * (400 - 4)},
               {{MeshClip::Mode::kRange, -0.5f, 0.5f}, 0}};
  for (const Case& c : cases) {
    TriangleMesh mesh;
    std::string error;
    ASSERT_TRUE(BuildSceneMesh(scene_, c.clip, 0, mesh, error)) << error;
    ASSERT_EQ(mesh.parts.size(), 2u);
    if (c.surfaceTriangles) {
      EXPECT_EQ(mesh.parts[0].triangleCount, c.surfaceTriangles);
    } else {
      EXPECT_LT(mesh.parts[0].triangleCount, 2u * 396u);
    }
    EXPECT_EQ(mesh.parts[1].triangleCount, 32u);
    for (size_t t = mesh.parts[1].firstTriangle; t < mesh.TriangleCount(); ++t)
      for (size_t c3 = 0; c3 < 3; ++c3) EXPECT_EQ(mesh.positions[3 * mesh.triangles[3 * t + c3] + 2], 0.0f);
    if (c.clip.mode != MeshClip::Mode::kRange) continue;
    for (size_t i = 0; i < 3 * mesh.parts[0].triangleCount; ++i) {
      const float h = mesh.positions[3 * mesh.triangles[i] + 1];
      EXPECT_TRUE(h >= -0.5f && h <= 0.5f) << h;
    }
  }
}

TEST(GraphClipTest, TheGraphsClipSettingGivesTheIntervalOnTheAxisThatCarriesW) {
  Cls9 g;
  g.VarX = quantity::kX;
  g.VarY = quantity::kMagnitude;
  g.VarZ = quantity::kY;
  EXPECT_FALSE(GraphClipInterval(g));  // off
  g.Extras.clip = ClipMode::kRange;
  g.Extras.clipMin = -1.0f;
  g.Extras.clipMax = 2.0f;
  const auto kept = GraphClipInterval(g);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->axis, 1);
  EXPECT_EQ(kept->min, -1.0f);
  EXPECT_EQ(kept->max, 2.0f);
  g.VarY = quantity::kY;
  g.VarZ = quantity::kV;
  EXPECT_EQ(HeightAxisOf(g), 2);
  g.VarZ = quantity::kX;
  EXPECT_FALSE(GraphClipInterval(g));  // no axis carries w
}

}  // namespace
}  // namespace quillon
