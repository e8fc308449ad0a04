#pragma once
// The graph commands of the Edit menu and the list's pop-up menu that go through the
// clipboard or a dialog: Edit, Cut, Copy and Paste. The clipboard holds the plain text of
// one graph record (the scene kind, a space and the record) and, in the program's own
// format, the same text with the graph's settings beyond the record.

#include <cstdint>
#include <functional>

#include "app/draw_commands.h"
#include "document/scene_document.h"

class QClipboard;

namespace quillon {

class EditCommands {
 public:
  // clipGraphCount: the window's count of graph records it last put on the clipboard (Copy
  // sets it to 1; Paste needs one). clipboard: the application's clipboard unless given.
  EditCommands(SceneDocument& doc, GraphDialogLauncher& dialogs, int32_t& clipGraphCount,
               QClipboard* clipboard = nullptr);

  // Called after a graph was added or changed (the window refreshes its list and redraws).
  void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

  // Edit: "Select a function first." unless the current item is checked; otherwise the
  // dialog of the current graph's kind. True when the graph was changed.
  bool Edit();
  // Copy: the current graph's text on the clipboard (only while some graph is shown).
  bool Copy();
  // Cut: Copy, then Delete. A graph that could not be copied is not deleted.
  bool Cut();
  // Paste: the clipboard graph as a new graph (next ID, the current item's check state),
  // when this window has copied one and the kind of the text fits the scene.
  bool Paste();

 private:
  void Changed();

  SceneDocument& doc_;
  GraphDialogLauncher& dialogs_;
  int32_t& clipGraphCount_;
  QClipboard* clipboard_;
  std::function<void()> onChanged_;
};

}  // namespace quillon
