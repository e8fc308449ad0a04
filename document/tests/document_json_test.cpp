#include "document/document_json.h"

#include <gtest/gtest.h>

#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogSurface;
using testing_support::DocumentTest;

TEST(JsonString, EscapesAndKeepsTextsValidUtf8) {
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString(std::string("\t\x01", 2)), "\"\\u0009\\u0001\"");
  EXPECT_EQ(JsonString("gr\xc3\xbc\xc3\x9f"), "\"gr\xc3\xbc\xc3\x9f\"");  // UTF-8 passes
  EXPECT_EQ(JsonString("gr\xfc"), "\"gr\xc3\xbc\"");                      // Latin-1 is converted
  EXPECT_EQ(JsonString("\xe2\x82"), "\"\xc3\xa2\xc2\x82\"");              // a cut sequence too
}

class DocumentJsonTest : public DocumentTest {};

TEST_F(DocumentJsonTest, KeysAreThePropertyNamesInRecordOrder) {
  SceneDocument doc;
  State().SceneKind = 3;
  State().LastGraphID = 4;
  State().TitleLetterX = "Y";
  auto g = DialogSurface(4, "my \"graph\"", "z^2");
  g->MaxV = 1.5e-05f;
  g->Extras.clip = ClipMode::kAutomatic;
  doc.AddGraph(g);
  doc.Extras.box = BoxScale::kCube;
  doc.Axes.SetDefault();
  const std::string json = DocumentJson(doc);
  const char* order[] = {"\"SceneKind\": 3",
                         "\"LastGraphID\": 4",
                         "\"FrameCount\": 10",
                         "\"AnimationSpeed\": 10",
                         "\"TitleLetterX\": \"Y\"",
                         "\"graphs\": [",
                         "\"GraphType\": 2",
                         "\"ID\": 4",
                         "\"NameS\": \"my \\\"graph\\\"\"",
                         "\"ExpressZ\": \"z^2\"",
                         "\"MaxV\": 1.5E-05",
                         "\"PointHollow\": false",
                         "\"MinT\": 0",
                         "\"ColorB\": 5",
                         "\"checked\": true",
                         "\"settings\": {\"clip\":\"automatic\",",
                         "\"axes\": {",
                         "\"Show\": true",
                         "\"TitleX\": \"X\"",
                         "\"ShowShadow\": false",
                         "\"scene\": {\"box\":\"cube\",\"labels\":\"text3D\",\"legend\":false}"};
  size_t at = 0;
  for (const char* key : order) {
    const size_t found = json.find(key, at);
    ASSERT_NE(found, std::string::npos) << key << "\n" << json;
    at = found;
  }
  EXPECT_EQ(json.back(), '\n');
}

TEST_F(DocumentJsonTest, EmptyDocument) {
  SceneDocument doc;
  const std::string json = DocumentJson(doc);
  EXPECT_NE(json.find("\"graphs\": []"), std::string::npos);
  EXPECT_NE(json.find("\"Show\": false"), std::string::npos);
}

}  // namespace
}  // namespace quillon
