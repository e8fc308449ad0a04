// The extension block after the document text: every setting and hidden graphs read back,
// documents without new settings stay byte for byte, unknown keys pass, and a damaged
// block costs only its settings.

#include "document/extension_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "document/document_reader.h"
#include "document/document_writer.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogSurface;
using testing_support::DocumentTest;

// A block around hand-written JSON, framed as the format says (not by the writer).
std::string Frame(const std::string& json, std::string magic = "QXT1") {
  std::string bytes = magic;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((json.size() >> (8 * i)) & 0xFF);
  return bytes + json;
}

class ExtensionBlockTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    State().SceneKind = 3;
  }
  // Surfaces with IDs 1..n; the graph with ID k has the function z+k.
  static void Fill(SceneDocument& doc, int n) {
    for (int k = 1; k <= n; ++k)
      doc.AddGraph(DialogSurface(k, "graph " + std::to_string(k), "z+" + std::to_string(k)));
    State().LastGraphID = n;
  }
  static std::string Save(const SceneDocument& doc) {
    const EncodeResult e = EncodeSceneDocument(doc);
    EXPECT_TRUE(e.ok) << e.error;
    return e.bytes;
  }
  static std::string TextBytes(const SceneDocument& doc) {
    return EncodeDocument(BuildDocumentText(doc)).bytes;
  }
  static std::vector<std::string> Keys(const Cls8& scene) {
    std::vector<std::string> keys;
    for (const auto& entry : scene.FunSurfs()) keys.push_back(entry.key);
    return keys;
  }
  static std::vector<bool> Checks(const SceneDocument& doc) {
    std::vector<bool> checks;
    for (const auto& item : doc.Items()) checks.push_back(item.checked);
    return checks;
  }
};

TEST_F(ExtensionBlockTest, EveryGraphSettingReadsBack) {
  const std::vector<std::pair<const char*, std::function<void(GraphExtras&)>>> rows = {
      {"stop", [](GraphExtras& e) { e.stopAtFirstError = true; }},
      {"automatic", [](GraphExtras& e) { e.clip = ClipMode::kAutomatic; }},
      {"range",
       [](GraphExtras& e) {
         e.clip = ClipMode::kRange;
         e.clipMin = -1.5f;
         e.clipMax = 3.25e7f;
       }},
      {"tiny range",
       [](GraphExtras& e) {
         e.clipMin = 1.17549435e-38f;
         e.clipMax = 0.1f;
       }},
      {"log x", [](GraphExtras& e) { e.logMagnitude[0] = true; }},
      {"log y", [](GraphExtras& e) { e.logMagnitude[1] = true; }},
      {"log z", [](GraphExtras& e) { e.logMagnitude[2] = true; }},
      {"phase", [](GraphExtras& e) { e.colouring = Colouring::kPhase; }},
      {"enhanced", [](GraphExtras& e) { e.colouring = Colouring::kEnhancedPhase; }},
      {"modulus", [](GraphExtras& e) { e.colouring = Colouring::kModulus; }},
      {"contours modulus", [](GraphExtras& e) { e.contours = ContourLines::kModulus; }},
      {"contours phase", [](GraphExtras& e) { e.contours = ContourLines::kPhase; }},
      {"contours both", [](GraphExtras& e) { e.contours = ContourLines::kBoth; }},
      {"new surface", [](GraphExtras& e) { e = GraphExtras::NewSurface(); }},
      {"new colour map", [](GraphExtras& e) { e = GraphExtras::NewColorMap(); }},
  };
  for (const auto& [name, change] : rows) {
    SCOPED_TRACE(name);
    SetUp();
    SceneDocument doc;
    Fill(doc, 2);
    change(doc.GraphAt(1)->Extras);
    const std::string bytes = Save(doc);
    EXPECT_GT(bytes.size(), TextBytes(doc).size());
    SceneDocument back;
    const LoadResult r = LoadDocumentBytes(back, bytes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.warning, "");
    ASSERT_EQ(back.ListScene.Count(), 2u);
    EXPECT_EQ(back.GraphAt(0)->Extras, GraphExtras{});
    EXPECT_EQ(back.GraphAt(1)->Extras, doc.GraphAt(1)->Extras);
  }
}

