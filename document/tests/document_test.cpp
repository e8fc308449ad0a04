// Whole documents: writing, reading back, the tag table, the globals the reader sets and
// files that are not documents.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "document/document_file.h"
#include "document/document_reader.h"
#include "document/document_writer.h"
#include "test_graphs.h"

namespace quillon {
namespace {

using testing_support::DialogColorMap;
using testing_support::DialogSurface;
using testing_support::DocumentTest;

void ExpectSameRecord(const Cls9& a, const Cls9& b) {
  EXPECT_EQ(a.GraphType, b.GraphType);
  EXPECT_EQ(a.ID, b.ID);
  EXPECT_EQ(a.NameS, b.NameS);
  EXPECT_EQ(a.CoordType, b.CoordType);
  EXPECT_EQ(a.ExpressX, b.ExpressX);
  EXPECT_EQ(a.ExpressY, b.ExpressY);
  EXPECT_EQ(a.ExpressZ, b.ExpressZ);
  EXPECT_EQ(a.StepU, b.StepU);
  EXPECT_EQ(a.StepV, b.StepV);
  EXPECT_EQ(a.MinU, b.MinU);
  EXPECT_EQ(a.MaxU, b.MaxU);
  EXPECT_EQ(a.MinV, b.MinV);
  EXPECT_EQ(a.MaxV, b.MaxV);
  EXPECT_EQ(a.FillStyle, b.FillStyle);
  EXPECT_EQ(a.FirstColor, b.FirstColor);
  EXPECT_EQ(a.SecondColor, b.SecondColor);
  EXPECT_EQ(a.LineColor, b.LineColor);
  EXPECT_EQ(a.LineWidth, b.LineWidth);
  EXPECT_EQ(a.Material, b.Material);
  EXPECT_EQ(a.Show, b.Show);
  EXPECT_EQ(a.Smoothness, b.Smoothness);
  EXPECT_EQ(a.PointColor, b.PointColor);
  EXPECT_EQ(a.PointSize, b.PointSize);
  EXPECT_EQ(a.PointHollow, b.PointHollow);
  EXPECT_EQ(a.Animation, b.Animation);
  EXPECT_EQ(a.MinT, b.MinT);
  EXPECT_EQ(a.MaxT, b.MaxT);
  EXPECT_EQ(a.FunForm, b.FunForm);
  EXPECT_EQ(a.VarX, b.VarX);
  EXPECT_EQ(a.VarY, b.VarY);
  EXPECT_EQ(a.VarZ, b.VarZ);
  EXPECT_EQ(a.ColorR, b.ColorR);
  EXPECT_EQ(a.ColorG, b.ColorG);
  EXPECT_EQ(a.ColorB, b.ColorB);
}

class DocumentFormatTest : public DocumentTest {
 protected:
  // Saves `from` and reads the bytes into `to`.
  LoadResult RoundTrip(const SceneDocument& from, SceneDocument& to) {
    EncodeResult encoded = EncodeDocument(BuildDocumentText(from));
    EXPECT_TRUE(encoded.ok) << encoded.error;
    return LoadDocumentBytes(to, encoded.bytes);
  }
  static std::string Bytes(const std::string& text) { return EncodeDocument(text).bytes; }
};

TEST_F(DocumentFormatTest, NewSceneDocumentText) {
  SceneDocument doc;
  doc.Axes.SetDefault();
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "S", "z"));
  EXPECT_EQ(BuildDocumentText(doc),
            "S12 1 2 1 @S@ 3   z 4 4 -2 2 -2 2 0 0 0 0 1 4 3 3 255 1 0 0 2 1 3 2 3 4 5 "
            "1 0 0 0 1 1 1 1 1 1 1 2 2 2 13421772 13421772 13421772 10066329 10066329 10066329 4 4 4 0 1 "
            "@X@ @Y@ @Z@ 0 0 0 2 65280 16777215 65280 65280 1 0 0 ");
}

