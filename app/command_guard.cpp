// Running a window command so that running out of memory is a message, not the end of the
// program and the user's scene.

#include <QUndoStack>
#include <new>

#include "app/document_history.h"
#include "app/main_window.h"
#include "app/window_commands.h"
#include "common/memory_budget.h"
#include "common/message_sink.h"

namespace quillon {

void frmF1::RunCommand(const QString& name, const std::function<void()>& body) {
  // The list's graphs are shared, so keeping the places costs a few pointers.
  const SceneDocument::Contents before = document_.TakeContents();
  QUndoStack& undo = Commands().history.Stack();
  const int undoIndex = undo.index();
  try {
    body();
  } catch (const std::bad_alloc&) {
    try {
      // What the command recorded for undo is undone, so the history matches the scene.
      if (undo.index() > undoIndex && undo.count() >= undoIndex) undo.setIndex(undoIndex);
      document_.RestoreContents(before);
      RefreshGraphList();
      RecompileAndRepaint();
    } catch (const std::bad_alloc&) {
      // Nothing more can be put back; the message below still tells what happened.
    }
    QString command = name;
    command.remove(QLatin1Char('&'));
    MsgBox(OutOfMemoryMessage(command.toStdString()), kAppTitle, MsgIcon::Critical);
  }
}

}  // namespace quillon