TEST_F(ExtensionBlockTest, SceneSettingsReadBackAndStartValuesWriteNoBlock) {
  const SceneExtras rows[] = {{BoxScale::kCube, LabelStyle::kText3D, false},
                              {BoxScale::kTrueScale, LabelStyle::kScreen, false},
                              {BoxScale::kTrueScale, LabelStyle::kText3D, true},
                              SceneExtras::NewScene(),
                              SceneExtras{}};
  for (const SceneExtras& extras : rows) {
    SetUp();
    SceneDocument doc;
    Fill(doc, 1);
    doc.Extras = extras;
    const std::string bytes = Save(doc);
    EXPECT_EQ(bytes == TextBytes(doc), extras == SceneExtras{});
    SceneDocument back;
    back.Extras = SceneExtras::NewScene();
    ASSERT_TRUE(LoadDocumentBytes(back, bytes).ok);
    EXPECT_EQ(back.Extras, extras);
  }
}

// Four graphs; a pattern says which stay checked. The unchecked ones travel in the block and
// come back unchecked at their places, and the file's text is what the text writer gives.
TEST_F(ExtensionBlockTest, HiddenGraphsComeBackUncheckedInListOrder) {
  for (const std::string pattern : {"1101", "0000", "0110", "1000", "0001", "1010"}) {
    SCOPED_TRACE(pattern);
    SetUp();
    SceneDocument doc;
    Fill(doc, 4);
    doc.GraphAt(2)->Extras.colouring = Colouring::kModulus;
    for (int k = 0; k < 4; ++k) {
      if (pattern[static_cast<size_t>(k)] == '0') doc.SetChecked(k, false);
    }
    const std::string bytes = Save(doc);
    EXPECT_EQ(bytes.substr(0, TextBytes(doc).size()), TextBytes(doc));
    SceneDocument back;
    const LoadResult r = LoadDocumentBytes(back, bytes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.warning, "");
    EXPECT_EQ(Keys(back.ListScene), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Checks(back), Checks(doc));
    EXPECT_EQ(Keys(back.DrawScene), Keys(doc.DrawScene));
    EXPECT_EQ(back.GraphAt(2)->Extras.colouring, Colouring::kModulus);
    EXPECT_EQ(back.GraphAt(2)->ExpressZ, "z+3");
    EXPECT_EQ(back.Items()[2].caption, doc.Items()[2].caption);
    EXPECT_GE(State().LastGraphID, 4);
    EXPECT_EQ(Save(back), bytes);
    // Checking a hidden graph later samples it.
    if (pattern[0] == '0') {
      back.SetChecked(0, true);
      EXPECT_FALSE(back.GraphAt(0)->SceneX.Empty());
    }
  }
}

// A graph checked again joins the end of the drawing: the list order and the drawing order
// differ, and both are kept.
TEST_F(ExtensionBlockTest, ListOrderAndDrawingOrderBothReadBack) {
  SceneDocument doc;
  Fill(doc, 4);
  doc.SetChecked(0, false);
  doc.SetChecked(0, true);
  doc.SetChecked(2, false);
  ASSERT_EQ(Keys(doc.DrawScene), (std::vector<std::string>{"2", "4", "1"}));
  const std::string bytes = Save(doc);
  SceneDocument back;
  ASSERT_TRUE(LoadDocumentBytes(back, bytes).ok);
  EXPECT_EQ(Keys(back.ListScene), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Keys(back.DrawScene), (std::vector<std::string>{"2", "4", "1"}));
  EXPECT_EQ(Checks(back), (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(Save(back), bytes);
}

TEST_F(ExtensionBlockTest, UnknownKeysAreSkippedSilently) {
  SceneDocument doc;
  Fill(doc, 2);
  const std::string json = R"({"future":{"a":1},"scene":{"legend":true,"sky":"blue"},)"
                           R"("graphs":[{"record":1,"glow":[1],"settings":{"clip":"automatic","sparkle":3}},)"
                           R"({"recordText":")" +
                           DialogSurface(7, "kept", "z*7")->Save() + R"(","list":0,"shade":"x"}]})";
  SceneDocument back;
  const LoadResult r = LoadDocumentBytes(back, TextBytes(doc) + Frame(json));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.warning, "");
  EXPECT_TRUE(back.Extras.legend);
  EXPECT_EQ(Keys(back.ListScene), (std::vector<std::string>{"7", "1", "2"}));
  EXPECT_EQ(back.GraphAt(2)->Extras.clip, ClipMode::kAutomatic);
  EXPECT_EQ(back.GraphAt(0)->NameS, "kept");
  EXPECT_FALSE(back.Items()[0].checked);
  EXPECT_EQ(State().LastGraphID, 8);
}

