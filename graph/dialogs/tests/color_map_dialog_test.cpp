// The "Function Color Map" form: its own messages and their order, the fixed magnitude
// height, and adding and editing maps.

#include "graph/dialogs/color_map_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "test_support/commands_fixture.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class DialogsColorMapTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SceneDocument> doc_;
  std::unique_ptr<RecordingSink> sink_;
  std::unique_ptr<ScopedMessageSink> scope_;

  std::unique_ptr<frmF22> Dialog(const QString& function = QStringLiteral("z")) {
    auto dialog = std::make_unique<frmF22>(*doc_);
    Type(dialog.get(), "Text4", function);
    Type(dialog.get(), "Text7", "4");
    Type(dialog.get(), "Text10", "4");
    return dialog;
  }

 private slots:
  void init() {
    ResetProgramState();
    doc_ = std::make_unique<SceneDocument>();
    sink_ = std::make_unique<RecordingSink>();
    scope_ = std::make_unique<ScopedMessageSink>(sink_.get());
  }
  void cleanup() { scope_.reset(); }

  void startsWithItsCaptionAndDomain() {
    frmF22 dialog(*doc_);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Function Color Map"));
    QCOMPARE(FieldOf(&dialog, "Text5"), QStringLiteral("-4"));
    QCOMPARE(FieldOf(&dialog, "Text6"), QStringLiteral("4"));
    QCOMPARE(FieldOf(&dialog, "Text9"), QStringLiteral("4"));
    QCOMPARE(FieldOf(&dialog, "Text10"), QStringLiteral("40"));
    QCOMPARE(Find<QComboBox>(&dialog, "Combo6")->count(), 5);
  }

  void addsAMapWithFixedSettings() {
    auto dialog = Dialog(QStringLiteral("z^2"));
    Find<QComboBox>(dialog.get(), "Combo3")->setCurrentIndex(1);  // VarX: y
    Find<QComboBox>(dialog.get(), "Combo1")->setCurrentIndex(0);  // VarZ: x
    Find<QComboBox>(dialog.get(), "Combo4")->setCurrentIndex(4);
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(State().SceneKind, 7);
    const Cls9& map = *doc_->GraphAt(0);
    QCOMPARE(map.ID, 1);
    QCOMPARE(map.GraphType, gtp::kColorMap);
    QCOMPARE(map.CoordType, ctp::kCartesian);
    QCOMPARE(map.FunForm, fun::kExplicit);
    QCOMPARE(map.FillStyle, 3);
    QCOMPARE(map.FirstColor, 255);
    QCOMPARE(map.SecondColor, 0);
    QCOMPARE(map.Show, shw::kSurface);
    QCOMPARE(map.Smoothness, smt::kSmoothest);
    QCOMPARE(map.VarX, quantity::kY);
    QCOMPARE(map.VarZ, quantity::kX);
    QCOMPARE(map.VarY, quantity::kMagnitude);
    QCOMPARE(map.ColorR, quantity::kMagnitude);
    QCOMPARE(doc_->Items()[0].caption, std::string("Color Map: w=z^2"));
    QCOMPARE(doc_->DrawScene.Count(), size_t{1});
  }

  void heightIsTheMagnitudeWhateverTheCombosSay() {
    auto dialog = Dialog();
    for (const char* name : {"Combo1", "Combo3", "Combo4", "Combo5", "Combo6"}) {
      Find<QComboBox>(dialog.get(), name)->setCurrentIndex(2);
    }
    QVERIFY(dialog->Confirm());
    QCOMPARE(doc_->GraphAt(0)->VarY, quantity::kMagnitude);
    QCOMPARE(State().TitleLetterZ, std::string("M"));
  }

  void stepsXIsCheckedBeforeStepsY() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text7", "0");
    Type(dialog.get(), "Text10", "0");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Steps u must be larger than 1.", "Note", MsgIcon::Exclamation);
    sink_->Clear();
    Type(dialog.get(), "Text7", "3");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Steps v must be larger than 1.", "Note", MsgIcon::Exclamation);
    QCOMPARE(doc_->ListScene.Count(), size_t{0});
  }

  void domainRulesInTheirOrder() {
    auto dialog = Dialog();
    Type(dialog.get(), "Text5", "2");
    Type(dialog.get(), "Text6", "1");
    Type(dialog.get(), "Text8", "2");
    Type(dialog.get(), "Text9", "1");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Min u must be less than Max u.", "Note", MsgIcon::Exclamation);
    sink_->Clear();
    // Equal x limits are accepted; only now is the y range looked at.
    Type(dialog.get(), "Text6", "2");
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Min v must be less than Max v.", "Note", MsgIcon::Exclamation);
    sink_->Clear();
    Type(dialog.get(), "Text9", "2");
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
  }

  void illegalDataInTheFunction() {
    auto dialog = Dialog(QStringLiteral("z$"));
    QVERIFY(!dialog->Confirm());
    QUILLON_EXPECT_ONE_MESSAGE(*sink_, "Illegal data exist.", "Error", MsgIcon::Exclamation);
  }

  void holesByDefaultAndTheOldErrorWhenAsked() {
    auto dialog = Dialog(QStringLiteral("1/z"));
    QVERIFY2(dialog->Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(doc_->GraphAt(0)->PointsWithoutValue, int64_t{1});
    QVERIFY(doc_->GraphAt(0)->Extras == GraphExtras::NewColorMap());
    auto stopping = Dialog(QStringLiteral("1/z"));
    Find<QCheckBox>(stopping.get(), "StopAtFirstError")->setChecked(true);
    QVERIFY(!stopping->Confirm());
    QVERIFY2(sink_->Requests().size() == 1, qPrintable(Texts(*sink_)));
    QCOMPARE(sink_->Requests()[0].title, std::string("Error"));
    QCOMPARE(doc_->ListScene.Count(), size_t{1});
  }

  void editingReplacesTheMapInPlace() {
    auto dialog = Dialog(QStringLiteral("z"));
    QVERIFY(dialog->Confirm());
    Cls8::GraphPtr map = doc_->GraphAt(0);
    doc_->SetCurrentIndex(0);
    State().EditMode = true;
    frmF22 editor(*doc_);
    editor.LoadGraph(*map);
    QCOMPARE(FieldOf(&editor, "Text4"), QStringLiteral("z"));
    QCOMPARE(FieldOf(&editor, "Text7"), QStringLiteral("4"));
    Type(&editor, "Text4", "z+i");
    QVERIFY2(editor.Confirm(), qPrintable(Texts(*sink_)));
    QCOMPARE(doc_->ListScene.Count(), size_t{1});
    QCOMPARE(doc_->GraphAt(0).get(), map.get());
    QCOMPARE(map->ID, 1);
    QCOMPARE(map->ExpressZ, std::string("z+i"));
    QCOMPARE(doc_->Items()[0].caption, std::string("Color Map: w=z+i"));
    QVERIFY(!State().EditMode);
  }
};

QUILLON_REGISTER_TEST(DialogsColorMapTest);

}  // namespace quillon::test

#include "color_map_dialog_test.moc"
