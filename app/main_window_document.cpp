// The document side of the main window: the title with the document's name and its unsaved
// mark, Undo and Redo, File > New, the recent files, Print Preview and documents dropped on
// the window.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <string>

#include "app/main_window.h"
#include "app/window_commands.h"
#include "common/message_sink.h"
#include "common/program_state.h"

namespace quillon {
namespace {

// The first local document file among dropped data, empty when there is none.
QString DroppedDocument(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    const QString path = url.toLocalFile();
    if (url.isLocalFile() && path.endsWith(QLatin1String(".zvt"), Qt::CaseInsensitive)) return path;
  }
  return {};
}

}  // namespace

void frmF1::AddUndoActions(QMenu* edit) {
  QUndoStack& stack = Commands().history.Stack();
  // The stack keeps the captions current: "Undo Delete", "Redo Paste", disabled when empty.
  QAction* undo = stack.createUndoAction(this, tr("&Undo"));
  undo->setObjectName("mnuEditUndo");
  undo->setShortcut(QKeySequence(tr("Ctrl+Z")));
  QAction* redo = stack.createRedoAction(this, tr("&Redo"));
  redo->setObjectName("mnuEditRedo");
  redo->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
  edit->addAction(undo);
  edit->addAction(redo);
}

void frmF1::AddRecentFileActions(QMenu* file) {
  recentSeparator_ = file->addSeparator();
  for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
    action->setVisible(false);
    connect(action, &QAction::triggered, this, [this, action] {
      RunCommand(tr("Open"), [this, action] { OpenRecentDocument(action->data().toString()); });
    });
    file->addAction(action);
    recentActions_ << action;
  }
  // Another running window may have added files since.
  connect(file, &QMenu::aboutToShow, this, &frmF1::RefreshRecentFiles);
}

void frmF1::RefreshRecentFiles() {
  const QStringList files = Commands().recent.Files();
  for (int i = 0; i < recentActions_.size(); ++i) {
    QAction* action = recentActions_[i];
    const bool used = i < files.size();
    action->setVisible(used);
    if (!used) continue;
    action->setText(RecentFiles::Caption(files, i));
    action->setData(files[i]);
    action->setStatusTip(files[i]);
  }
  recentSeparator_->setVisible(!files.isEmpty());
}

void frmF1::UpdateTitle() {
  const DocumentHistory& history = Commands().history;
  setWindowTitle(QStringLiteral("%1[*] - %2").arg(history.DisplayName(), QString::fromLatin1(kAppTitle)));
  setWindowModified(history.IsModified());
}

void frmF1::PushCommand(QUndoCommand* command) {
  Commands().history.Push(command);
}

void frmF1::FollowDocument() {
  RefreshGraphList();
  RecompileAndRepaint();
  if (State().SceneKind == 7)
    SetViewMapButtons();
  else
    SetView3DButtons();
  const bool perspective = camera_.ProjectType == 2;
  if (auto* ortho = findChild<QAction*>("barViewOrtho")) ortho->setChecked(!perspective);
  if (auto* per = findChild<QAction*>("barViewPer")) per->setChecked(perspective);
  // A graph shown again is sampled again; one that fails stays listed, undrawn.
  std::string failures;
  for (const std::string& error : document_.TakeSamplingErrors()) failures += error + "\n";
  if (!failures.empty()) MsgBox(failures, kAppTitle, MsgIcon::Exclamation);
}

void frmF1::OnFileNew() {
  if (!Commands().files.New()) return;
  SetView3DButtons();
  RecompileAndRepaint();
}

void frmF1::OnFilePrintPreview() {
  Commands().exports.Preview();
}

bool frmF1::OpenRecentDocument(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) {
    MsgBox("The file \"" + fileName.toStdString() +
               "\" no longer exists. It has been removed from the recent files.",
           "Open File", MsgIcon::Exclamation);
    Commands().recent.Remove(fileName);
    RefreshRecentFiles();
    return false;
  }
  if (!Commands().files.OpenNamed(fileName)) return false;
  OnViewZoomAll();
  return true;
}

void frmF1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedDocument(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmF1::dropEvent(QDropEvent* event) {
  const QString fileName = DroppedDocument(event->mimeData());
  if (fileName.isEmpty()) return;
  event->acceptProposedAction();
  // The questions and messages of opening come after the drop has finished, not inside it.
  QTimer::singleShot(0, this, [this, fileName] { OpenRecentDocument(fileName); });
}

}  // namespace quillon
