// List1, the graph list: a view of the scene document's items (captions, check boxes,
// current item), and the Delete and Delete All commands.

#include <QListWidget>
#include <QMenu>
#include <string>

#include "app/main_window.h"
#include "common/message_sink.h"

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
  document_.SetChecked(row, checked);
  // A graph shown again is sampled again; one that fails stays listed, undrawn.
  std::string failures;
  for (const std::string& error : document_.TakeSamplingErrors()) failures += error + "\n";
  if (!failures.empty()) MsgBox(failures, kAppTitle, MsgIcon::Exclamation);
}

void frmF1::OnListCurrentRowChanged(int row) {
  if (syncingList_) return;
  document_.SetCurrentIndex(row);
}

void frmF1::OnListContextMenu(const QPoint& pos) {
  funEdit_->popup(list1_->viewport()->mapToGlobal(pos));
}

void frmF1::OnEditDelete() {
  // Without a current graph there is nothing to delete.
  if (document_.CurrentIndex() < 0 || document_.ListScene.Count() == 0) return;
  document_.Delete();
}

void frmF1::OnEditDeleteAll() {
  document_.DeleteAll();
}

}  // namespace quillon