// Whatever is wrong with the block, the text's graphs load, the block's damage is named in
// the warning, and settings it could not give keep their start values.
TEST_F(ExtensionBlockTest, DamagedBlocksWarnAndTheRestLoads) {
  SceneDocument doc;
  Fill(doc, 2);
  doc.GraphAt(0)->Extras.clip = ClipMode::kAutomatic;
  const std::string text = TextBytes(doc);
  const std::string good = Save(doc).substr(text.size());
  struct Row {
    const char* name;
    std::string tail;
    const char* warning;
  };
  const Row rows[] = {
      {"cut in the JSON", good.substr(0, good.size() - 3), "cut short"},
      {"cut in the length", good.substr(0, 6), "cut short"},
      {"cut in the magic", "QXT", "cut short"},
      {"absurd length", std::string("QXT1\xff\xff\xff\xff{}", 10), "more than a block may hold"},
      {"not JSON", Frame(R"({"scene":)"), "damaged"},
      {"not an object", Frame("[1,2]"), "not an object"},
      {"newer version", Frame("{}", "QXT2"), "newer version"},
      {"another text", Frame(R"({"textSha256":"00","scene":{"legend":true}})"),
       "another version of the text"},
      {"bad entries", Frame(R"({"graphs":[5,{"record":-1},{"recordText":"no record"},{"record":9},{}]})"),
       "graph entry 1 is not an object"},
      {"bad positions", Frame(R"({"graphs":[{"record":0,"list":0},{"record":1,"list":0}]})"), "taken twice"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    SceneDocument back;
    const LoadResult r = LoadDocumentBytes(back, text + row.tail);
    ASSERT_TRUE(r.ok);
    EXPECT_NE(r.warning.find(row.warning), std::string::npos) << r.warning;
    EXPECT_EQ(Keys(back.ListScene), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(back.GraphAt(0)->Extras, GraphExtras{});
    EXPECT_EQ(back.Extras, SceneExtras{});
  }
}

TEST_F(ExtensionBlockTest, ValuesOutOfRangeAreNamedAndTheOthersTaken) {
  SceneDocument doc;
  Fill(doc, 1);
  const std::string json =
      R"({"scene":{"box":"sphere","labels":"screen","legend":"yes"},)"
      R"("graphs":[{"record":0,"checked":3,"settings":{"clip":"range","clipMin":1e300,"clipMax":2,)"
      R"("colouring":7,"logMagnitudeY":1,"contours":"both"}}]})";
  SceneDocument back;
  const LoadResult r = LoadDocumentBytes(back, TextBytes(doc) + Frame(json));
  ASSERT_TRUE(r.ok);
  for (const char* key : {"\"box\"", "\"legend\"", "\"clipMin\"", "\"colouring\"", "\"logMagnitudeY\""})
    EXPECT_NE(r.warning.find(key), std::string::npos) << key << " in " << r.warning;
  EXPECT_EQ(back.Extras, (SceneExtras{BoxScale::kTrueScale, LabelStyle::kScreen, false}));
  GraphExtras expected;
  expected.clip = ClipMode::kRange;
  expected.clipMax = 2.0f;
  expected.contours = ContourLines::kBoth;
  EXPECT_EQ(back.GraphAt(0)->Extras, expected);
}

// Reading and writing again leaves every bundled document as it was, byte for byte.
TEST_F(ExtensionBlockTest, BundledDocumentsResaveByteForByte) {
  const char* source = std::getenv("QUILLON_SOURCE_DIR");
  const std::filesystem::path folder = std::filesystem::path(source ? source : ".") / "examples";
  int files = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() != ".zvt") continue;
    SCOPED_TRACE(file.path().string());
    SetUp();
    std::string bytes, error;
    ASSERT_TRUE(ReadFileBytes(file.path().string(), bytes, error)) << error;
    SceneDocument doc;
    ASSERT_TRUE(LoadDocumentBytes(doc, bytes).ok);
    EXPECT_EQ(Save(doc), bytes);
    ++files;
  }
  EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace quillon
