#pragma once
// The list of Draw > "Zeros and Poles": each zero and pole of a graph's function inside its
// domain with its place and order, in a window of its own beside the picture. Copy puts the
// list on the clipboard in the lines of `quillon-cli roots`.

#include <QDialog>
#include <QString>

#include "graph/zeros_poles.h"

class QLabel;
class QTableWidget;

namespace quillon {

class ZerosPolesDialog : public QDialog {
  Q_OBJECT

 public:
  ZerosPolesDialog(const QString& function, const RootSearchDomain& domain, const RootSearchResult& result,
                   QWidget* parent = nullptr);

  // The lines Copy puts on the clipboard: "zero X Y ORDER" or "pole X Y ORDER", one per point.
  static QString ListText(const RootSearchResult& result);
  // The sentence under the table: how many of each were found, and what could not be counted.
  static QString Summary(const RootSearchResult& result);

 private:
  RootSearchResult result_;
};

}  // namespace quillon
