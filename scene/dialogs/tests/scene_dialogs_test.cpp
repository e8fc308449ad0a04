// The view, axis and light dialogs driven through their controls: what they load, what OK
// stores (and refuses), what Cancel leaves alone.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "scene/dialogs/axis_dialog.h"
#include "scene/dialogs/axis_style_dialog.h"
#include "scene/dialogs/color_swatch.h"
#include "scene/dialogs/light_dialog.h"
#include "scene/dialogs/tests/scripted_colors.h"
#include "scene/dialogs/view_setting_dialog.h"
#include "scene/model/axes_frame.h"
#include "scene/model/camera.h"
#include "scene/model/light.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {

class SceneDialogsTest : public QObject {
  Q_OBJECT
  RecordingSink sink_;
  std::unique_ptr<ScopedMessageSink> scoped_;

 private slots:
  void init() {
    ResetProgramState();
    sink_.Clear();
    scoped_ = std::make_unique<ScopedMessageSink>(&sink_);
  }
  void cleanup() { scoped_.reset(); }

  void viewSettingLoadsCameraAndIntervals() {
    Cls4 camera;
    camera.ProjectType = 2;
    State().ViewMaxZ = 12.5f;
    frmF14 dialog(camera);
    QCOMPARE(dialog.windowTitle(), QString("View Setting"));
    QVERIFY(Control<QRadioButton>(&dialog, "Option2")->isChecked());
    QCOMPARE(Control<QRadioButton>(&dialog, "Option1")->text().remove('&'), QString("Ortho"));
    QCOMPARE(Text(&dialog, "Text1"), QString("-20"));
    QCOMPARE(Text(&dialog, "Text6"), QString("12.5"));
    QVERIFY(Control<QPushButton>(&dialog, "Command1")->isDefault());
  }

