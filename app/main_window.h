#pragma once
// frmF1, the main window: menus, pop-up menus, three toolbars with status hints, the graph
// list, the drawing area, the result box and the status bar; it owns the scene document,
// the camera, the light and the mouse modes, and routes every command. Its title names the
// document and marks unsaved changes.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/mouse_navigator.h"
#include "document/scene_document.h"
#include "scene/model/camera.h"
#include "scene/model/light.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QUndoCommand;

namespace quillon {

class ClientArea;
class DrawArea;
class ToolbarHints;
struct WindowCommands;

// The status bar's note on the points of the drawn graphs where the function has no value
// ("12 points have no value"); empty when there are none.
QString NoValueStatus(const Cls8& drawScene);

// The main window: menus, toolbars, graph list, drawing area and Result box.
class frmF1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmF1(QWidget* parent = nullptr);
  ~frmF1() override;

  // Opens a document named on the command line (start-up step 8); a failure is reported in
  // a message box and the window stays empty. True when the document was read.
  bool OpenDocument(const QString& fileName);
  // Opens a document the way the recent files and a dropped file do: the question about
  // unsaved graphs first. A file that no longer exists is reported and leaves the recent files.
  bool OpenRecentDocument(const QString& fileName);

  // Brings the list, the drawing, the view buttons and the projection marks in step with the
  // document after a command was undone or redone.
  void FollowDocument();
  // The recent-file entries of the File menu, from the stored list.
  void RefreshRecentFiles();

  SceneDocument& Document() { return document_; }
  Cls4& Camera() { return camera_; }
  Cls10& Light() { return light_; }
  MouseNavigator& Navigator() { return navigator_; }
  DrawArea* picDraw() const { return picDraw_; }
  QListWidget* List1() const { return list1_; }
  ClientArea* Client() const { return client_; }
  // The window's metrics the splitter rules measure (below the menu bar).
  int ScaleWidth() const;
  int ScaleHeight() const;

  // Runs one command. An allocation that fails inside it is reported with a message box and
  // the graph list is put back as it was when the command started, instead of ending the
  // program. Every menu, toolbar and recent-file command runs through it.
  void RunCommand(const QString& name, const std::function<void()>& body);
  void RunCommand(const QString& name, void (frmF1::*slot)()) {
    RunCommand(name, [this, slot] { (this->*slot)(); });
  }

  // The graph list widget follows the document: captions, check states, current item.
  void RefreshGraphList();
  // CompileScene before the next Display, and the repaint.
  void RecompileAndRepaint();

  // Clipboard graphs held by the edit commands (reset at start-up).
  int32_t ClipGraphCount = 0;

  // The file, draw, edit and picture commands behind the slots below.
  WindowCommands& Commands();

 public slots:
  // --- commands another part of the program builds: see main_window_commands.cpp ---
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnFilePrint();
  void OnEditCut();
  void OnEditCopy();
  void OnEditCopyAs();
  void OnEditPaste();
  void OnEditGraph();
  void OnDraw3DGraph();
  void OnDrawColorMap();
  void OnDrawZerosPoles();
  // `before` is the scene box before the graph was added.
  void AfterGraphAdded(const Cls1& before);
  void OnHelpContents();
  void OnHelpHomePage();
  void OnHelpSupport();

  // --- file, list and help commands of the shell ---
  void OnFileNew();
  void OnFilePrintPreview();
  void OnFileExportPicture();
  void OnFileExportSurface();
  void OnFileExit();
  void OnEditDelete();
  void OnEditDeleteAll();
  void OnHelpAbout();

  // --- view commands ---
  void OnViewMove();
  void OnViewZoom();
  void OnViewZoomAll();
  void OnViewRotX();
  void OnViewRotY();
  void OnViewRotZ();
  void OnViewTrackBall();
  void OnViewFront();
  void OnViewRight();
  void OnViewTop();
  void OnViewISO();
  void OnViewOrtho();
  void OnViewPerspective();
  void OnViewSettings();
  void OnViewBoxTrueScale();
  void OnViewBoxCube();
  void OnViewLabels3D();
  // Shows or hides the colouring legend (a scene setting, undoable).
  void OnViewLegend();
  void OnModelPoint();
  void OnModelGrid();
  void OnModelSurface();
  void OnSmoothFlat();
  void OnSmoothSmooth();
  void OnSmoothSmoothest();
  void OnDrawAxis();
  void OnDrawLight();

  // The view commands for 3D scenes (everything) and for colour maps (no rotation, front
  // view only).
  void SetView3DButtons();
  void SetViewMapButtons();

 protected:
  // Closing asks about unsaved graphs; a save that did not happen keeps the window open.
  void closeEvent(QCloseEvent* event) override;
  // A document file dropped on the window is opened.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private slots:
  void OnListItemChanged(QListWidgetItem* item);
  void OnListCurrentRowChanged(int row);
  void OnListContextMenu(const QPoint& pos);
  void OnCompiled();

 private:
  // Start-up pieces, in the order the window is loaded.
  void CreateMenus();
  void AddUndoActions(QMenu* edit);
  void AddRecentFileActions(QMenu* file);
  void UpdateTitle();
  void PushCommand(QUndoCommand* command);
  void CreatePopupMenus();
  void CreateToolbars();
  void CreateClientArea();
  void StartUp();
  // Lets the desktop know the document type; built with the file commands.
  void RegisterFileAssociation();

  QAction* MenuAction(const char* objectName, const QString& caption, void (frmF1::*slot)(),
                      const QKeySequence& shortcut = QKeySequence());
  void AddToolbarButtons(QToolBar* toolbar, int table);
  void PresetView(float roll, float pitch, float yaw);
  void SetSelectedGraphModel(int32_t show, int32_t smoothness, const QString& name);
  void SyncModeChecks();
  // The box and label check marks follow the document's scene settings.
  void SyncBoxChecks();
  // An undoable change of the scene's box mode or label style.
  void SetSceneExtras(const SceneExtras& extras, const QString& name);
  void SetStatusHint(const QString& hint);

  SceneDocument document_;
  Cls4 camera_;
  Cls10 light_;
  MouseNavigator navigator_;

  DrawArea* picDraw_ = nullptr;
  QListWidget* list1_ = nullptr;
  QPlainTextEdit* result_ = nullptr;
  QLabel* picEdit_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QLabel* noValuePanel_ = nullptr;  // how many points of the drawn graphs have no value
  QLabel* hoverPanel_ = nullptr;    // the value under the mouse
  QTimer* timer1_ = nullptr;
  ClientArea* client_ = nullptr;
  QToolBar* toolbar1_ = nullptr;
  QToolBar* toolbar2_ = nullptr;
  QToolBar* toolbar3_ = nullptr;
  QMenu* funEdit_ = nullptr;
  QMenu* graphEdit_ = nullptr;
  ToolbarHints* hints_ = nullptr;
  QList<QAction*> recentActions_;
  QAction* recentSeparator_ = nullptr;
  bool syncingList_ = false;
  // Created on first use (start-up registers the association); shared_ptr so that this
  // header needs only the declaration. Declared last: destroyed before what it refers to.
  std::shared_ptr<WindowCommands> commands_;

  friend class ToolbarHints;
};

}  // namespace quillon