TEST_F(DocumentFormatTest, HeaderIsTypeCodeAndLittleEndianLength) {
  const std::string text(300, 'a');
  const std::string bytes = Bytes(text);
  ASSERT_EQ(bytes.size(), 304u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x08\x00\x2c\x01", 4));
  EXPECT_EQ(bytes.substr(4), text);
}

TEST_F(DocumentFormatTest, RoundTripKeepsEveryGraphAndTheAxes) {
  SceneDocument doc;
  doc.Axes.SetDefault();
  doc.Axes.ShowXZPanel = true;
  doc.Axes.LabelNumY = 7;
  doc.Axes.AxisColor = 255;
  doc.Axes.BackStyle = 4;
  doc.Axes.ShowPI = true;
  doc.Axes.TitleY = "real part";
  State().SceneKind = 3;
  auto a = DialogSurface(3, "two words", "z^2+1");
  auto b = DialogSurface(9, "", "1/(z^2+1)");
  b->Animation = true;
  b->MinT = -1;
  b->MaxT = 2.5f;
  b->PointSize = 4;
  b->PointHollow = true;
  b->MinU = 1.5e-05f;
  auto c = DialogSurface(4, "x  y ", "exp(z)");
  c->Show = 1;
  c->Smoothness = 2;
  c->Material = 13;
  for (auto& g : {a, b, c}) doc.AddGraph(g);
  State().FrameCount = 17;
  State().AnimationSpeed = 3;

  SceneDocument back;
  LoadResult result = RoundTrip(doc, back);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.warning, "");
  ASSERT_EQ(back.ListScene.Count(), 3u);
  ASSERT_EQ(back.DrawScene.Count(), 3u);
  for (size_t i = 1; i <= 3; ++i) ExpectSameRecord(*doc.ListScene.Item(i), *back.ListScene.Item(i));
  EXPECT_EQ(State().FrameCount, 17);
  EXPECT_EQ(State().AnimationSpeed, 3);
  EXPECT_EQ(State().LastGraphID, 10);  // IDs 3, 9, 4: raised to ID + 1 when below
  EXPECT_EQ(State().CurrentFrame, 1);
  EXPECT_TRUE(back.Axes.Show);
  EXPECT_TRUE(back.Axes.ShowXZPanel);
  EXPECT_EQ(back.Axes.LabelNumY, 7);
  EXPECT_EQ(back.Axes.AxisColor, 255);
  EXPECT_EQ(back.Axes.BackStyle, 4);
  EXPECT_TRUE(back.Axes.ShowPI);
  EXPECT_EQ(back.Axes.TitleY, "real part");
  EXPECT_EQ(back.Axes.TitleZ, "Z");
  EXPECT_TRUE(back.Axes.BetterFonts);
  // Saving what was read gives the same text again.
  EXPECT_EQ(BuildDocumentText(back), BuildDocumentText(doc));
  for (const auto& item : back.Items()) EXPECT_TRUE(item.checked);
}

TEST_F(DocumentFormatTest, ExpressionsTypedWithSpacesReadBack) {
  SceneDocument doc;
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "a", "z ^ 2 + 1"));
  doc.AddGraph(DialogSurface(2, "b", "sin (z)"));
  SceneDocument back;
  ASSERT_TRUE(RoundTrip(doc, back).ok);
  ASSERT_EQ(back.ListScene.Count(), 2u);
  EXPECT_EQ(back.ListScene.Item(1)->ExpressZ, "z^2+1");
  EXPECT_EQ(back.ListScene.Item(2)->ExpressZ, "sin(z)");
  EXPECT_EQ(back.ListScene.Item(2)->NameS, "b");
  EXPECT_EQ(back.ListScene.Item(2)->VarY, 3);
}

TEST_F(DocumentFormatTest, NamesThatWouldCloseEarlyStayReadable) {
  SceneDocument doc;
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "me@ home", "z"));
  doc.AddGraph(DialogSurface(2, " leading", "z"));
  SceneDocument back;
  ASSERT_TRUE(RoundTrip(doc, back).ok);
  ASSERT_EQ(back.ListScene.Count(), 2u);
  EXPECT_EQ(back.ListScene.Item(1)->NameS, "me home");
  EXPECT_EQ(back.ListScene.Item(1)->ExpressZ, "z");
  EXPECT_EQ(back.ListScene.Item(2)->NameS, " leading");
}

TEST_F(DocumentFormatTest, HiddenAxesEndTheTextWithZeroAndRestoreOnlyShow) {
  SceneDocument doc;
  State().SceneKind = 7;
  doc.AddGraph(DialogColorMap(1, "exp(z)"));
  doc.Axes.Show = false;
  doc.Axes.LabelNumX = 9;
  const std::string text = BuildDocumentText(doc);
  EXPECT_EQ(text.substr(0, 6), "S17 1 ");
  EXPECT_EQ(text.back(), '0');
  EXPECT_EQ(text[text.size() - 2], ' ');

  SceneDocument back;
  back.Axes.SetDefault();
  back.Axes.LabelNumX = 4;
  ASSERT_TRUE(LoadDocumentBytes(back, Bytes(text)).ok);
  EXPECT_FALSE(back.Axes.Show);
  EXPECT_EQ(back.Axes.LabelNumX, 4);
  EXPECT_EQ(back.Items()[0].caption, "Color Map  w=exp(z)");
}

