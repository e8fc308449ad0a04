// The bundled examples: each file is what the writer makes of its scene today, and reads
// back with every graph sampled.

#include "document/examples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "document/document_file.h"
#include "document/document_writer.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DocumentTest;

std::string ExamplePath(const std::string& name) {
  const char* source = std::getenv("QUILLON_SOURCE_DIR");
  return std::string(source ? source : ".") + "/examples/" + name + ".zvt";
}

class ExamplesTest : public DocumentTest {};

TEST_F(ExamplesTest, EveryBundledFileIsWhatTheWriterMakes) {
  ASSERT_GE(Examples().size(), 5u);
  for (const ExampleInfo& example : Examples()) {
    SCOPED_TRACE(example.name);
    ResetProgramState();
    SceneDocument built;
    ASSERT_TRUE(BuildExample(built, example.name));
    const EncodeResult encoded = EncodeSceneDocument(built);
    ASSERT_TRUE(encoded.ok);
    std::string bytes, error;
    ASSERT_TRUE(ReadFileBytes(ExamplePath(example.name), bytes, error)) << error;
    EXPECT_EQ(bytes, encoded.bytes) << "regenerate with: quillon-cli example --all examples";
  }
}

TEST_F(ExamplesTest, EveryBundledFileReadsBackSampled) {
  for (const ExampleInfo& example : Examples()) {
    SCOPED_TRACE(example.name);
    ResetProgramState();
    SceneDocument doc;
    const LoadResult r = LoadDocument(doc, ExamplePath(example.name));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warning, "");
    ASSERT_EQ(doc.ListScene.Count(), 1u);
    const Cls9& g = *doc.GraphAt(0);
    EXPECT_FALSE(g.SceneX.Empty());
    EXPECT_EQ(g.ColorR, 3);
    EXPECT_EQ(g.ColorB, 5);
    EXPECT_TRUE(doc.Axes.Show);
    EXPECT_TRUE(sink_.Requests().empty());
    if (g.GraphType == 13) {
      EXPECT_EQ(State().SceneKind, 7);
      EXPECT_EQ(doc.Items()[0].caption, "Color Map  w=" + g.ExpressZ);
    } else {
      EXPECT_EQ(State().SceneKind, 3);
      EXPECT_EQ(doc.DrawScene.RotYaw, 45.0f);
      EXPECT_EQ(doc.Items()[0].caption, "3D Surface  w=" + g.ExpressZ);
      EXPECT_EQ(doc.Axes.TitleX, "X");
    }
  }
}

TEST_F(ExamplesTest, WelcomeIsASinSurfaceWithTheFrame) {
  SceneDocument doc;
  ASSERT_TRUE(LoadDocument(doc, ExamplePath("welcome")).ok);
  const Cls9& g = *doc.GraphAt(0);
  EXPECT_EQ(g.ExpressZ, "sin(z)");
  EXPECT_EQ(g.GraphType, 2);
  EXPECT_EQ(g.Material, 4);
  EXPECT_EQ(g.StepU, 40);
  EXPECT_EQ(State().TitleLetterZ, "U");
  SceneDocument other;
  EXPECT_FALSE(BuildExample(other, "no such example"));
}

}  // namespace
}  // namespace quillon
