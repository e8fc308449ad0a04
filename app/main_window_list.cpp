// List1, the graph list: a view of the scene document's items (captions, check boxes,
// current item), and the Delete and Delete All commands. Checking, unchecking and deleting
// go through the undo history.

#include <QListWidget>
#include <QMenu>

#include "app/main_window.h"
#include "app/undo_commands.h"
#include "app/window_commands.h"

namespace quillon {

void frmF1::RefreshGraphList() {
  syncingList_ = true;
  const auto& items = document_.Items();
  // Keep the widget's items (and its scroll position) when only check states changed.
  bool same = list1_->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < list1_->count(); ++i)
    same = list1_->item(i)->text() == QString::fromStdString(items[i].caption);
  if (!same) {
    list1_->clear();
    for (const auto& item : items) {
      auto* row = new QListWidgetItem(QString::fromStdString(item.caption), list1_);
      row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
  }
  for (int i = 0; i < list1_->count(); ++i)
    list1_->item(i)->setCheckState(items[i].checked ? Qt::Checked : Qt::Unchecked);
  const int current = document_.CurrentIndex();
  if (current >= 0 && current < list1_->count()) {
    list1_->setCurrentRow(current);
  } else {
    list1_->setCurrentRow(-1);
  }
  syncingList_ = false;
}

void frmF1::OnListItemChanged(QListWidgetItem* item) {
  if (syncingList_) return;
  const int row = list1_->row(item);
  if (row < 0 || row >= static_cast<int>(document_.Items().size())) return;
  const bool checked = item->checkState() == Qt::Checked;
  if (document_.Items()[row].checked == checked) return;
  PushCommand(new CheckGraphCommand(Commands().history.Target(), row, checked));
}

void frmF1::OnListCurrentRowChanged(int row) {
  if (syncingList_) return;
  document_.SetCurrentIndex(row);
  Commands().zerosPoles.Follow();
}

void frmF1::OnListContextMenu(const QPoint& pos) {
  funEdit_->popup(list1_->viewport()->mapToGlobal(pos));
}

void frmF1::OnEditDelete() {
  // Without a current graph there is nothing to delete.
  if (document_.CurrentIndex() < 0 || document_.ListScene.Count() == 0) return;
  PushCommand(new RemoveGraphCommand(Commands().history.Target(), tr("Delete"), document_.CurrentIndex()));
}

void frmF1::OnEditDeleteAll() {
  // An empty list has nothing to undo; only the graph IDs start again from 1.
  if (document_.ListScene.Count() == 0) {
    document_.DeleteAll();
    return;
  }
  PushCommand(new DeleteAllCommand(Commands().history.Target()));
}

}  // namespace quillon