TEST_F(DocumentFormatTest, TagTableSetsKindAnglesAndViewButtons) {
  struct Row {
    const char* tag;
    int32_t kind;
    float pitch, yaw;
    int32_t buttons;
  };
  const Row rows[] = {{"S11", 1, 0, 0, 0}, {"S13", 2, -15, 45, 0}, {"S12", 3, -15, 45, 3},
                      {"S14", 1, 0, 0, 0}, {"S15", 2, -15, 45, 0}, {"S16", 3, -15, 45, 3},
                      {"S17", 7, 0, 0, 7}};
  for (const Row& row : rows) {
    ResetProgramState();
    State().TrackballActive = true;
    SceneDocument doc;
    doc.DrawScene.RotRoll = 5;
    int32_t buttons = 0;
    doc.onViewButtons = [&](int32_t kind) { buttons = kind; };
    ASSERT_TRUE(LoadDocumentBytes(doc, Bytes(std::string(row.tag) + " 0 0")).ok);
    EXPECT_EQ(State().SceneKind, row.kind) << row.tag;
    EXPECT_EQ(doc.DrawScene.RotRoll, 0.0f);
    EXPECT_EQ(doc.DrawScene.RotPitch, row.pitch) << row.tag;
    EXPECT_EQ(doc.DrawScene.RotYaw, row.yaw) << row.tag;
    EXPECT_EQ(buttons, row.buttons) << row.tag;
    EXPECT_FALSE(State().TrackballActive);
  }
  // A document of kind 5 is saved again as kind 2.
  SceneDocument doc;
  ASSERT_TRUE(LoadDocumentBytes(doc, Bytes("S15 0 0")).ok);
  EXPECT_EQ(BuildDocumentText(doc).substr(0, 4), "S13 ");
}

TEST_F(DocumentFormatTest, WithoutAKnownKindNoTagIsWritten) {
  SceneDocument doc;
  EXPECT_EQ(BuildDocumentText(doc), "0 0");
}

TEST_F(DocumentFormatTest, LastGraphIdFollowsTheDocumentRule) {
  auto read = [&](std::initializer_list<int32_t> ids) {
    SceneDocument doc;
    State().SceneKind = 3;
    for (int32_t id : ids) doc.AddGraph(DialogSurface(id, "", "z"));
    State().LastGraphID = 77;  // reading starts from Delete All
    SceneDocument back;
    EXPECT_TRUE(RoundTrip(doc, back).ok);
    return State().LastGraphID;
  };
  EXPECT_EQ(read({3, 9}), 10);
  EXPECT_EQ(read({1, 2, 3}), 4);
  EXPECT_EQ(read({9, 3}), 10);
  EXPECT_EQ(read({}), 0);
}

TEST_F(DocumentFormatTest, DuplicateIdsAreRenumberedNotLost) {
  SceneDocument doc;
  const std::string record = DialogSurface(2, "", "z")->Save();
  LoadResult r = LoadDocumentBytes(doc, Bytes("S12 2 " + record + record + "0"));
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(doc.ListScene.Count(), 2u);
  EXPECT_EQ(doc.ListScene.Item(1)->ID, 2);
  EXPECT_EQ(doc.ListScene.Item(2)->ID, 4);
  EXPECT_NE(r.warning.find("used twice"), std::string::npos);
}

TEST_F(DocumentFormatTest, CountBeyondTheRecordsReadsNothingMore) {
  SceneDocument doc;
  const std::string record = DialogSurface(1, "", "z")->Save();
  // The passes after the last record find no kind token and end the loop at once.
  ASSERT_TRUE(LoadDocumentBytes(doc, Bytes("S12 2000000000 " + record + "x")).ok);
  EXPECT_EQ(doc.ListScene.Count(), 1u);
  EXPECT_FALSE(doc.Axes.Show);
}

TEST_F(DocumentFormatTest, AnAbsentTagClearsTheListAndReadsNothing) {
  SceneDocument doc;
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "", "z"));
  LoadResult r = LoadDocumentBytes(doc, Bytes("X12 1 2 1 @@ 3"));
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(doc.ListScene.Count(), 0u);
  EXPECT_FALSE(r.warning.empty());
}

