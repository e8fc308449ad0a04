#include "app/main_window.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/about_box.h"
#include "app/client_area.h"
#include "app/draw_area.h"
#include "app/help_commands.h"
#include "app/splitter_limits.h"
#include "app/toolbar_hints.h"
#include "app/window_commands.h"
#include "common/message_sink.h"
#include "common/program_state.h"

namespace quillon {

frmF1::frmF1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmF1");
  resize(1100, 780);
  setAcceptDrops(true);

  hints_ = new ToolbarHints([this](const QString& hint) { SetStatusHint(hint); }, this);
  CreateMenus();
  CreatePopupMenus();
  CreateToolbars();

  auto* status = new QStatusBar(this);
  status->setObjectName("StatusBar1");
  statusPanel_ = new QLabel(QString::fromLatin1(ToolbarHints::kReady), status);
  statusPanel_->setObjectName("StatusBar1Panel1");
  status->addWidget(statusPanel_, 1);
  noValuePanel_ = new QLabel(status);
  noValuePanel_->setObjectName("NoValuePanel");
  status->addPermanentWidget(noValuePanel_);
  hoverPanel_ = new QLabel(status);
  hoverPanel_->setObjectName("HoverReadout");
  status->addPermanentWidget(hoverPanel_);
  setStatusBar(status);

  CreateClientArea();
  StartUp();
}

frmF1::~frmF1() = default;

void frmF1::CreateClientArea() {
  list1_ = new QListWidget;
  list1_->setObjectName("List1");
  list1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list1_, &QListWidget::itemChanged, this, &frmF1::OnListItemChanged);
  connect(list1_, &QListWidget::currentRowChanged, this, &frmF1::OnListCurrentRowChanged);
  connect(list1_, &QListWidget::customContextMenuRequested, this, &frmF1::OnListContextMenu);

  result_ = new QPlainTextEdit;
  result_->setObjectName("Result");
  result_->setReadOnly(true);

  picDraw_ = new DrawArea(document_, camera_, light_, navigator_);
  connect(picDraw_, &DrawArea::contextMenuRequested, this,
          [this](const QPoint& at) { graphEdit_->popup(at); });
  connect(picDraw_, &DrawArea::compiled, this, &frmF1::OnCompiled);
  connect(picDraw_, &DrawArea::hoverReadout, hoverPanel_, &QLabel::setText);
  // Undo, New and Open change the legend setting too; the frame drawn after them shows it.
  connect(picDraw_, &DrawArea::frameDrawn, this,
          [this] { findChild<QAction*>("mnuViewLegend")->setChecked(document_.Extras.legend); });

  client_ = new ClientArea(list1_, result_, picDraw_, [this] {
    ClientArea::WindowMetrics m;
    m.width = ScaleWidth();
    m.height = ScaleHeight();
    m.toolbarHeight = toolbar1_->height();
    m.origin = client_ ? client_->mapTo(this, QPoint(0, 0)) - QPoint(0, menuBar()->height()) : QPoint();
    return m;
  });
  client_->setObjectName("ClientArea");
  setCentralWidget(client_);

  // Hidden: holds the last captured picture for the bitmap commands.
  picEdit_ = new QLabel(this);
  picEdit_->setObjectName("picEdit");
  picEdit_->hide();
}

int frmF1::ScaleWidth() const {
  return width();
}

int frmF1::ScaleHeight() const {
  return height() - menuBar()->height();
}

void frmF1::StartUp() {
  ProgramState& state = State();
  // 1. The animation timer: 100 ms, and nothing starts it.
  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(100);
  // 2. The drawing: the context and fonts are created with picDraw's first show.
  // 3. Animation settings.
  state.CurrentFrame = 1;
  state.FrameCount = 10;
  state.AnimationSpeed = 10;
  // 4. The axes frame, graph IDs, view intervals, orientation, no mouse mode.
  document_.Axes.Show = true;
  // A scene started without a document takes the settings of new scenes; opening one sets
  // what it carries.
  document_.Extras = SceneExtras::NewScene();
  state.LastGraphID = 0;
  state.ViewMinX = -20.0f;
  state.ViewMaxX = 20.0f;
  state.ViewMinY = -20.0f;
  state.ViewMaxY = 20.0f;
  state.ViewMinZ = -50.0f;
  state.ViewMaxZ = 50.0f;
  state.CurrentRotation = {0.0f, 0.0f, 0.0f, 1.0f};
  state.TrackballActive = false;
  navigator_ = MouseNavigator();
  SyncModeChecks();
  // 5. Splitter bars: the list column takes a third of a typical window, the result box
  // sits a few lines above the bottom.
  client_->SetVerticalBarLeft(TwipsToPixels(3600));
  client_->SetHorizontalBarTop(ScaleHeight() - 3 * toolbar1_->sizeHint().height() - TwipsToPixels(40));
  // 6. No graph dialog is editing, nothing on the clipboard.
  state.EditMode = false;
  ClipGraphCount = 0;
  // 7. The document type.
  RegisterFileAssociation();
  // 8. The command-line document is opened by the caller (OpenDocument) once the window exists.

  document_.onSceneChanged = [this] {
    RefreshGraphList();
    RecompileAndRepaint();
  };
  document_.onViewButtons = [this](int32_t sceneKind) {
    if (sceneKind == 7)
      SetViewMapButtons();
    else
      SetView3DButtons();
  };

  // The title follows the document's name and unsaved changes; every document read or
  // written joins the recent files.
  DocumentHistory& history = Commands().history;
  connect(&history, &DocumentHistory::titleChanged, this, &frmF1::UpdateTitle);
  connect(&history, &DocumentHistory::fileUsed, this, [this](const QString& fileName) {
    Commands().recent.Add(fileName);
    RefreshRecentFiles();
  });
  UpdateTitle();
  RefreshRecentFiles();
}

bool frmF1::OpenDocument(const QString& fileName) {
  if (fileName.isEmpty()) return true;
  if (!Commands().files.OpenDocument(fileName)) return false;
  // A document opens framed in the drawing area, as "Zoom to Fit" frames it.
  OnViewZoomAll();
  return true;
}

void frmF1::RecompileAndRepaint() {
  picDraw_->RequestCompile();
}

void frmF1::OnCompiled() {
  SyncBoxChecks();
  result_->setPlainText(QString::fromStdString(State().ResultText));
  noValuePanel_->setText(NoValueStatus(document_.DrawScene));
  // Every change of the graphs is compiled: the zero and pole list closes when its graph changed.
  Commands().zerosPoles.Follow();
}

QString NoValueStatus(const Cls8& drawScene) {
  int64_t count = 0;
  for (const Cls8::Entry& entry : drawScene.FunSurfs()) count += entry.graph->PointsWithoutValue;
  if (count == 0) return QString();
  if (count == 1) return QStringLiteral("1 point has no value");
  return QStringLiteral("%1 points have no value").arg(count);
}

void frmF1::SetStatusHint(const QString& hint) {
  statusPanel_->setText(hint);
}

void frmF1::OnFileExit() {
  close();
}

void frmF1::OnHelpAbout() {
  const QUrl homePage = HomePageAddress(WindowCommands::ProgramFolder());
  AboutBox about(
      homePage.toDisplayString(QUrl::PreferLocalFile), [this] { OnHelpHomePage(); }, this);
  about.exec();
}

}  // namespace quillon
