// The "3D Function Graph Properties" form: its controls, every confirm rule and message, and
// how a confirmed graph enters the scene or replaces the edited one.

#include "graph/dialogs/function_graph_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

#include "common/runtime_error.h"
#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class DialogsFunctionGraphTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<Cls10> light_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;

  std::unique_ptr<frmF6> Dialog() { return std::make_unique<frmF6>(*doc_, *light_); }

 private slots:
  void init() {
    ResetProgramState();
    doc_ = std::make_unique<SceneDocument>();
    light_ = std::make_unique<Cls10>();
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
  }
  void cleanup() {
    scope_.reset();
    sink_.reset();
  }

  void startsWithItsCaptionsAndInitialTexts() {
    auto dialog = Dialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("3D Function Graph Properties"));
    QCOMPARE(FieldOf(dialog.get(), "Text1"), QStringLiteral("Untitled"));
    QCOMPARE(FieldOf(dialog.get(), "Text2"), QString());
    QCOMPARE(FieldOf(dialog.get(), "Text5"), QStringLiteral("-2"));
    QCOMPARE(FieldOf(dialog.get(), "Text6"), QStringLiteral("2"));
    QCOMPARE(FieldOf(dialog.get(), "Text7"), QStringLiteral("40"));
    QCOMPARE(FieldOf(dialog.get(), "Text10"), QStringLiteral("40"));
    QVERIFY(Find<QLineEdit>(dialog.get(), "Text11")->isHidden());
    auto* combo = Find<QComboBox>(dialog.get(), "Combo4");
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(2), QStringLiteral("u(Real)"));
    QCOMPARE(combo->itemText(4), QStringLiteral("Magnitude"));
    auto* materials = Find<QListWidget>(dialog.get(), "List1");
    QCOMPARE(materials->count(), 13);
    QCOMPARE(materials->currentItem()->text(), QStringLiteral("Metal"));
    QVERIFY(Find<QRadioButton>(dialog.get(), "Option7")->isChecked());
    QVERIFY(Find<QRadioButton>(dialog.get(), "Option10")->isChecked());
  }

  void emptyFunctionBecomesZeroAndGivesAFlatSurface() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "4");
    Type(dialog.get(), "Text10", "4");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(FieldOf(dialog.get(), "Text2"), QStringLiteral("0"));
    QCOMPARE(doc_->ListScene.Count(), size_t{1});
    QCOMPARE(doc_->DrawScene.Count(), size_t{1});
    const Cls9& graph = *doc_->GraphAt(0);
    QCOMPARE(graph.ID, 1);
    QCOMPARE(State().LastGraphID, 1);
    QCOMPARE(State().SceneKind, 3);
    QCOMPARE(graph.GraphType, gtp::kSurface);
    QCOMPARE(graph.CoordType, ctp::kCartesian);
    QCOMPARE(graph.FunForm, fun::kExplicit);
    QCOMPARE(graph.ExpressZ, std::string("0"));
    QCOMPARE(graph.StepU, 4);
    QCOMPARE(graph.Material, material::kMetal);
    QCOMPARE(doc_->Items()[0].caption, std::string("3D Surface  w=0"));
    QVERIFY(doc_->Items()[0].checked);
    // VarY (the height) is u, which is 0 everywhere.
    for (int k = 0; k <= 4; ++k) {
      for (int j = 0; j <= 4; ++j) QCOMPARE(graph.SceneY.at(k, j), 0.0f);
    }
    QVERIFY(sink_->Requests().empty());
  }

  void illegalCharacterKeepsTheDialogOpen() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text2", "z^2");
    Type(dialog.get(), "Text6", "2#");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Illegal data exist.", "Error", MsgIcon::Exclamation);
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
    // Fields before the bad one were cleaned and written back, the bad one kept.
    QCOMPARE(FieldOf(dialog.get(), "Text6"), QStringLiteral("2#"));
  }

  void valueFieldsAreCleaned() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text2", " z ^ 2 ");
    Type(dialog.get(), "Text5", "-1,5");
    Type(dialog.get(), "Text8", "");
    Type(dialog.get(), "Text7", "2");
    Type(dialog.get(), "Text10", "2");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(FieldOf(dialog.get(), "Text2"), QStringLiteral("z^2"));
    QCOMPARE(FieldOf(dialog.get(), "Text5"), QStringLiteral("-1.5"));
    QCOMPARE(FieldOf(dialog.get(), "Text8"), QStringLiteral("0"));
    QCOMPARE(doc_->GraphAt(0)->MinU, -1.5f);
    QCOMPARE(doc_->GraphAt(0)->MinV, 0.0f);
  }

  void stepsXBelowOneIsRefused_data() {
    QTest::addColumn<QString>("steps");
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
    QTest::newRow("below half") << "0.4";
    QTest::newRow("negative") << "-3";
  }
  void stepsXBelowOneIsRefused() {
    QFETCH(QString, steps);
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", steps);
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Steps x,y ,a,r or b must be larger than 1.", "Note",
                               MsgIcon::Exclamation);
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
  }

  void stepsAreReadLenientlyAndRounded() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "1");
    Type(dialog.get(), "Text10", "2.6abc");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(doc_->GraphAt(0)->StepU, 1);
    QCOMPARE(doc_->GraphAt(0)->StepV, 3);
  }

  void stepsYEmptyOrBelowOneIsRefused_data() {
    QTest::addColumn<QString>("steps");
    QTest::newRow("empty") << "";
    QTest::newRow("zero") << "0";
  }
  void stepsYEmptyOrBelowOneIsRefused() {
    QFETCH(QString, steps);
    auto dialog = Dialog();
    Type(dialog.get(), "Text10", steps);
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Steps y(or r,b) must be larger than 1.", "Note",
                               MsgIcon::Exclamation);
  }

  void minXAboveMaxXIsRefusedEqualIsAccepted() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text5", "3");
    Type(dialog.get(), "Text6", "2");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Minimum value must be less than maximum value.", "Note",
                               MsgIcon::Exclamation);
    sink_->Clear();
    Type(dialog.get(), "Text6", "3");
    Type(dialog.get(), "Text7", "2");
    Type(dialog.get(), "Text10", "2");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    const Cls9& graph = *doc_->GraphAt(0);
    QCOMPARE(graph.MinU, 3.0f);
    QCOMPARE(graph.MaxU, 3.0f);
    // du = 0: every column repeats the same x.
    QCOMPARE(graph.QuantityX.at(2, 1), 3.0f);
  }

  void piReadsAsZeroInMinXButAsPiInMinT() {
    // The t fields are shown for an animated graph.
    Cls8::GraphPtr animated = MakeSurface("z");
    animated->Animation = true;
    animated->MinT = 0.0f;
    animated->MaxT = 5.0f;
    auto dialog = Dialog();
    dialog->LoadGraph(*animated);
    QVERIFY(!Find<QLineEdit>(dialog.get(), "Text11")->isHidden());
    Type(dialog.get(), "Text5", "pi");
    Type(dialog.get(), "Text11", "pi");
    Type(dialog.get(), "Text12", "2*pi");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    const Cls9& graph = *doc_->GraphAt(0);
    QCOMPARE(graph.MinU, 0.0f);
    QVERIFY(graph.Animation);
    QCOMPARE(graph.MinT, 3.1415926f);
    QVERIFY(std::fabs(graph.MaxT - 6.2831852f) < 1e-5f);
  }

  void minTAboveMaxTIsRefused() {
    Cls8::GraphPtr animated = MakeSurface("z");
    animated->Animation = true;
    auto dialog = Dialog();
    dialog->LoadGraph(*animated);
    Type(dialog.get(), "Text11", "3");
    Type(dialog.get(), "Text12", "1");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Min t must be less than Max t.", "Note", MsgIcon::Exclamation);
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
  }

  void syntaxErrorInMinTEndsTheConfirm() {
    Cls8::GraphPtr animated = MakeSurface("z");
    animated->Animation = true;
    auto dialog = Dialog();
    dialog->LoadGraph(*animated);
    Type(dialog.get(), "Text11", "(1");
    QVERIFY(!dialog->Confirm());
    QVERIFY2(sink_->Requests().size() == 1, qPrintable(Texts(*sink_)));
    QCOMPARE(sink_->Requests()[0].title, std::string("Syntax Error"));
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
  }

  void combosModelSmoothnessAndMaterialGoIntoTheGraph() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "2");
    Type(dialog.get(), "Text10", "2");
    Find<QComboBox>(dialog.get(), "Combo1")->setCurrentIndex(4);  // VarY: magnitude
    Find<QComboBox>(dialog.get(), "Combo2")->setCurrentIndex(0);  // VarX: x
    Find<QComboBox>(dialog.get(), "Combo3")->setCurrentIndex(1);  // VarZ: y
    Find<QComboBox>(dialog.get(), "Combo4")->setCurrentIndex(3);
    Find<QComboBox>(dialog.get(), "Combo5")->setCurrentIndex(-1);  // no selection: code 0
    Find<QComboBox>(dialog.get(), "Combo6")->setCurrentIndex(2);
    Find<QRadioButton>(dialog.get(), "Option6")->setChecked(true);
    Find<QRadioButton>(dialog.get(), "Option8")->setChecked(true);
    Find<QListWidget>(dialog.get(), "List1")->setCurrentRow(12);
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    const Cls9& graph = *doc_->GraphAt(0);
    QCOMPARE(graph.VarY, 5);
    QCOMPARE(graph.VarX, 1);
    QCOMPARE(graph.VarZ, 2);
    QCOMPARE(graph.ColorR, 4);
    QCOMPARE(graph.ColorG, 0);
    QCOMPARE(graph.ColorB, 3);
    QCOMPARE(graph.Show, shw::kGrid);
    QCOMPARE(graph.Smoothness, smt::kFlat);
    QCOMPARE(graph.Material, 13);
    // Axis titles: VarX titles Y, VarY titles Z, VarZ titles X.
    QCOMPARE(State().TitleLetterY, std::string("X"));
    QCOMPARE(State().TitleLetterZ, std::string("M"));
    QCOMPARE(State().TitleLetterX, std::string("Y"));
  }

  void unselectedZComboFallsBackToX() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "2");
    Type(dialog.get(), "Text10", "2");
    Find<QComboBox>(dialog.get(), "Combo3")->setCurrentIndex(-1);
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(doc_->GraphAt(0)->VarZ, quantity::kX);
    QCOMPARE(Find<QComboBox>(dialog.get(), "Combo3")->currentIndex(), 0);
  }

  void firstGraphStartsAnIsoSceneAndLaterOnesGetTheNextIds() {
    doc_->DrawScene.RotYaw = 10.0f;
    light_->SetPosition(0, 3.0f);
    State().TrackballActive = true;
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "2");
    Type(dialog.get(), "Text10", "2");
    QVERIFY(dialog->Confirm());
    QCOMPARE(doc_->DrawScene.RotRoll, 0.0f);
    QCOMPARE(doc_->DrawScene.RotPitch, -15.0f);
    QCOMPARE(doc_->DrawScene.RotYaw, 45.0f);
    QCOMPARE(light_->Position(0), 100.0f);
    QCOMPARE(light_->Position(1), 100.0f);
    QVERIFY(!State().TrackballActive);

    // A second graph joins the scene as it is.
    doc_->DrawScene.RotYaw = 20.0f;
    auto second = Dialog();
    Type(second.get(), "Text2", "z");
    Type(second.get(), "Text7", "2");
    Type(second.get(), "Text10", "2");
    QVERIFY(second->Confirm());
    QCOMPARE(doc_->DrawScene.RotYaw, 20.0f);
    QCOMPARE(doc_->GraphAt(1)->ID, 2);
    QCOMPARE(doc_->Items()[1].caption, std::string("3D Surface  w=z"));
  }

  void runTimeErrorWhileSamplingIsShownAndNothingIsAdded() {
    auto dialog = Dialog();
    Find<QCheckBox>(dialog.get(), "StopAtFirstError")->setChecked(true);
    Type(dialog.get(), "Text2", "1/z");
    Type(dialog.get(), "Text7", "4");
    Type(dialog.get(), "Text10", "4");
    QVERIFY(!dialog->Confirm());
    QVERIFY2(sink_->Requests().size() == 1, qPrintable(Texts(*sink_)));
    const MessageRequest& message = sink_->Requests()[0];
    QCOMPARE(message.title, std::string("Error"));
    QVERIFY2(message.text.find(RuntimeError::DivisionByZero().Description()) != std::string::npos,
             message.text.c_str());
    QVERIFY2(message.text.find("x = 0, y = 0") != std::string::npos, message.text.c_str());
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
    QCOMPARE(doc_->DrawScene.Count(), size_t{0});
    QVERIFY(doc_->Items().empty());
  }

  void aPoleIsAHoleAndTheGraphIsAdded() {
    auto dialog = Dialog();
    QVERIFY(!Find<QCheckBox>(dialog.get(), "StopAtFirstError")->isChecked());
    Type(dialog.get(), "Text2", "1/z");
    Type(dialog.get(), "Text7", "4");
    Type(dialog.get(), "Text10", "4");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QVERIFY(sink_->Requests().empty());
    const Cls9& graph = *doc_->GraphAt(0);
    QCOMPARE(graph.PointsWithoutValue, int64_t{1});
    QVERIFY(std::isnan(graph.QuantityU.at(2, 2)));
    QVERIFY(graph.Extras == GraphExtras::NewSurface());
  }

  void heightsGoIntoTheGraph_data() {
    QTest::addColumn<int>("mode");  // ClipMode combo: 0 Automatic, 1 Off, 2 From MIN to MAX
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<int>("zQuantity");  // Combo1 index: 0 x .. 4 magnitude
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("clip");  // the stored ClipMode
    QTest::addColumn<bool>("logHeight");
    QTest::newRow("automatic") << 0 << ""
                               << "" << 2 << false << true << int(ClipMode::kAutomatic) << false;
    QTest::newRow("off") << 1 << ""
                         << "" << 2 << false << true << int(ClipMode::kOff) << false;
    QTest::newRow("range") << 2 << "-1.5"
                           << "3" << 2 << false << true << int(ClipMode::kRange) << false;
    QTest::newRow("empty range") << 2 << "3"
                                 << "3" << 2 << false << false << 0 << false;
    QTest::newRow("log on magnitude") << 0 << ""
                                      << "" << 4 << true << true << int(ClipMode::kAutomatic) << true;
    QTest::newRow("log without magnitude") << 0 << ""
                                           << "" << 2 << true << true << int(ClipMode::kAutomatic) << false;
  }
  void heightsGoIntoTheGraph() {
    QFETCH(int, mode);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(int, zQuantity);
    QFETCH(bool, log);
    QFETCH(bool, accepted);
    QFETCH(int, clip);
    QFETCH(bool, logHeight);
    auto dialog = Dialog();
    QCOMPARE(Find<QComboBox>(dialog.get(), "ClipMode")->currentIndex(), 0);  // new graphs: Automatic
    Type(dialog.get(), "Text2", "z");
    Find<QComboBox>(dialog.get(), "ClipMode")->setCurrentIndex(mode);
    QCOMPARE(Find<QLineEdit>(dialog.get(), "ClipMin")->isEnabled(), mode == 2);
    if (mode == 2) {
      Type(dialog.get(), "ClipMin", min);
      Type(dialog.get(), "ClipMax", max);
    }
    Find<QComboBox>(dialog.get(), "Combo1")->setCurrentIndex(zQuantity);
    Find<QCheckBox>(dialog.get(), "LogMagnitude")->setChecked(log);
    QCOMPARE(dialog->Confirm(), accepted);
    QCOMPARE(doc_->ListScene.Count(), size_t{accepted ? 1u : 0u});
    if (!accepted) {
      QVERIFY(Texts(*sink_).contains("Minimum value must be less than maximum value."));
      return;
    }
    const GraphExtras& extras = doc_->GraphAt(0)->Extras;
    QCOMPARE(int(extras.clip), clip);
    if (mode == 2) {
      QCOMPARE(extras.clipMin, min.toFloat());
      QCOMPARE(extras.clipMax, max.toFloat());
    }
    QCOMPARE(extras.logMagnitude[1], logHeight);
    QVERIFY(!extras.logMagnitude[0] && !extras.logMagnitude[2]);
  }

  void editingKeepsTheExtrasTheDialogDoesNotShow() {
    Cls8::GraphPtr graph = AddSurface(*doc_, "z");
    graph->Extras.clip = ClipMode::kRange;
    graph->Extras.clipMax = 3.0f;
    graph->Extras.colouring = Colouring::kModulus;
    State().EditMode = true;
    auto dialog = Dialog();
    dialog->LoadGraph(*graph);
    auto* stop = Find<QCheckBox>(dialog.get(), "StopAtFirstError");
    QVERIFY(!stop->isChecked());
    stop->setChecked(true);
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    GraphExtras expected;
    expected.clip = ClipMode::kRange;
    expected.clipMax = 3.0f;
    expected.colouring = Colouring::kModulus;
    expected.stopAtFirstError = true;
    QVERIFY(graph->Extras == expected);
    // Loaded again, the box shows the graph's setting.
    auto again = Dialog();
    again->LoadGraph(*graph);
    QVERIFY(Find<QCheckBox>(again.get(), "StopAtFirstError")->isChecked());
  }

  void editingKeepsIdPlaceAndTextureAndRenewsTheCaption() {
    Cls8::GraphPtr first = AddSurface(*doc_, "z", "first");
    AddSurface(*doc_, "z+1", "second");
    first->TexName = "wood.bmp";
    first->TransAlpha = 0.5f;
    doc_->SetCurrentIndex(0);
    State().EditMode = true;

    auto dialog = Dialog();
    dialog->LoadGraph(*first);
    QCOMPARE(FieldOf(dialog.get(), "Text1"), QStringLiteral("first"));
    QCOMPARE(FieldOf(dialog.get(), "Text2"), QStringLiteral("z"));
    QCOMPARE(FieldOf(dialog.get(), "Text5"), QStringLiteral("-1"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("3D Graph Properties"));
    Type(dialog.get(), "Text2", "z^2");
    Type(dialog.get(), "Text7", "6");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));

    QCOMPARE(doc_->ListScene.Count(), size_t{2});
    QCOMPARE(doc_->GraphAt(0).get(), first.get());
    QCOMPARE(first->ID, 1);
    QCOMPARE(first->ExpressZ, std::string("z^2"));
    QCOMPARE(first->StepU, 6);
    QCOMPARE(first->TexName, std::string("wood.bmp"));
    QCOMPARE(first->TransAlpha, 0.5f);
    QCOMPARE(first->QuantityU.Columns(), 7);
    QCOMPARE(doc_->Items()[0].caption, std::string("3D Surface  w=z^2"));
    QCOMPARE(State().LastGraphID, 2);
    QVERIFY(!State().EditMode);
  }

  void failedEditKeepsTheOldDefinition() {
    Cls8::GraphPtr graph = AddSurface(*doc_, "z");
    State().EditMode = true;
    auto dialog = Dialog();
    dialog->LoadGraph(*graph);
    Find<QCheckBox>(dialog.get(), "StopAtFirstError")->setChecked(true);
    Type(dialog.get(), "Text2", "1/z");
    QVERIFY(!dialog->Confirm());
    QCOMPARE(graph->ExpressZ, std::string("z"));
    QCOMPARE(doc_->Items()[0].caption, std::string("3D Surface  w=z"));
    QVERIFY(State().EditMode);
  }
};

QUILLON_REGISTER_TEST(DialogsFunctionGraphTest);

}  // namespace quillon::test

#include "function_graph_dialog_test.moc"