class NotADocumentTest : public DocumentFormatTest {
 protected:
  void SetUp() override {
    DocumentFormatTest::SetUp();
    State().SceneKind = 3;
    doc_.AddGraph(DialogSurface(1, "kept", "z"));
    State().LastGraphID = 1;
  }
  void ExpectRefused(const std::string& bytes) {
    LoadResult r = LoadDocumentBytes(doc_, bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(doc_.ListScene.Count(), 1u);
    EXPECT_EQ(doc_.Items().size(), 1u);
    EXPECT_EQ(State().LastGraphID, 1);
    EXPECT_EQ(State().SceneKind, 3);
  }
  SceneDocument doc_;
};

TEST_F(NotADocumentTest, WrongTypeCodeTruncatedOrTooShort) {
  std::string bytes = Bytes("S12 0 0");
  std::string wrong = bytes;
  wrong[0] = 9;
  ExpectRefused(wrong);
  wrong = bytes;
  wrong[1] = 1;
  ExpectRefused(wrong);
  ExpectRefused(bytes.substr(0, bytes.size() - 1));
  ExpectRefused(std::string("\x08\x00\x01", 3));
  ExpectRefused("");
}

TEST_F(NotADocumentTest, MoreThanFiveThousandTokens) {
  std::string text = "S12 0";  // two tokens, then "0"s up to the limit
  for (int i = 2; i < 5000; ++i) text += " 0";
  EXPECT_TRUE(LoadDocumentBytes(doc_, Bytes(text)).ok);  // exactly 5000 still reads
  SetUp();
  ExpectRefused(Bytes(text + " 0"));
}

TEST_F(NotADocumentTest, EmptyTextKeepsTheGraphs) {
  LoadResult r = LoadDocumentBytes(doc_, std::string("\x08\x00\x00\x00", 4));
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(doc_.ListScene.Count(), 1u);
}

TEST_F(NotADocumentTest, BytesAfterTheTextAreIgnored) {
  LoadResult r = LoadDocumentBytes(doc_, Bytes("S17 0 0") + "garbage after");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(State().SceneKind, 7);
  EXPECT_EQ(doc_.ListScene.Count(), 0u);
}

TEST_F(DocumentFormatTest, TooLargeTextIsRefusedNotTruncated) {
  EXPECT_TRUE(EncodeDocument(std::string(65535, 'a')).ok);
  EncodeResult r = EncodeDocument(std::string(65536, 'a'));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.bytes.empty());
  EXPECT_NE(r.error.find("65535"), std::string::npos);
}

TEST_F(DocumentFormatTest, GraphsWithoutValuesAreKeptAsHoles) {
  SceneDocument doc;
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "", "z"));
  auto bad = DialogSurface(2, "", "1/0");
  auto after = DialogSurface(3, "", "z^2");
  SceneDocument source;
  source.ListScene.Add(DialogSurface(1, "", "z"), "1");
  source.DrawScene.Add(source.ListScene.Item(1), "1");
  source.DrawScene.Add(bad, "2");
  source.DrawScene.Add(after, "3");
  LoadResult r = RoundTrip(source, doc);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(doc.ListScene.Count(), 3u);
  EXPECT_EQ(doc.Items().size(), 3u);
  EXPECT_EQ(doc.DrawScene.Count(), 3u);
  // A document without settings beyond its record samples with holes, as new graphs do.
  EXPECT_EQ(r.warning, "");
  const Cls9& read = *doc.DrawScene.Item(2);
  EXPECT_EQ(read.PointsWithoutValue, int64_t{read.StepU + 1} * (read.StepV + 1));
  EXPECT_EQ(doc.DrawScene.Item(3)->PointsWithoutValue, 0);
}

class DocumentFileTest : public DocumentFormatTest {
 protected:
  void SetUp() override {
    DocumentFormatTest::SetUp();
    path_ = (std::filesystem::temp_directory_path() / ("quillon_doc_" + std::to_string(::getpid()) + ".zvt"))
                .string();
  }
  void TearDown() override {
    std::remove(path_.c_str());
    DocumentFormatTest::TearDown();
  }
  std::string path_;
};

TEST_F(DocumentFileTest, WritingReplacesALongerOlderFile) {
  std::string error;
  ASSERT_TRUE(WriteDocumentFile(path_, std::string(500, 'x'), error)) << error;
  const std::string bytes = Bytes("S12 0 0");
  ASSERT_TRUE(WriteDocumentFile(path_, bytes, error)) << error;
  std::string back;
  ASSERT_TRUE(ReadFileBytes(path_, back, error));
  EXPECT_EQ(back, bytes);
  SceneDocument doc;
  EXPECT_TRUE(LoadDocument(doc, path_).ok);
  EXPECT_EQ(State().SceneKind, 3);
}

TEST_F(DocumentFileTest, EmptyNameReadsNothingAndMissingFileIsReported) {
  SceneDocument doc;
  State().SceneKind = 3;
  doc.AddGraph(DialogSurface(1, "", "z"));
  EXPECT_TRUE(LoadDocument(doc, "").ok);
  LoadResult r = LoadDocument(doc, path_ + ".missing");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("Cannot open"), std::string::npos);
  EXPECT_EQ(doc.ListScene.Count(), 1u);
  std::string error;
  EXPECT_FALSE(WriteDocumentFile("/nonexistent-dir/x.zvt", "x", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quillon
