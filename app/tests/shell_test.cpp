// The window shell: menu tree and captions, shortcuts, pop-up menus, toolbar buttons with
// their keys, tooltips and status hints, the hidden controls and the About box.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/about_box.h"
#include "app/tests/window_fixture.h"
#include "app/toolbar_hints.h"
#include "test_support/gui_helpers.h"
#include "test_support/test_registry.h"

namespace quillon::test {
namespace {

QString Caption(const QAction* action) {
  return action->text().remove('&');
}

// The captions of a menu, "-" for a separator.
QStringList Captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* action : menu->actions()) {
    if (action->isVisible()) out << (action->isSeparator() ? "-" : Caption(action));
  }
  return out;
}

QString StatusText(const frmF1& window) {
  return Control<QLabel>(&window, "StatusBar1Panel1")->text();
}

QWidget* ActivePopup() {
  return QApplication::activePopupWidget();
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowFixture> f_;

 private slots:
  void init() { f_ = std::make_unique<WindowFixture>(); }
  void cleanup() {
    if (QWidget* popup = ActivePopup()) popup->close();
    f_.reset();
  }

  void titleAndMenuTree() {
    frmF1& w = *f_->window;
    QCOMPARE(w.windowTitle(), QString("Untitled[*] - Quillon"));
    RecentFiles recent;
    for (const QString& file : recent.Files()) recent.Remove(file);
    w.RefreshRecentFiles();
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << Caption(a);
    QCOMPARE(menus, QStringList({"File", "Edit", "View", "Draw", "Help"}));
    QCOMPARE(Captions(Control<QMenu>(&w, "mnuFile")),
             QStringList({"New", "Open...", "Save", "SaveAs...", "-", "Print...", "Print Preview...", "-",
                          "Export Picture...", "Export Surface...", "-", "Exit"}));
    QCOMPARE(Captions(Control<QMenu>(&w, "mnuEdit")),
             QStringList(
                 {"Undo", "Redo", "-", "Cut", "Copy", "Copy As BMP", "Paste", "-", "Delete", "Delete All"}));
    QCOMPARE(Captions(Control<QMenu>(&w, "mnuView")),
             QStringList({"Move", "Zoom", "Zoom to Fit", "Rotate About X Axis", "Rotate About Y Axis",
                          "Rotate About Z Axis", "Track Ball", "-", "Front", "Right", "Top", "ISO", "-",
                          "Box", "Settings...", "Legend"}));
    QCOMPARE(Captions(Control<QMenu>(&w, "mnuDraw")),
             QStringList({"3D Graph", "Color Map", "Zeros and Poles", "-", "Axis...", "Light..."}));
    QCOMPARE(Captions(Control<QMenu>(&w, "mnuHelp")),
             QStringList({"Contents...", "-", "Home Page", "Customer Support", "-", "About..."}));
  }

  void menuItemsByNameWithShortcuts() {
    frmF1& w = *f_->window;
    const struct {
      const char* name;
      const char* caption;
      QKeySequence keys;
    } items[] = {
        {"mnuFileNew", "New", QKeySequence::New},
        {"mnuFileOpen", "Open...", QKeySequence::Open},
        {"mnuFileSave", "Save", QKeySequence::Save},
        {"mnuFilePrint", "Print...", QKeySequence::Print},
        {"mnuFileExit", "Exit", QKeySequence("Ctrl+Q")},
        {"mnuEditUndo", "Undo", QKeySequence("Ctrl+Z")},
        {"mnuEditRedo", "Redo", QKeySequence("Ctrl+Shift+Z")},
        {"mnuEditCut", "Cut", QKeySequence::Cut},
        {"mnuEditCopy", "Copy", QKeySequence::Copy},
        {"mnuEditPaste", "Paste", QKeySequence::Paste},
        {"mnuEditDelete", "Delete", QKeySequence::Delete},
        {"mnuHelpContents", "Contents...", QKeySequence::HelpContents},
    };
    for (const auto& item : items) {
      auto* action = Control<QAction>(&w, item.name);
      QCOMPARE(Caption(action), QString(item.caption));
      QCOMPARE(action->shortcut(), item.keys);
    }
    for (const char* name :
         {"mnuFileSaveAs",  "mnuEditCopyAs",   "mnuEditDeleteAll", "mnuViewMove",  "mnuViewZoom",
          "mnuViewZoomAll", "mnuViewRotX",     "mnuViewRotY",      "mnuViewRotZ",  "mnuViewTrackBall",
          "mnuViewFront",   "mnuViewRight",    "mnuViewTop",       "mnuViewISO",   "mnuViewSettings",
          "mnuDraw3DGraph", "mnuDrawColorMap", "mnuDrawAxis",      "mnuDrawLight", "mnuHelpHomePage",
          "mnuHelpSupport", "mnuHelpAbout"})
      QVERIFY2(w.findChild<QAction*>(name), name);
  }

  void listPopupShowsFourItemsEvenWhenEmpty() {
    frmF1& w = *f_->window;
    QCOMPARE(w.List1()->count(), 0);
    QWidget* viewport = w.List1()->viewport();
    // A right click reaches the list as a context-menu event.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(viewport, &event);
    auto* popup = qobject_cast<QMenu*>(ActivePopup());
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QString("FunEdit"));
    QCOMPARE(Captions(popup), QStringList({"Edit...", "Cut", "Copy", "Delete"}));
  }

  void drawingAreaRightClickShowsGraphEdit() {
    frmF1& w = *f_->window;
    QTest::mouseClick(w.picDraw(), Qt::RightButton, {}, QPoint(50, 50));
    auto* popup = qobject_cast<QMenu*>(ActivePopup());
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QString("GraphEdit"));
    QCOMPARE(Captions(popup),
             QStringList({"Paste", "Copy As BMP", "Delete All", "-", "Axis...", "Light..."}));
    // The same actions as the menu bar's.
    QCOMPARE(popup->actions()[2], Control<QAction>(&w, "mnuEditDeleteAll"));
  }

  void toolbarButtonsHaveKeysTooltipsAndPositions() {
    frmF1& w = *f_->window;
    const struct {
      const char* toolbar;
      int position;
      const char* key;
      const char* tooltip;
    } buttons[] = {
        {"Toolbar1", 2, "barOpen", "Open File"},
        {"Toolbar1", 12, "varDel", "Delete Selected Graph"},
        {"Toolbar1", 14, "barHelp", "Online Help"},
        {"Toolbar2", 2, "barFun3DCart", "Add A 3D Cartesian Function Graph"},
        {"Toolbar2", 6, "barLight", "Modify Light Properties"},
        {"Toolbar3", 1, "barViewFront", "View From Front"},
        {"Toolbar3", 7, "barViewPer", "Perspective Projection"},
        {"Toolbar3", 11, "barZoomAll", "Zoom To Fit"},
        {"Toolbar3", 15, "barTrackBall", "Track Ball"},
        {"Toolbar3", 23, "bar3DSmoothest", "Smoothest Surface"},
    };
    for (const auto& b : buttons) {
      auto* toolbar = Control<QToolBar>(&w, b.toolbar);
      QAction* action = toolbar->actions().value(b.position - 1);
      QVERIFY2(action, b.key);
      QCOMPARE(action->objectName(), QString(b.key));
      QCOMPARE(action->toolTip(), QString(b.tooltip));
      auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
      QVERIFY(button);
      QCOMPARE(button->objectName(), QString(b.key));
      QVERIFY2(!action->icon().isNull(), b.key);
    }
    QCOMPARE(Control<QToolBar>(&w, "Toolbar1")->actions().size(), qsizetype(14));
    QCOMPARE(Control<QToolBar>(&w, "Toolbar2")->actions().size(), qsizetype(6));
    QCOMPARE(Control<QToolBar>(&w, "Toolbar3")->actions().size(), qsizetype(23));
    for (int separator : {5, 8, 16, 20})
      QVERIFY(Control<QToolBar>(&w, "Toolbar3")->actions()[separator - 1]->isSeparator());
    QCOMPARE(Control<QToolBar>(&w, "Toolbar3")->orientation(), Qt::Vertical);
  }

  void hintsFollowTheMouse() {
    frmF1& w = *f_->window;
    QCOMPARE(StatusText(w), QString("Ready"));
    const struct {
      const char* key;
      const char* hint;
    } hints[] = {{"barSaveAs", "Save file as"},        {"barCopyAs", "Copy graphs as bitmap"},
                 {"barColormap", "Add a colormap"},    {"barCoord", "Axis"},
                 {"barTrackBall", "Rotate the scene"}, {"barModelGrid", "Line model"},
                 {"barViewOrtho", "Ortho projection"}};
    for (const auto& h : hints) {
      auto* button = Control<QToolButton>(&w, h.key);
      QTest::mouseMove(button, button->rect().center());
      QTRY_COMPARE(StatusText(w), QString(h.hint));
    }
    // Over the toolbar but off every button: an empty stretch of the first toolbar.
    auto* toolbar = Control<QToolBar>(&w, "Toolbar1");
    const QPoint empty(toolbar->width() - 5, toolbar->height() / 2);
    QCOMPARE(ToolbarHints::HintAt(toolbar, empty), QString("Ready"));
    QTest::mouseMove(toolbar, empty);
    QTRY_COMPARE(StatusText(w), QString("Ready"));
    // Leaving a button for the drawing area also restores "Ready".
    auto* button = Control<QToolButton>(&w, "barPrint");
    QTest::mouseMove(button, button->rect().center());
    QTRY_COMPARE(StatusText(w), QString("Print"));
    QTest::mouseMove(w.picDraw(), w.picDraw()->rect().center());
    QTRY_COMPARE(StatusText(w), QString("Ready"));
  }

  void hintRuleIsTheButtonRectangle() {
    auto* toolbar = Control<QToolBar>(f_->window.get(), "Toolbar1");
    const QRect open = Control<QToolButton>(toolbar, "barOpen")->geometry();
    QCOMPARE(ToolbarHints::HintAt(toolbar, open.topLeft()), QString("Open file"));
    QCOMPARE(ToolbarHints::HintAt(toolbar, open.bottomRight()), QString("Open file"));
    QCOMPARE(ToolbarHints::HintAt(toolbar, QPoint(open.left(), toolbar->height())), QString());
  }

  void hiddenControlsAndResultBox() {
    frmF1& w = *f_->window;
    auto* timer = Control<QTimer>(&w, "Timer1");
    QCOMPARE(timer->interval(), 100);
    QVERIFY(!timer->isActive());
    QVERIFY(!Control<QLabel>(&w, "picEdit")->isVisible());
    QVERIFY(Control<QPlainTextEdit>(&w, "Result")->isVisible());
    QVERIFY(w.findChild<QWidget*>("StatusBar1"));
    QCOMPARE(State().FrameCount, 10);
    QCOMPARE(State().AnimationSpeed, 10);
    QCOMPARE(State().CurrentFrame, 1);
    QVERIFY(w.Document().Axes.Show);
    QCOMPARE(State().ViewMinZ, -50.0f);
  }

  void statusBarCountsThePointsWithoutAValue() {
    auto* panel = Control<QLabel>(f_->window.get(), "NoValuePanel");
    const struct {
      const char* function;
      const char* text;
    } steps[] = {{"z", ""}, {"1/z", "1 point has no value"}, {"1/(z^2+1)", "3 points have no value"}};
    for (const auto& step : steps) {
      f_->AddSurface(step.function);
      f_->Settle();
      QCOMPARE(panel->text(), QString::fromLatin1(step.text));
    }
    // The toolbar hints keep their own panel.
    QCOMPARE(StatusText(*f_->window), QStringLiteral("Ready"));
  }

  void aboutBox() {
    int homePageClicks = 0;
    AboutBox about("https://example.org/q", [&] { ++homePageClicks; });
    QCOMPARE(about.windowTitle(), QString("About Quillon"));
    QCOMPARE(Control<QLabel>(&about, "lblName")->text(), QString("Quillon"));
    QCOMPARE(Control<QLabel>(&about, "lblVersion")->text(), QString("Version 1.0.2"));
    auto* link = Control<QLabel>(&about, "lblHomePage");
    QVERIFY(link->text().contains("https://example.org/q"));
    emit link->linkActivated("https://example.org/q");
    QCOMPARE(homePageClicks, 1);
    about.show();
    auto* ok = Control<QPushButton>(&about, "cmdOK");
    QCOMPARE(ok->text(), QString("O K"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }

  void aboutMenuOpensTheBox() {
    frmF1& w = *f_->window;
    QString title;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box) return;
      title = box->windowTitle();
      Control<QPushButton>(box, "cmdOK")->click();
    });
    Control<QAction>(&w, "mnuHelpAbout")->trigger();
    QCOMPARE(title, QString("About Quillon"));
  }
};

QUILLON_REGISTER_TEST(ShellTest);

}  // namespace quillon::test

#include "shell_test.moc"