  void viewSettingStoresCleanedNumbers() {
    Cls4 camera;
    frmF14 dialog(camera);
    SetText(&dialog, "Text1", "-1,5");
    SetText(&dialog, "Text2", " 3 0 ");
    SetText(&dialog, "Text3", "");
    SetText(&dialog, "Text4", "2e1");
    Control<QRadioButton>(&dialog, "Option2")->setChecked(true);
    Control<QPushButton>(&dialog, "Command1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Text(&dialog, "Text1"), QString("-1.5"));
    QCOMPARE(State().ViewMinX, -1.5f);
    QCOMPARE(State().ViewMaxX, 30.0f);
    QCOMPARE(State().ViewMinY, 0.0f);
    QCOMPARE(State().ViewMaxY, 20.0f);
    QCOMPARE(camera.ProjectType, 2);
    QVERIFY(sink_.Requests().empty());
  }

  void viewSettingRejectsLettersAndStaysOpen() {
    Cls4 camera;
    frmF14 dialog(camera);
    dialog.show();
    SetText(&dialog, "Text1", "-3");
    SetText(&dialog, "Text6", "5a");
    Control<QRadioButton>(&dialog, "Option2")->setChecked(true);
    Control<QPushButton>(&dialog, "Command1")->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(sink_.Requests().size(), size_t(1));
    QCOMPARE(sink_.Requests()[0].text, std::string("Illegal data exist."));
    QCOMPARE(sink_.Requests()[0].title, std::string("Error"));
    QVERIFY(sink_.Requests()[0].icon == MsgIcon::Exclamation);
    // Nothing of the intervals is stored, but the projection chosen before the check stays.
    QCOMPARE(State().ViewMinX, -20.0f);
    QCOMPARE(State().ViewMaxZ, 50.0f);
    QCOMPARE(camera.ProjectType, 2);
  }

  void viewSettingCancelStoresNothing() {
    Cls4 camera;
    frmF14 dialog(camera);
    SetText(&dialog, "Text1", "7");
    Control<QRadioButton>(&dialog, "Option2")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(State().ViewMinX, -20.0f);
    QCOMPARE(camera.ProjectType, 1);
  }

  void keyboardAlone() {
    // Enter in a box is OK, Tab walks the boxes in order, Alt+mnemonic reaches a group.
    Cls10 light;
    frmF8 dialog(light);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* x = Control<QLineEdit>(&dialog, "Text1");
    x->setFocus();
    QTest::keyClick(x, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(&dialog, "Text2"));
    QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(&dialog, "Text4"));
    QTest::keyClicks(QApplication::focusWidget(), "0.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(light.Diffuse(0), 0.5f);  // the box is selected on entry, so typing replaces it
  }

  void lightDialogLoadsAndStoresLeniently() {
    Cls10 light;
    light.SetTwoSides(0, 0.0f);
    light.SetDiffuse(2, 0.25f);
    frmF8 dialog(light);
    QCOMPARE(dialog.windowTitle(), QString("Light Properties"));
    QVERIFY(Control<QCheckBox>(&dialog, "Check1")->isChecked());
    QVERIFY(!Control<QCheckBox>(&dialog, "Check2")->isChecked());
    QVERIFY(Control<QCheckBox>(&dialog, "Check3")->isChecked());
    QCOMPARE(Text(&dialog, "Text16"), QString("1"));
    QCOMPARE(Text(&dialog, "Text6"), QString("0.25"));

    SetText(&dialog, "Text1", "abc");
    SetText(&dialog, "Text2", "-40.5xyz");
    SetText(&dialog, "Text16", "0");
    SetText(&dialog, "Text8", "0.2");
    SetText(&dialog, "Text15", "1e-1");
    Control<QCheckBox>(&dialog, "Check1")->setChecked(false);
    Control<QCheckBox>(&dialog, "Check2")->setChecked(true);
    Control<QCheckBox>(&dialog, "Check3")->setChecked(false);
    Control<QPushButton>(&dialog, "Command1")->click();
    QCOMPARE(light.Position(0), 0.0f);
    QCOMPARE(light.Position(1), -40.5f);
    QCOMPARE(light.Position(2), 100.0f);
    QCOMPARE(light.Position(3), 0.0f);
    QCOMPARE(light.Amission(0), 0.2f);
    QCOMPARE(light.Specular(3), 0.1f);
    QCOMPARE(light.Diffuse(2), 0.25f);
    QVERIFY(!light.Enabled);
    QCOMPARE(light.TwoSides(0), 1.0f);
    QCOMPARE(light.GlobalAmbient(0), 0.0f);
  }

  void lightDialogCancelKeepsLight() {
    Cls10 light;
    frmF8 dialog(light);
    SetText(&dialog, "Text1", "5");
    Control<QCheckBox>(&dialog, "Check1")->setChecked(false);
    Control<QPushButton>(&dialog, "Command2")->click();
    QCOMPARE(light.Position(0), 100.0f);
    QVERIFY(light.Enabled);
  }

  void axisDialogStoresPanelStyleFrame() {
    ScriptedColors colors;
    colors.answers = {RGB(10, 20, 30)};
    Cls3 axes;
    axes.SetDefault();
    State().TitleLetterX = "U";
    frmF3 dialog(axes);
    QCOMPARE(dialog.windowTitle(), QString("Axis Properties"));
    QVERIFY(Control<QRadioButton>(&dialog, "Option1")->isChecked());
    QCOMPARE(Text(&dialog, "Text4"), QString("U"));
    QCOMPARE(Control<QComboBox>(&dialog, "Combo1")->currentText(), QString("Metal"));

    Control<QCheckBox>(&dialog, "Check2")->setChecked(true);
    Control<ColorSwatch>(&dialog, "Picture1")->Choose();
    Control<QComboBox>(&dialog, "Combo3")->setCurrentIndex(12);
    Control<QCheckBox>(&dialog, "Check10")->setChecked(false);
    SetText(&dialog, "Text1", "2.6");
    SetText(&dialog, "Text2", "abc");
    SetText(&dialog, "Text3", "9000");
    SetText(&dialog, "Text5", "Re w");
    Control<QPushButton>(&dialog, "Command1")->click();

    QVERIFY(State().AxesChanged);
    QCOMPARE(colors.opened, std::vector<int32_t>{RGB(204, 204, 204)});
    QVERIFY(axes.ShowXYPanel);
    QCOMPARE(axes.XYPanelColor, RGB(10, 20, 30));
    QCOMPARE(axes.YZPanelMaterial, 13);
    QVERIFY(!axes.ShowYZZGrid);
    QVERIFY(axes.ShowYZYGrid);
    QCOMPARE(axes.LabelNumX, 3);
    QCOMPARE(axes.LabelNumY, frmF3::kMinIntervals);  // a non-number reads as 0
    QCOMPARE(axes.LabelNumZ, frmF3::kMaxIntervals);
    QCOMPARE(State().TitleLetterX, std::string("U"));
    QCOMPARE(State().TitleLetterY, std::string("Re w"));
  }

  void axisDialogLineStyleStoresOnlyTheStyle() {
    Cls3 axes;
    axes.SetDefault();
    frmF3 dialog(axes);
    Control<QRadioButton>(&dialog, "Option2")->setChecked(true);
    Control<QCheckBox>(&dialog, "Check2")->setChecked(true);
    SetText(&dialog, "Text1", "7");
    SetText(&dialog, "Text6", "T");
    Control<QPushButton>(&dialog, "Command1")->click();
    QVERIFY(State().AxesChanged);
    QCOMPARE(axes.AxisStyle, 2);
    QVERIFY(!axes.ShowXYPanel);
    QCOMPARE(axes.LabelNumX, 2);
    QCOMPARE(State().TitleLetterZ, std::string());
  }

  void axisDialogShowAxisActsAtOnceAndCancelTakesItBack() {
    Cls3 axes;
    axes.SetDefault();
    State().AxesChanged = true;
    frmF3 dialog(axes);
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>();
    QVERIFY(tabs->isEnabled());
    Control<QCheckBox>(&dialog, "Check1")->click();
    QVERIFY(!axes.Show);
    QVERIFY(!tabs->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!State().AxesChanged);
    QVERIFY(axes.Show);
  }

  void axisDialogHiddenFrameStoresOnlyTheStyle() {
    Cls3 axes;
    axes.SetDefault();
    frmF3 dialog(axes);
    Control<QCheckBox>(&dialog, "Check1")->click();
    SetText(&dialog, "Text1", "9");
    Control<QPushButton>(&dialog, "Command1")->click();
    QVERIFY(!axes.Show);
    QCOMPARE(axes.LabelNumX, 2);
  }

  void styleDialogStoresEverything() {
    ScriptedColors colors;
    colors.answers = {std::nullopt, RGB(1, 2, 3)};
    Cls3 axes;
    frmF20 dialog(axes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.SelectedStyle(), 2);
    const auto pictures = dialog.findChildren<QLabel*>("Image1");
    QCOMPARE(pictures.size(), qsizetype(frmF20::kStyleCount));
    QWidget* picture4 = nullptr;
    for (QLabel* p : pictures)
      if (p->property("Index").toInt() == 4) picture4 = p;
    QVERIFY(picture4);
    QTest::mouseClick(picture4, Qt::LeftButton);
    QCOMPARE(dialog.SelectedStyle(), 4);
    auto* shape = Control<QFrame>(&dialog, "Shape1");
    QVERIFY(shape->geometry().contains(picture4->geometry()));

    Control<ColorSwatch>(&dialog, "Picture2")->Choose();  // cancelled: keeps its colour
    Control<ColorSwatch>(&dialog, "Picture5")->Choose();
    Control<QCheckBox>(&dialog, "Check1")->setChecked(true);
    Control<QCheckBox>(&dialog, "Check6")->setChecked(true);
    Control<QCheckBox>(&dialog, "Check5")->setChecked(false);
    Control<QComboBox>(&dialog, "Combo1")->setEditText("3.6");
    Control<QPushButton>(&dialog, "Command1")->click();
    QVERIFY(State().AxesChanged);
    QVERIFY(axes.Show);
    QVERIFY(axes.ShowPI);
    QVERIFY(!axes.ShowSecondaryLabel);
    QCOMPARE(axes.AxisWidth, 4);
    QCOMPARE(axes.BackStyle, 4);
    QCOMPARE(axes.PriGridColor, RGB(0, 255, 0));
    QCOMPARE(axes.BackColor2, RGB(1, 2, 3));
  }

  void styleDialogCancelClearsAxesChanged() {
    Cls3 axes;
    State().AxesChanged = true;
    frmF20 dialog(axes);
    Control<QCheckBox>(&dialog, "Check4")->setChecked(true);
    dialog.SelectStyle(5);
    Control<QPushButton>(&dialog, "Command2")->click();
    QVERIFY(!State().AxesChanged);
    QVERIFY(!axes.ShowBackground);
    QCOMPARE(axes.BackStyle, 2);
  }
};

QUILLON_REGISTER_TEST(SceneDialogsTest);

}  // namespace quillon::test

#include "scene_dialogs_test.moc"
